#include <gtest/gtest.h>

#include <string>

#include "calc/reactance.h"
#include "expect_fault.h"
#include "named_rows.h"
#include "sample_settings.h"

namespace velmora {
namespace {

using samples::EnglishUs;

constexpr auto Hz = FrequencyUnit::Hz;
constexpr auto KHz = FrequencyUnit::KHz;
constexpr auto MHz = FrequencyUnit::MHz;
constexpr auto mH = InductanceUnit::mH;
constexpr auto uH = InductanceUnit::uH;

struct ReactanceRow {
    const char* name;
    ReactanceInputs inputs;
    RegionalSettings settings;
    std::optional<std::string> line;
};

class CalculateReactanceTest : public testing::TestWithParam<ReactanceRow> {};

TEST_P(CalculateReactanceTest, GivesTheResultLine) {
    EXPECT_EQ(CalculateReactance(GetParam().inputs, GetParam().settings), GetParam().line);
}

std::string Line(const std::string& number) { return "Inductive Reactance = " + number + " ohms"; }

INSTANTIATE_TEST_SUITE_P(Results, CalculateReactanceTest, testing::Values(
    ReactanceRow{"SixtyHertzHundredMillihenries", {"60", Hz, "100", mH}, EnglishUs(), Line("37.7")},
    ReactanceRow{"FiftyHertz", {"50", Hz, "100", mH}, EnglishUs(), Line("31.42")},
    ReactanceRow{"BelowOneOhm", {"60", Hz, "1", mH}, EnglishUs(), Line("0.38")},
    ReactanceRow{"KilohertzMillihenry", {"1", KHz, "1", mH}, EnglishUs(), Line("6.28")},
    ReactanceRow{"MegahertzMicrohenry", {"1", MHz, "1", uH}, EnglishUs(), Line("6.28")},
    ReactanceRow{"TenKilohertzTenMillihenries", {"10", KHz, "10", mH}, EnglishUs(), Line("628.32")},
    ReactanceRow{"TwoMegahertzEightMicrohenries", {"2", MHz, "8", uH}, EnglishUs(), Line("100.53")},
    ReactanceRow{"LargeResultUngrouped", {"100", MHz, "100", mH}, EnglishUs(), Line("62831853")},
    ReactanceRow{"TinyResultIsZero", {"1", Hz, "1", uH}, EnglishUs(), Line("0")},
    ReactanceRow{"UnitsTypedAfterNumbers", {"60 cycles", Hz, "100mH", mH}, EnglishUs(), Line("37.7")},
    ReactanceRow{"CommaEndsFrequency", {"1,000", KHz, "1", mH}, EnglishUs(), Line("6.28")},
    ReactanceRow{"GermanDecimalComma", {"60", Hz, "100", mH}, samples::German(), Line("37,7")},
    ReactanceRow{"GermanStillReadsPoint", {"0.5", KHz, "2,5", mH}, samples::German(), Line("6,28")},
    ReactanceRow{"ExactFactorNotFullPi", {"1", MHz, "1000", mH}, EnglishUs(), Line("6283185.3")},
    ReactanceRow{"UnderflowShowsZero", {"1e-300", Hz, "1e-300", uH}, EnglishUs(), Line("0")},
    ReactanceRow{"InductanceUnderflowsInScaling", {"1e300", Hz, "1e-320", uH}, EnglishUs(), Line("0")},
    ReactanceRow{"WideProductComesBack", {"1.7e308", Hz, "1", uH}, EnglishUs(),
                 Line("1.068141501E+303")},
    ReactanceRow{"ResultInExponentForm", {"1e12", MHz, "1", mH}, EnglishUs(), Line("6.2831853E+15")},
    // Where scaling by multiplying with 0.001 or 0.000001, or taking the
    // factor with the inductance first, moves the result by a hundredth.
    ReactanceRow{"MillihenriesScaledByDivision", {"1", MHz, "350", mH}, EnglishUs(), Line("2199114.85")},
    ReactanceRow{"MicrohenriesScaledByDivision", {"250", MHz, "200", uH}, EnglishUs(), Line("314159.27")},
    ReactanceRow{"FrequencyTimesFactorFirst", {"2", MHz, "325", mH}, EnglishUs(), Line("4084070.45")}),
    RowName{});

INSTANTIATE_TEST_SUITE_P(NoResult, CalculateReactanceTest, testing::Values(
    ReactanceRow{"FrequencyEmpty", {"", Hz, "100", mH}, EnglishUs(), std::nullopt},
    ReactanceRow{"FrequencyZero", {"0", Hz, "100", mH}, EnglishUs(), std::nullopt},
    ReactanceRow{"FrequencyNegative", {"-60", Hz, "100", mH}, EnglishUs(), std::nullopt},
    ReactanceRow{"FrequencyLetters", {"abc", KHz, "100", mH}, EnglishUs(), std::nullopt},
    ReactanceRow{"FrequencyUnderflowsToZero", {"1e-400", MHz, "1", uH}, EnglishUs(), std::nullopt},
    ReactanceRow{"InductanceEmpty", {"60", Hz, "", mH}, EnglishUs(), std::nullopt},
    ReactanceRow{"InductanceZero", {"60", Hz, "0", mH}, EnglishUs(), std::nullopt},
    ReactanceRow{"InductanceNegative", {"60", Hz, "-1", uH}, EnglishUs(), std::nullopt},
    // The inductance is not read at all, so its overflow raises nothing.
    ReactanceRow{"InductanceUnreadWhenFrequencyIsNot", {"0", Hz, "1e999", mH}, EnglishUs(),
                 std::nullopt}),
    RowName{});

struct FaultRow {
    const char* name;
    ReactanceInputs inputs;
};

class ReactanceFaultTest : public testing::TestWithParam<FaultRow> {};

TEST_P(ReactanceFaultTest, RaisesOverflow) {
    ExpectOverflow([] { CalculateReactance(GetParam().inputs, EnglishUs()); });
}

INSTANTIATE_TEST_SUITE_P(Overflow, ReactanceFaultTest, testing::Values(
    FaultRow{"TypedFrequencyBeyondRange", {"1e999", Hz, "1", mH}},
    FaultRow{"KilohertzScaling", {"1e306", KHz, "1", mH}},
    FaultRow{"MegahertzScaling", {"1e303", MHz, "1", mH}},
    FaultRow{"ScalingPastLargest", {"1.7e308", KHz, "1", uH}},
    FaultRow{"TypedInductanceBeyondRange", {"60", Hz, "1e999", mH}},
    FaultRow{"Product", {"1e300", Hz, "1e300", mH}},
    FaultRow{"ProductOfLargeFrequencyAndInductance", {"1e302", MHz, "1e10", uH}}),
    RowName{});

TEST(CalculateReactanceTest, SameLineTwiceInARow) {
    const ReactanceInputs inputs{"60", Hz, "100", mH};
    EXPECT_EQ(CalculateReactance(inputs, EnglishUs()), CalculateReactance(inputs, EnglishUs()));
}

} // namespace
} // namespace velmora
