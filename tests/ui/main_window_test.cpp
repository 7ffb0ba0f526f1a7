#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "../calc/named_rows.h"
#include "calc/number_text.h"
#include "fake_window.h"

namespace velmora::ui {
namespace {

using testing::FakeWindow;

TEST(LoadMainWindowTest, CentresThenSetsDefaultsThenEmptiesEverything) {
    FakeWindow window;
    LoadMainWindow(window);
    const std::vector<std::string> expected{
        "SetLeft", "SetTop",
        "Select optMHz", "SetCaption lblXL ''",
        "Select optuH", "SetCaption lblXL ''",
        "SetText txtFreq ''", "SetText txtL ''",
        "SetCaption lblXL ''"};
    EXPECT_EQ(window.log, expected);
    EXPECT_TRUE(window.IsSelected(ControlId::optMHz));
    EXPECT_TRUE(window.IsSelected(ControlId::optuH));
    EXPECT_EQ(window.Text(ControlId::txtFreq), "");
    EXPECT_EQ(window.Text(ControlId::txtL), "");
    EXPECT_EQ(window.Caption(ControlId::lblXL), "");
}

struct CentreRow {
    const char* name;
    float outerWidth, outerHeight, screenWidth, screenHeight;
    float left, top;
};

class CenterOnScreenTest : public ::testing::TestWithParam<CentreRow> {};

TEST_P(CenterOnScreenTest, PlacesTheOuterRectangleMidScreen) {
    const CentreRow& row = GetParam();
    FakeWindow window;
    window.outerWidth = row.outerWidth;
    window.outerHeight = row.outerHeight;
    window.screenWidth = row.screenWidth;
    window.screenHeight = row.screenHeight;
    CenterOnScreen(window);
    EXPECT_EQ(window.left, row.left);
    EXPECT_EQ(window.top, row.top);
}

INSTANTIATE_TEST_SUITE_P(Screens, CenterOnScreenTest, ::testing::Values(
    CentreRow{"ClientOnlyOn1024x768", 4020, 4680, 15360, 11520, 5670, 3420},
    CentreRow{"FramedOn1920x1080", 4140, 5190, 28800, 16200, 12330, 5505},
    CentreRow{"OddPixelsGiveHalfTwips", 4020, 4680, 15375, 11535, 5677.5f, 3427.5f},
    CentreRow{"WiderThanScreen", 20000, 4680, 15360, 11520, -2320, 3420},
    CentreRow{"TallerThanScreen", 4020, 12000, 15360, 11520, 5670, -240},
    CentreRow{"LargerBothWays", 30001, 30001, 1500, 1500, -14250.5f, -14250.5f}),
    RowName{});

struct CalculateRow {
    const char* name;
    const char* frequency;
    ControlId frequencyUnit;
    const char* inductance;
    ControlId inductanceUnit;
    const char* shown;  // the label after Calculate
    bool spoken;        // announced to screen readers
};

class CalculateTest : public ::testing::TestWithParam<CalculateRow> {};

TEST_P(CalculateTest, ShowsTheResultOrLeavesTheLabel) {
    const CalculateRow& row = GetParam();
    FakeWindow window;
    LoadMainWindow(window);
    window.Type(ControlId::txtFreq, row.frequency);
    window.Click(row.frequencyUnit);
    window.Type(ControlId::txtL, row.inductance);
    window.Click(row.inductanceUnit);
    window.SetCaption(ControlId::lblXL, "earlier");
    window.log.clear();
    window.Click(ControlId::cmdCalc);
    EXPECT_EQ(window.Caption(ControlId::lblXL), row.shown);
    EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "Announce lblXL"), row.spoken ? 1 : 0);
    EXPECT_TRUE(window.reportedFaults.empty());
}

