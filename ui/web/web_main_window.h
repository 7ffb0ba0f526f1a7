// The window built in the page's DOM from the layout tables. It forwards
// every control event to the shared behaviour and has none of its own. The
// page reaches the window made last through the entry points below its
// class (velmora_text_changed and the like).
#pragma once

#include <string>

#include "ui/main_window.h"

namespace velmora::ui::web {

class WebMainWindow final : public WindowControls {
public:
    // Builds the window into the page's body and gives the first control
    // the focus; faults go to a modal dialog.
    WebMainWindow();
    ~WebMainWindow() override;
    WebMainWindow(const WebMainWindow&) = delete;
    WebMainWindow& operator=(const WebMainWindow&) = delete;

    // A control event from the page, by the control's row in the layout table.
    void OnControlEvent(int row, ControlEvent event);

    // Lays the window out at the scale the viewport as it is now wants: to
    // fill a narrow one's width, and smaller to fit one too small for it;
    // at its own size otherwise.
    void FitToViewport();

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
    void MeasureViewport();
    void ScaleToViewport();
    void LayOut();

    std::string result_;  // what the result label shows, for screen readers
    double viewportWidth_ = 0;   // the viewport, the web's screen, as last measured (CSS pixels)
    double viewportHeight_ = 0;
    double scale_ = 1;           // the window's scale in it, 1 as laid out
    int outerWidth_ = 0;         // the window with its frame, as laid out (CSS pixels)
    int outerHeight_ = 0;
};

} // namespace velmora::ui::web
