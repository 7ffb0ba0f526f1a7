// The window built with the standard Windows controls from the layout
// tables. It forwards every control notification to the shared behaviour
// and has none of its own.
#pragma once

#include <windows.h>

#include <map>
#include <string_view>
#include <tuple>

#include "ui/main_window.h"

namespace velmora::ui::win32 {

// A fixed-size window with a title bar, a system menu and a minimise button.
inline constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

class Win32MainWindow final : public WindowControls {
public:
    // Creates the window, hidden, with its controls; the program's icon is
    // resource 1 of the instance.
    explicit Win32MainWindow(HINSTANCE instance);
    ~Win32MainWindow() override;
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND Control(ControlId id) const { return controls_.at(id); }

    // Shows the window with the focus in the first control of the tab order.
    void Show(int showCommand);

    // WindowControls
    std::string Text(ControlId textBox) const override;
    void SetText(ControlId textBox, const std::string& text) override;
    bool IsSelected(ControlId optionButton) const override;
    void Select(ControlId optionButton) override;
    void SetCaption(ControlId label, const std::string& caption) override;
    void Announce(ControlId label) override;
    float OuterWidth() const override;
    float OuterHeight() const override;
    void SetLeft(float twips) override;
    void SetTop(float twips) override;
    float ScreenWidth() const override;
    float ScreenHeight() const override;

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls(HINSTANCE instance);
    void LayOut(UINT dpi);
    void Forward(ControlId control, ControlEvent event);
    void Paint();
    int Pixels(double twips) const;
    float Twips(int pixels) const;
    RECT OuterRect() const;

    HWND window_ = nullptr;
    std::map<ControlId, HWND> controls_;
    std::map<std::tuple<std::string_view, double, int>, HFONT> fonts_;
    UINT dpi_ = 96;
};

} // namespace velmora::ui::win32
