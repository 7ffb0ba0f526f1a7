// Arithmetic steps that raise ArithmeticFault instead of yielding an
// infinity or a NaN. Operands are finite.
#pragma once

#include <cmath>

#include "calc/number_text.h"

namespace velmora {

inline double Checked(double result) {
    if (std::isnan(result)) throw ArithmeticFault(ArithmeticFault::Kind::InvalidOperation);
    if (std::isinf(result)) throw ArithmeticFault(ArithmeticFault::Kind::Overflow);
    return result;
}

inline double CheckedMultiply(double a, double b) { return Checked(a * b); }

inline double CheckedDivide(double dividend, double divisor) {
    if (divisor == 0) {
        throw ArithmeticFault(dividend == 0 ? ArithmeticFault::Kind::InvalidOperation
                                            : ArithmeticFault::Kind::DivisionByZero);
    }
    return Checked(dividend / divisor);
}

// (a * b) * c with the inner product rounded to 53 bits but free of the
// double's exponent range, as an x87 register at double precision keeps it;
// only the final product is rounded to a double and checked. Splitting each
// operand into a mantissa in [0.5, 1) and a power of two keeps both
// roundings in the normal range, where they match the wide-range ones.
inline double CheckedWideProduct(double a, double b, double c) {
    int exponentA = 0;
    int exponentB = 0;
    int exponentC = 0;
    const double mantissaA = std::frexp(a, &exponentA);
    const double mantissaB = std::frexp(b, &exponentB);
    const double mantissaC = std::frexp(c, &exponentC);
    const double inner = mantissaA * mantissaB;
    const double outer = inner * mantissaC;
    return Checked(std::ldexp(outer, exponentA + exponentB + exponentC));
}

} // namespace velmora
