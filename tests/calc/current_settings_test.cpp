// The reader of the user's settings against real locales. ctest points
// LOCPATH at locales generated for the test run; without them these tests
// fail rather than skip.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "calc/reactance.h"
#include "calc/regional_number.h"
#include "named_rows.h"

namespace velmora {
namespace {

class LocaleEnvironment : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("LOCPATH"), nullptr) << "run through ctest, which generates the locales";
        for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) unsetenv(variable);
    }
    void TearDown() override {
        for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) unsetenv(variable);
        std::setlocale(LC_ALL, "C");
    }
};

struct LocaleRow {
    const char* name;
    const char* locale;
    std::string decimalSeparator;
    std::string groupedValue;  // 1234567.891 as two-decimal text
    std::string line;          // 60 Hz with 100 mH
};

class CurrentSettingsTest : public LocaleEnvironment,
                            public testing::WithParamInterface<LocaleRow> {};

TEST_P(CurrentSettingsTest, FollowsTheEnvironmentsLocale) {
    const LocaleRow& row = GetParam();
    setenv("LC_ALL", row.locale, 1);
    const RegionalSettings settings = CurrentRegionalSettings();
    EXPECT_EQ(settings.decimalSeparator, row.decimalSeparator);
    EXPECT_EQ(FormatHundredths(1234567.891, settings), row.groupedValue);
    EXPECT_EQ(RoundToHundredths(1234567.891), 1234567.89);
    EXPECT_EQ(CalculateReactance({"60", FrequencyUnit::Hz, "100", InductanceUnit::mH}), row.line);
}

INSTANTIATE_TEST_SUITE_P(Locales, CurrentSettingsTest, testing::Values(
    LocaleRow{"CLocale", "C", ".", "1234567.89", "Inductive Reactance = 37.7 ohms"},
    LocaleRow{"UnitedStates", "en_US.UTF-8", ".", "1,234,567.89", "Inductive Reactance = 37.7 ohms"},
    LocaleRow{"Germany", "de_DE.UTF-8", ",", "1.234.567,89", "Inductive Reactance = 37,7 ohms"},
    LocaleRow{"France", "fr_FR.UTF-8", ",", "1\u202F" "234\u202F" "567,89",
              "Inductive Reactance = 37,7 ohms"},
    LocaleRow{"Switzerland", "de_CH.UTF-8", ".", "1\u2019" "234\u2019" "567.89",
              "Inductive Reactance = 37.7 ohms"},
    LocaleRow{"India", "en_IN.UTF-8", ".", "12,34,567.89", "Inductive Reactance = 37.7 ohms"},
    // Two-byte separators: U+066B decimal, U+066C grouping.
    LocaleRow{"Afghanistan", "ps_AF.UTF-8", "\xD9\xAB", "1\xD9\xAC" "234\xD9\xAC" "567\xD9\xAB" "89",
              "Inductive Reactance = 37\xD9\xAB" "7 ohms"},
    LocaleRow{"NotInstalledFallsBackToC", "xx_XX.UTF-8", ".", "1234567.89",
              "Inductive Reactance = 37.7 ohms"}),
    RowName{});

struct PrecedenceRow {
    const char* name;
    const char* lcAll;
    const char* lcNumeric;
    const char* lang;
    std::string decimalSeparator;
};

class SettingsPrecedenceTest : public LocaleEnvironment,
                               public testing::WithParamInterface<PrecedenceRow> {};

TEST_P(SettingsPrecedenceTest, TakesTheFirstSetVariable) {
    const PrecedenceRow& row = GetParam();
    if (row.lcAll) setenv("LC_ALL", row.lcAll, 1);
    if (row.lcNumeric) setenv("LC_NUMERIC", row.lcNumeric, 1);
    if (row.lang) setenv("LANG", row.lang, 1);
    EXPECT_EQ(CurrentRegionalSettings().decimalSeparator, row.decimalSeparator);
}

INSTANTIATE_TEST_SUITE_P(Variables, SettingsPrecedenceTest, testing::Values(
    PrecedenceRow{"NoneSetIsC", nullptr, nullptr, nullptr, "."},
    PrecedenceRow{"LangAlone", nullptr, nullptr, "de_DE.UTF-8", ","},
    PrecedenceRow{"NumericOverLang", nullptr, "en_US.UTF-8", "de_DE.UTF-8", "."},
    PrecedenceRow{"AllOverNumeric", "de_DE.UTF-8", "en_US.UTF-8", nullptr, ","},
    PrecedenceRow{"EmptyAllIgnored", "", "de_DE.UTF-8", "en_US.UTF-8", ","}),
    RowName{});

TEST_F(LocaleEnvironment, ReadsAgainAtEveryUseAndLeavesTheProcessLocale) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(NumberText(2.5), "2,5");
    setenv("LC_ALL", "en_US.UTF-8", 1);
    EXPECT_EQ(NumberText(2.5), "2.5");
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), before);
}

// Typed numbers read the same whatever the C library's own locale says.
TEST_F(LocaleEnvironment, ReadLeadingNumberIgnoresTheProcessLocale) {
    const char* const texts[] = {"1,5", "1.5", "2.5E-3", " 1 2 ", "1.234,5", "-0.5e1x", "\xC2\xA0" "7"};
    std::vector<double> inC;
    for (const char* text : texts) inC.push_back(ReadLeadingNumber(text));

    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "generated locale not found";
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(ReadLeadingNumber(texts[i]), inC[i]) << "text \"" << texts[i] << '"';
}

} // namespace
} // namespace velmora