INSTANTIATE_TEST_SUITE_P(Inputs, CalculateTest, ::testing::Values(
    CalculateRow{"SixtyHertz", "60", ControlId::optHz, "100", ControlId::optmH,
                 "Inductive Reactance = 37.7 ohms", true},
    CalculateRow{"Kilohertz", "10", ControlId::optKHz, "10", ControlId::optmH,
                 "Inductive Reactance = 628.32 ohms", true},
    CalculateRow{"DefaultUnits", "2", ControlId::optMHz, "8", ControlId::optuH,
                 "Inductive Reactance = 100.53 ohms", true},
    CalculateRow{"EmptyFrequencyLeavesLabel", "", ControlId::optHz, "100", ControlId::optmH, "earlier", false},
    CalculateRow{"NegativeInductanceLeavesLabel", "60", ControlId::optHz, "-1", ControlId::optmH,
                 "earlier", false}),
    RowName{});

TEST(CalculateTest, FaultIsNotCaughtByTheHandler) {
    FakeWindow window;
    LoadMainWindow(window);
    window.Type(ControlId::txtFreq, "1e999");
    window.Type(ControlId::txtL, "1");
    EXPECT_THROW(Calculate(window), ArithmeticFault);
}

TEST(DispatchEventTest, FaultIsReportedAndLeavesTheLabel) {
    FakeWindow window;
    LoadMainWindow(window);
    window.Type(ControlId::txtFreq, "1e300");
    window.Click(ControlId::optHz);
    window.Type(ControlId::txtL, "1e300");
    window.Click(ControlId::optmH);
    window.SetCaption(ControlId::lblXL, "earlier");
    window.Click(ControlId::cmdCalc);
    EXPECT_EQ(window.reportedFaults, std::vector<std::string>{"Overflow"});
    EXPECT_EQ(window.Caption(ControlId::lblXL), "earlier");
}

struct ActionRow {
    const char* name;
    std::function<void(FakeWindow&)> act;
    bool emptiesResult;
};

class UserActionTest : public ::testing::TestWithParam<ActionRow> {};

TEST_P(UserActionTest, EmptiesTheShownResultOrNot) {
    FakeWindow window;
    LoadMainWindow(window);
    window.Type(ControlId::txtFreq, "60");
    window.Click(ControlId::optHz);
    window.Type(ControlId::txtL, "100");
    window.Click(ControlId::optmH);
    window.Click(ControlId::cmdCalc);
    const std::string shown = window.Caption(ControlId::lblXL);
    ASSERT_EQ(shown, "Inductive Reactance = 37.7 ohms");

    GetParam().act(window);
    EXPECT_EQ(window.Caption(ControlId::lblXL), GetParam().emptiesResult ? "" : shown);
}

INSTANTIATE_TEST_SUITE_P(Actions, UserActionTest, ::testing::Values(
    ActionRow{"TypeInFrequency", [](FakeWindow& w) { w.Type(ControlId::txtFreq, "0"); }, true},
    ActionRow{"TypeInInductance", [](FakeWindow& w) { w.Type(ControlId::txtL, "x"); }, true},
    ActionRow{"ProgramSetsFrequency", [](FakeWindow& w) { w.SetText(ControlId::txtFreq, "5"); }, true},
    ActionRow{"ClickHz", [](FakeWindow& w) { w.Click(ControlId::optHz); }, true},
    ActionRow{"ClickKHz", [](FakeWindow& w) { w.Click(ControlId::optKHz); }, true},
    ActionRow{"ClickMHz", [](FakeWindow& w) { w.Click(ControlId::optMHz); }, true},
    ActionRow{"ClickmH", [](FakeWindow& w) { w.Click(ControlId::optmH); }, true},
    ActionRow{"ClickuH", [](FakeWindow& w) { w.Click(ControlId::optuH); }, true},
    ActionRow{"CalculateAgainShowsSameLine", [](FakeWindow& w) { w.Click(ControlId::cmdCalc); }, false},
    ActionRow{"ClickOnLabelIsNotHandled", [](FakeWindow& w) { w.Raise(ControlId::lblXL, ControlEvent::Click); },
              false},
    ActionRow{"ClickOnFrameIsNotHandled", [](FakeWindow& w) { w.Raise(ControlId::Frame2, ControlEvent::Click); },
              false},
    ActionRow{"ClickOnTextBoxIsNotHandled",
              [](FakeWindow& w) { w.Raise(ControlId::txtFreq, ControlEvent::Click); }, false}),
    RowName{});

} // namespace
} // namespace velmora::ui
