// The reader of the user's settings on Windows. ctest runs each suite with
// the user locale it names (under Wine, through LC_ALL).
#include <gtest/gtest.h>

#include "calc/reactance.h"
#include "calc/regional_number.h"

namespace velmora {
namespace {

const ReactanceInputs kSixtyHertzHundredMillihenries{"60", FrequencyUnit::Hz, "100", InductanceUnit::mH};

TEST(EnglishUserLocale, PointAndCommaGroups) {
    const RegionalSettings settings = CurrentRegionalSettings();
    EXPECT_EQ(settings.decimalSeparator, ".");
    EXPECT_EQ(FormatHundredths(1234567.891, settings), "1,234,567.89");
    EXPECT_EQ(CalculateReactance(kSixtyHertzHundredMillihenries), "Inductive Reactance = 37.7 ohms");
}

TEST(GermanUserLocale, CommaDecimalAndPointGroups) {
    const RegionalSettings settings = CurrentRegionalSettings();
    EXPECT_EQ(settings.decimalSeparator, ",");
    EXPECT_EQ(FormatHundredths(1234567.891, settings), "1.234.567,89");
    EXPECT_EQ(RoundToHundredths(1234567.891), 1234567.89);
    EXPECT_EQ(CalculateReactance(kSixtyHertzHundredMillihenries), "Inductive Reactance = 37,7 ohms");
}

} // namespace
} // namespace velmora
