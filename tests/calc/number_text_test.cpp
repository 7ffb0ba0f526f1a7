#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>

#include "calc/decimal_text.h"
#include "calc/nearest_double.h"
#include "calc/number_text.h"
#include "calc/regional_number.h"
#include "named_rows.h"
#include "sample_settings.h"

namespace velmora {
namespace {

using namespace samples;

RegionalSettings WithNegativeForm(NegativeNumberForm form) {
    RegionalSettings settings = EnglishUs();
    settings.negativeForm = form;
    return settings;
}

RegionalSettings WithoutLeadingZero(RegionalSettings settings) {
    settings.leadingZero = false;
    return settings;
}

// Two decimals: the formatted text, the number read back, and its display.
struct HundredthsRow {
    const char* name;
    RegionalSettings settings;
    double value;
    std::string formatted;
    double rounded;
    std::string shown;
};

class RoundToHundredthsTest : public testing::TestWithParam<HundredthsRow> {};

TEST_P(RoundToHundredthsTest, FormatsReadsBackAndShows) {
    const HundredthsRow& row = GetParam();
    EXPECT_EQ(FormatHundredths(row.value, row.settings), row.formatted);
    const double rounded = RoundToHundredths(row.value, row.settings);
    EXPECT_EQ(rounded, row.rounded);
    EXPECT_EQ(NumberText(rounded, row.settings), row.shown);
}

INSTANTIATE_TEST_SUITE_P(Locales, RoundToHundredthsTest, testing::Values(
    HundredthsRow{"RoundsUpToOneDecimal", EnglishUs(), 37.6991118, "37.70", 37.7, "37.7"},
    HundredthsRow{"RoundsDown", EnglishUs(), 31.4159265, "31.42", 31.42, "31.42"},
    HundredthsRow{"BelowOneKeepsZero", EnglishUs(), 0.376991118, "0.38", 0.38, "0.38"},
    HundredthsRow{"TinyBecomesZero", EnglishUs(), 0.0000062831853, "0.00", 0, "0"},
    HundredthsRow{"GroupedMillions", EnglishUs(), 62831853, "62,831,853.00", 62831853, "62831853"},
    HundredthsRow{"GroupedThousand", EnglishUs(), 1000.0003564, "1,000.00", 1000, "1000"},
    HundredthsRow{"GermanGroupingAndComma", German(), 1234.5678, "1.234,57", 1234.57, "1234,57"},
    HundredthsRow{"GermanOneDecimal", German(), 37.6991118, "37,70", 37.7, "37,7"},
    HundredthsRow{"FrenchNarrowNoBreakSpace", French(), 62831853,
                  "62\u202F" "831\u202F" "853,00", 62831853, "62831853"},
    HundredthsRow{"SwissApostrophe", SwissGerman(), 1234567.891,
                  "1\u2019" "234\u2019" "567.89", 1234567.89, "1234567.89"},
    HundredthsRow{"IndianLakhs", Indian(), 62831853, "6,28,31,853.00", 62831853, "62831853"},
    HundredthsRow{"OneGroupOnly", WithSeparators(".", ",", {3, 0}), 1234567.891,
                  "1234,567.89", 1234567.89, "1234567.89"},
    HundredthsRow{"NoGrouping", WithSeparators(".", ",", {}), 1234567.891,
                  "1234567.89", 1234567.89, "1234567.89"},
    HundredthsRow{"NoLeadingZero", WithoutLeadingZero(EnglishUs()), 0.376991118, ".38", 0.38, "0.38"},
    HundredthsRow{"NoLeadingZeroAboveOne", WithoutLeadingZero(EnglishUs()), 1.5, "1.50", 1.5, "1.5"},
    HundredthsRow{"NegativeParentheses", WithNegativeForm(NegativeNumberForm::Parentheses),
                  -1234.567, "(1,234.57)", -1234.57, "-1234.57"},
    HundredthsRow{"NegativeHyphen", WithNegativeForm(NegativeNumberForm::LeadingHyphen),
                  -1234.567, "-1,234.57", -1234.57, "-1234.57"},
    HundredthsRow{"NegativeHyphenSpace", WithNegativeForm(NegativeNumberForm::LeadingHyphenSpace),
                  -1234.567, "- 1,234.57", -1234.57, "-1234.57"},
    HundredthsRow{"NegativeTrailingHyphen", WithNegativeForm(NegativeNumberForm::TrailingHyphen),
                  -0.5, "0.50-", -0.5, "-0.5"},
    HundredthsRow{"NegativeTrailingHyphenSpace",
                  WithNegativeForm(NegativeNumberForm::TrailingHyphenSpace), -0.5, "0.50 -", -0.5, "-0.5"},
    HundredthsRow{"ExactTieGoesToEvenDown", EnglishUs(), 0.125, "0.12", 0.12, "0.12"},
    HundredthsRow{"ExactTieGoesToEvenUp", EnglishUs(), 0.375, "0.38", 0.38, "0.38"},
    HundredthsRow{"BinaryValueBelowTie", EnglishUs(), 2.675, "2.67", 2.67, "2.67"},
    HundredthsRow{"EmptyDecimalSeparatorFallsBack", WithSeparators("", ","), 1234.5, "1,234.50",
                  1234.5, "1234.5"},
    HundredthsRow{"SameSeparatorsDropGrouping", WithSeparators(",", ","), 1234.5, "1234,50",
                  1234.5, "1234,5"},
    HundredthsRow{"LargeValueExponentForm", EnglishUs(), 1234567890123456.789,
                  "1,234,567,890,123,456.75", 1234567890123456.75, "1.23456789012346E+15"}),
    RowName{});

TEST(RoundToHundredthsTest, LargestDoubleRoundTripsInEveryLocale) {
    for (const RegionalSettings& settings : {EnglishUs(), German(), French(), SwissGerman(), Indian()}) {
        EXPECT_EQ(RoundToHundredths(DBL_MAX, settings), DBL_MAX);
        EXPECT_EQ(RoundToHundredths(-DBL_MAX, settings), -DBL_MAX);
    }
}

// The regional round trip must agree with plain two-decimal rounding for
// values of every size, in every locale's shape.
TEST(RoundToHundredthsTest, AgreesWithPlainRoundingForRandomValues) {
    const std::uint64_t seed = std::random_device{}();
    std::cout << "seed = " << seed << '\n';
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-6, 30);
    const RegionalSettings shapes[] = {EnglishUs(), German(), French(), SwissGerman(), Indian(),
                                       WithNegativeForm(NegativeNumberForm::Parentheses),
                                       WithoutLeadingZero(German())};
    for (int i = 0; i < 20000; ++i) {
        const double value = std::ldexp(mantissa(random), exponent(random) * 3);
        char text[400];
        const char* end = WriteDecimal(text, text + sizeof text, value, DecimalForm::Fixed, 2);
        double expected = 0;
        NearestDouble(text, end, expected);
        for (const RegionalSettings& settings : shapes)
            ASSERT_EQ(RoundToHundredths(value, settings), expected) << "value " << value << " seed " << seed;
    }
}

struct ReadRegionalRow {
    const char* name;
    RegionalSettings settings;
    std::string text;
    std::optional<double> expected;
};

class ReadRegionalNumberTest : public testing::TestWithParam<ReadRegionalRow> {};

TEST_P(ReadRegionalNumberTest, AcceptsOnlyRegionalText) {
    EXPECT_EQ(ReadRegionalNumber(GetParam().text, GetParam().settings), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadRegionalNumberTest, testing::Values(
    ReadRegionalRow{"GroupedGerman", German(), "1.234,57", 1234.57},
    ReadRegionalRow{"UngroupedGerman", German(), "1234,57", 1234.57},
    ReadRegionalRow{"PointIsGroupNotDecimal", German(), "1.5", 15},
    ReadRegionalRow{"SecondDecimalRejected", EnglishUs(), "1.2.3", std::nullopt},
    ReadRegionalRow{"GroupAfterDecimalRejected", EnglishUs(), "1.2,3", std::nullopt},
    ReadRegionalRow{"LeadingGroupRejected", EnglishUs(), ",123", std::nullopt},
    ReadRegionalRow{"LettersRejected", EnglishUs(), "12abc", std::nullopt},
    ReadRegionalRow{"EmptyRejected", EnglishUs(), "", std::nullopt},
    ReadRegionalRow{"OnlySeparatorRejected", EnglishUs(), ".", std::nullopt},
    ReadRegionalRow{"Parentheses", EnglishUs(), "(2.50)", -2.5}),
    RowName{});

struct NumberTextRow {
    const char* name;
    RegionalSettings settings;
    double value;
    std::string shown;
};

class NumberTextTest : public testing::TestWithParam<NumberTextRow> {};

TEST_P(NumberTextTest, ShowsFifteenSignificantDigits) {
    EXPECT_EQ(NumberText(GetParam().value, GetParam().settings), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Values, NumberTextTest, testing::Values(
    NumberTextRow{"TrailingZeroDropped", EnglishUs(), 37.70, "37.7"},
    NumberTextRow{"BareSeparatorDropped", EnglishUs(), 10.00, "10"},
    NumberTextRow{"LeadingZero", EnglishUs(), 0.38, "0.38"},
    NumberTextRow{"Zero", EnglishUs(), 0, "0"},
    NumberTextRow{"NegativeZero", EnglishUs(), -0.0, "0"},
    NumberTextRow{"Negative", EnglishUs(), -2.5, "-2.5"},
    NumberTextRow{"NoGrouping", EnglishUs(), 62831853, "62831853"},
    NumberTextRow{"FifteenDigitsHideBinaryNoise", EnglishUs(), 0.1 + 0.2, "0.3"},
    NumberTextRow{"FifteenDigitsOfAThird", EnglishUs(), 1.0 / 3, "0.333333333333333"},
    NumberTextRow{"LargestPlain", EnglishUs(), 999999999999999, "999999999999999"},
    NumberTextRow{"RoundingReachesExponentForm", EnglishUs(), 999999999999999.9, "1E+15"},
    NumberTextRow{"ExponentFormFrom1e15", EnglishUs(), 1e15, "1E+15"},
    NumberTextRow{"ExponentFormMantissa", EnglishUs(), 123456789012345678.0, "1.23456789012346E+17"},
    NumberTextRow{"ThreeDigitExponent", EnglishUs(), 1.5e300, "1.5E+300"},
    NumberTextRow{"SmallestPlain", EnglishUs(), 0.0001, "0.0001"},
    NumberTextRow{"SmallExponentForm", EnglishUs(), 0.00001, "1E-05"},
    NumberTextRow{"NegativeExponentForm", EnglishUs(), -2.5e-300, "-2.5E-300"},
    NumberTextRow{"CommaDecimal", German(), 37.7, "37,7"},
    NumberTextRow{"CommaDecimalExponentForm", German(), 1.5e20, "1,5E+20"},
    NumberTextRow{"CommaDecimalBelowOne", French(), 0.38, "0,38"},
    NumberTextRow{"NoLeadingZeroSettingIgnored", WithoutLeadingZero(EnglishUs()), 0.38, "0.38"}),
    RowName{});

} // namespace
} // namespace velmora
