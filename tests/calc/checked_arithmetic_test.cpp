#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "calc/checked_arithmetic.h"
#include "expect_fault.h"
#include "named_rows.h"

namespace velmora {
namespace {

struct FaultRow {
    const char* name;
    std::function<double()> step;
    ArithmeticFault::Kind kind;
    const char* message;
};

class CheckedArithmeticTest : public testing::TestWithParam<FaultRow> {};

TEST_P(CheckedArithmeticTest, RaisesTheNamedFault) {
    ExpectFault([] { GetParam().step(); }, GetParam().kind, GetParam().message);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(Faults, CheckedArithmeticTest, testing::Values(
    FaultRow{"MultiplyOverflow", [] { return CheckedMultiply(DBL_MAX, 2); },
             ArithmeticFault::Kind::Overflow, "Overflow"},
    FaultRow{"DivideOverflow", [] { return CheckedDivide(DBL_MAX, 0.5); },
             ArithmeticFault::Kind::Overflow, "Overflow"},
    FaultRow{"DivideByZero", [] { return CheckedDivide(1, 0); },
             ArithmeticFault::Kind::DivisionByZero, "Division by zero"},
    FaultRow{"ZeroByZero", [] { return CheckedDivide(0, 0); },
             ArithmeticFault::Kind::InvalidOperation, "Invalid operation"},
    FaultRow{"NaNOperand", [] { return CheckedMultiply(kNaN, 1); },
             ArithmeticFault::Kind::InvalidOperation, "Invalid operation"},
    FaultRow{"WideProductOverflow", [] { return CheckedWideProduct(DBL_MAX, 2, 1); },
             ArithmeticFault::Kind::Overflow, "Overflow"}),
    RowName{});

TEST(CheckedWideProductTest, KeepsTheInnerProductsExponent) {
    EXPECT_EQ(CheckedWideProduct(DBL_MAX, 4, 0.25), DBL_MAX);
    EXPECT_EQ(CheckedWideProduct(DBL_MIN, 0.25, 4), DBL_MIN);
    EXPECT_EQ(CheckedWideProduct(1e300, 6.2831853, 0), 0);
}

// Where no intermediate leaves the normal range the wide product is the
// plain double product, bit for bit.
TEST(CheckedWideProductTest, MatchesPlainDoublesInTheNormalRange) {
    const unsigned seed = std::random_device{}();
    std::cout << "seed = " << seed << '\n';
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> mantissa(0.5, 1);
    std::uniform_int_distribution<int> exponent(-300, 300);
    for (int i = 0; i < 100000; ++i) {
        const double a = std::ldexp(mantissa(random), exponent(random));
        const double c = std::ldexp(mantissa(random), exponent(random));
        const double inner = a * 6.2831853;
        const double plain = inner * c;
        if (!std::isnormal(inner) || !std::isnormal(plain)) continue;
        ASSERT_EQ(CheckedWideProduct(a, 6.2831853, c), plain) << a << " * " << c << " seed " << seed;
    }
}

// Scaling rounds once, also where the result falls into the subnormal range
// or beyond the largest double; the runtime's ldexp, at the precision the
// program starts with, is the reference.
TEST(ScaleByPowerOfTwoTest, MatchesACorrectlyRoundedLdexp) {
    const unsigned seed = std::random_device{}();
    std::cout << "seed = " << seed << '\n';
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> mantissa(0.125, 1);
    std::uniform_int_distribution<int> exponent(-1200, 1100);
    for (int i = 0; i < 100000; ++i) {
        const double value = mantissa(random);
        const int power = exponent(random);
        ASSERT_EQ(ScaleByPowerOfTwo(value, power), std::ldexp(value, power))
            << value << " * 2^" << power << " seed " << seed;
    }
}

} // namespace
} // namespace velmora
