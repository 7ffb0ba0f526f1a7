// The window in the page's DOM, which the page arrives with, laid out and
// loaded (write_page.cpp). It forwards every control event to the shared
// behaviour and has none of its own. The page reaches the window made last
// through the entry points below its class (velmora_text_changed and the
// like).
#pragma once

#include <string>

#include "ui/main_window.h"

namespace velmora::ui::web {

class WebMainWindow final : public WindowControls {
public:
    // Attaches to the window's elements in the page; faults go to a modal
    // dialog.
    WebMainWindow();
    ~WebMainWindow() override;
    WebMainWindow(const WebMainWindow&) = delete;
    WebMainWindow& operator=(const WebMainWindow&) = delete;

    // A control event from the page, by the control's row in the layout table.
    void OnControlEvent(int row, ControlEvent event);

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
    void Forward(ControlId control, ControlEvent event);

    std::string result_;  // what the result label shows, for screen readers
};

} // namespace velmora::ui::web
