#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "calc/number_text.h"
#include "expect_fault.h"
#include "named_rows.h"

namespace velmora {
namespace {

struct ReadRow {
    const char* name;
    std::string text;
    double expected;
};

class ReadLeadingNumberTest : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadLeadingNumberTest, ReadsTheNumberAtTheStart) {
    const ReadRow& row = GetParam();
    const double value = ReadLeadingNumber(row.text);
    EXPECT_EQ(value, row.expected) << "text: \"" << row.text << '"';
    EXPECT_EQ(std::signbit(value), std::signbit(row.expected)) << "text: \"" << row.text << '"';
}

INSTANTIATE_TEST_SUITE_P(TypedTexts, ReadLeadingNumberTest, testing::Values(
    ReadRow{"Empty", "", 0},
    ReadRow{"Letters", "abc", 0},
    ReadRow{"NumberThenLetters", "12abc", 12},
    ReadRow{"CommaEndsTheNumber", "1,5", 1},
    ReadRow{"BlankBetweenDigits", "1 2", 12},
    ReadRow{"Negative", "-3", -3},
    ReadRow{"ExplicitPlus", "+4", 4},
    ReadRow{"NoWholeDigits", ".5", 0.5},
    ReadRow{"NoFractionDigits", "5.", 5},
    ReadRow{"SecondPointEnds", "1.2.3", 1.2},
    ReadRow{"Exponent", "1e3", 1000},
    ReadRow{"NegativeExponentCapitalE", "2.5E-3", 0.0025},
    ReadRow{"UnitWordAfter", "60 cycles", 60},
    ReadRow{"OnlyBlanks", " \t\n ", 0},
    ReadRow{"TabAndLineFeedRemoved", "1\t2\n3", 123},
    ReadRow{"BlanksEverywhere", " - 1 . 5 e 2 ", -150},
    ReadRow{"CarriageReturnEnds", "1\r2", 1},
    ReadRow{"NoBreakSpaceEnds", "1\xC2\xA0" "2", 1},
    ReadRow{"ExponentWithoutDigits", "1e", 1},
    ReadRow{"ExponentSignWithoutDigits", "1e+", 1},
    ReadRow{"ExponentLetterThenText", "7Ex", 7},
    ReadRow{"ExponentThenPoint", "1e2.5", 100},
    ReadRow{"OnlyPoint", ".", 0},
    ReadRow{"OnlySign", "-", 0},
    ReadRow{"PointAndExponentNoDigits", "-.e5", 0},
    ReadRow{"TwoSigns", "+-5", 0},
    ReadRow{"LeadingZeros", "007.50", 7.5},
    ReadRow{"NegativeZero", "-0", -0.0},
    ReadRow{"ZeroWithHugeExponent", "0e99999999999", 0},
    ReadRow{"ZeroesWithHugeExponent", "000.000e99999999999999999999", 0},
    ReadRow{"FullwidthDigitIsNoDigit", "\xEF\xBC\x91", 0},
    ReadRow{"HexPrefixNotAccepted", "&H10", 0},
    ReadRow{"OtherExponentLetter", "1d5", 1},
    ReadRow{"LargestDouble", "1.7976931348623157e308", DBL_MAX},
    ReadRow{"LargestDoubleAsDigits", "179769313486231570" + std::string(291, '0'), DBL_MAX},
    ReadRow{"SmallestNormal", "2.2250738585072014e-308", DBL_MIN},
    ReadRow{"SmallestSubnormal", "4.9406564584124654e-324", 4.9406564584124654e-324},
    ReadRow{"RoundsUpToSmallestSubnormal", "3e-324", 4.9406564584124654e-324},
    ReadRow{"RoundsDownToZero", "2e-324", 0},
    ReadRow{"UnderflowIsZero", "1e-400", 0},
    ReadRow{"NegativeUnderflowIsNegativeZero", "-1e-400", -0.0},
    ReadRow{"HugeNegativeExponent", "1e-99999999999999999999", 0},
    ReadRow{"ManyDigitsBalancedByExponent", "1" + std::string(100000, '0') + "e-100000", 1},
    ReadRow{"ManyFractionDigitsBalancedByExponent",
            "0." + std::string(100000, '0') + "25e100001", 2.5},
    ReadRow{"LongFractionUnderflows", "0." + std::string(1 << 20, '0') + "1", 0},
    ReadRow{"MegabyteOfBlanksBefore", std::string(1 << 20, ' ') + "42", 42},
    ReadRow{"MegabyteOfDigitsAfterPoint", "0.5" + std::string(1 << 20, '0') + "1", 0.5}),
    RowName{});

struct OverflowRow {
    const char* name;
    std::string text;
};

class ReadLeadingNumberOverflowTest : public testing::TestWithParam<OverflowRow> {};

TEST_P(ReadLeadingNumberOverflowTest, RaisesOverflow) {
    ExpectOverflow([] { ReadLeadingNumber(GetParam().text); });
}

INSTANTIATE_TEST_SUITE_P(BeyondTheDoubleRange, ReadLeadingNumberOverflowTest, testing::Values(
    OverflowRow{"JustAboveLargest", "1.7976931348623159e308"},
    OverflowRow{"TypedTooLarge", "1e999"},
    OverflowRow{"NegativeTooLarge", "-1e400"},
    OverflowRow{"BlanksInExponent", "1e 3 0 9"},
    OverflowRow{"HugeExponent", "1e99999999999999999999"},
    OverflowRow{"MegabyteOfDigits", std::string(1 << 20, '9')},
    OverflowRow{"SmallMantissaLargeExponent", "0.001e312"}),
    RowName{});

} // namespace
} // namespace velmora
