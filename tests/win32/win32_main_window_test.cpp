// The Win32 window, built for real (under Wine here) and driven through the
// messages Windows itself would send.
#include <gtest/gtest.h>

#include <vector>

#include "../calc/named_rows.h"
#include "ui/win32/accessible_names.h"
#include "ui/win32/win32_main_window.h"

namespace velmora::ui::win32 {
namespace {

std::vector<HWND> liveRegionsRaised;

void CALLBACK RecordLiveRegion(HWINEVENTHOOK, DWORD, HWND control, LONG, LONG, DWORD, DWORD) {
    liveRegionsRaised.push_back(control);
}

class Win32MainWindowTest : public ::testing::Test {
public:
    void SetUp() override { LoadMainWindow(window); }

    std::string Caption(ControlId id) {
        wchar_t text[256] = {};
        GetWindowTextW(window.Control(id), text, 256);
        std::string narrow;
        for (const wchar_t* c = text; *c != 0; ++c) narrow += static_cast<char>(*c);
        return narrow;
    }
    // What a control sends its parent when the user clicks it or types in it.
    void Notify(ControlId id, WORD code) {
        SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window.Control(id)), code),
                     reinterpret_cast<LPARAM>(window.Control(id)));
    }
    RECT RectInParent(ControlId id) {
        RECT rect;
        GetWindowRect(window.Control(id), &rect);
        MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    Win32MainWindow window{GetModuleHandleW(nullptr)};
};

TEST_F(Win32MainWindowTest, ClientAreaAndEveryControlAtTheLayoutsPlace) {
    RECT client;
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, 268);
    EXPECT_EQ(client.bottom, 312);
    for (const ControlLayout& layout : kControls) {
        SCOPED_TRACE(std::string(layout.name));
        int left = layout.rect.left;
        int top = layout.rect.top;
        if (layout.container) {
            left += Layout(*layout.container).rect.left;
            top += Layout(*layout.container).rect.top;
        }
        const RECT rect = RectInParent(layout.id);
        EXPECT_EQ(rect.left, left / 15);
        EXPECT_EQ(rect.top, top / 15);
        EXPECT_EQ(rect.right - rect.left, layout.rect.width / 15);
        EXPECT_EQ(rect.bottom - rect.top, layout.rect.height / 15);
    }
}

TEST_F(Win32MainWindowTest, LoadSelectsMegahertzAndMicrohenries) {
    EXPECT_TRUE(window.IsSelected(ControlId::optMHz));
    EXPECT_TRUE(window.IsSelected(ControlId::optuH));
    EXPECT_FALSE(window.IsSelected(ControlId::optHz));
    EXPECT_EQ(window.Text(ControlId::txtFreq), "");
}

TEST_F(Win32MainWindowTest, TabGoesTextBoxesThenUnitGroupsThenCalculate) {
    const ControlId expected[] = {ControlId::txtL, ControlId::optMHz, ControlId::optuH, ControlId::cmdCalc,
                                  ControlId::txtFreq};
    HWND current = window.Control(ControlId::txtFreq);
    for (const ControlId next : expected) {
        current = GetNextDlgTabItem(window.Handle(), current, FALSE);
        EXPECT_EQ(current, window.Control(next)) << "expected " << Layout(next).name;
    }
}

TEST_F(Win32MainWindowTest, EnterAsksForCalculate) {
    const LRESULT answer = SendMessageW(window.Handle(), DM_GETDEFID, 0, 0);
    EXPECT_EQ(HIWORD(answer), DC_HASDEFID);
    EXPECT_EQ(LOWORD(answer), GetDlgCtrlID(window.Control(ControlId::cmdCalc)));
}

TEST_F(Win32MainWindowTest, SelectingClearsTheGroupAndTheResult) {
    window.SetText(ControlId::txtFreq, "60");
    window.SetText(ControlId::txtL, "100");
    Notify(ControlId::cmdCalc, BN_CLICKED);
    ASSERT_EQ(Caption(ControlId::lblXL), "Inductive Reactance = 37699.11 ohms");
    window.Select(ControlId::optKHz);
    EXPECT_TRUE(window.IsSelected(ControlId::optKHz));
    EXPECT_FALSE(window.IsSelected(ControlId::optMHz));
    EXPECT_TRUE(window.IsSelected(ControlId::optuH));
    EXPECT_EQ(Caption(ControlId::lblXL), "");
}

// Each Calculate that shows a result raises the result label's live region
// event, which Narrator and NVDA speak; also when the line is unchanged.
TEST_F(Win32MainWindowTest, EachResultRaisesTheLabelsLiveRegionEvent) {
    liveRegionsRaised.clear();
    const HWINEVENTHOOK hook = SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, RecordLiveRegion,
                                               0, 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    window.SetText(ControlId::txtFreq, "60");
    window.SetText(ControlId::txtL, "100");
    Notify(ControlId::cmdCalc, BN_CLICKED);
    Notify(ControlId::cmdCalc, BN_CLICKED);
    window.SetText(ControlId::txtL, "");  // no result: nothing to speak
    Notify(ControlId::cmdCalc, BN_CLICKED);
    // Out-of-context events arrive through this thread's message queue.
    for (int i = 0; i < 20; ++i) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    }
    UnhookWinEvent(hook);
    EXPECT_EQ(liveRegionsRaised, std::vector<HWND>(2, window.Control(ControlId::lblXL)));
}

struct NotificationRow {
    const char* name;
    ControlId control;
    WORD code;
    bool emptiesResult;
};

class NotificationTest : public Win32MainWindowTest,
                         public ::testing::WithParamInterface<NotificationRow> {};

TEST_P(NotificationTest, ReachesTheSharedBehaviour) {
    window.SetText(ControlId::txtFreq, "60");
    window.Select(ControlId::optHz);
    window.SetText(ControlId::txtL, "100");
    window.Select(ControlId::optmH);
    Notify(ControlId::cmdCalc, BN_CLICKED);
    ASSERT_EQ(Caption(ControlId::lblXL), "Inductive Reactance = 37.7 ohms");
    Notify(GetParam().control, GetParam().code);
    EXPECT_EQ(Caption(ControlId::lblXL), GetParam().emptiesResult ? "" : "Inductive Reactance = 37.7 ohms");
}

INSTANTIATE_TEST_SUITE_P(Controls, NotificationTest, ::testing::Values(
    NotificationRow{"FrequencyChanged", ControlId::txtFreq, EN_CHANGE, true},
    NotificationRow{"InductanceChanged", ControlId::txtL, EN_CHANGE, true},
    NotificationRow{"HzClicked", ControlId::optHz, BN_CLICKED, true},
    NotificationRow{"uHClicked", ControlId::optuH, BN_CLICKED, true},
    NotificationRow{"CalculateAgain", ControlId::cmdCalc, BN_CLICKED, false},
    NotificationRow{"FocusIsNoChange", ControlId::txtFreq, EN_SETFOCUS, false}),
    RowName{});

} // namespace
} // namespace velmora::ui::win32
