// Arithmetic steps that raise ArithmeticFault instead of yielding an
// infinity or a NaN. Operands are finite.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

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

// Emscripten's C++ library (libc++ 13 in Debian 12) has no std::bit_cast;
// its compiler has the built-in it is made of.
template <class To, class From>
constexpr To BitCast(const From& from) {
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<To>(from);
#else
    return __builtin_bit_cast(To, from);
#endif
}

constexpr double PowerOfTwo(int exponent) {  // a normal one: -1022 to 1023
    return BitCast<double>(static_cast<std::uint64_t>(1023 + exponent) << 52);
}

// value * 2^exponent, rounded once. Written out rather than std::ldexp,
// which 32-bit Windows runtimes compute with the x87 FSCALE at whatever
// precision the caller left the unit in. Large steps are taken first with
// factors that keep the value normal, so only the last multiplication can
// round, even into the subnormal range.
inline double ScaleByPowerOfTwo(double value, int exponent) {
    constexpr int kUpStep = 1023;
    // A step down stops 53 bits above the subnormal range, so the last
    // multiplication alone rounds.
    constexpr int kDownStep = -1022 + 53;
    for (int step = 0; step < 2 && exponent > 1023; ++step) {
        value *= PowerOfTwo(kUpStep);
        exponent -= kUpStep;
    }
    for (int step = 0; step < 2 && exponent < -1022; ++step) {
        value *= PowerOfTwo(kDownStep);
        exponent -= kDownStep;
    }
    return value * PowerOfTwo(std::clamp(exponent, -1022, 1023));
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
    return Checked(ScaleByPowerOfTwo(outer, exponentA + exponentB + exponentC));
}

} // namespace velmora
