#include "ui/web/web_main_window.h"

#include <emscripten.h>

#include <cmath>
#include <string_view>

namespace velmora::ui::web {
namespace {

// The page's side (web_controls.js). Texts cross as UTF-8: a pointer and a
// length into the module's memory.
// clang-format off
EM_JS(void, BuildWindow, (const char* title, int titleLength, int width, int height, const char* colour,
                          int colourLength, int defaultButton), {
    velmoraBuildWindow(velmoraString(title, titleLength), width, height, velmoraString(colour, colourLength));
    velmoraWindow().dataset.defaultButton = defaultButton;
});
EM_JS(void, AddControl, (int row, int kind, const char* name, int nameLength, int container, const char* caption,
                         int captionLength, const char* spoken, int spokenLength, int left, int top, int width,
                         int height, const char* font, int fontLength, int tabIndex), {
    velmoraAddControl(row, kind, velmoraString(name, nameLength), container, velmoraString(caption, captionLength),
                      velmoraString(spoken, spokenLength), left, top, width, height, velmoraString(font, fontLength),
                      tabIndex);
});
EM_JS(void, AddLine, (const char* name, int nameLength, int x1, int y1, int x2, int y2), {
    velmoraAddLine(velmoraString(name, nameLength), x1, y1, x2, y2);
});
EM_JS(int, CopyText, (int row, char* text, int size), {
    return velmoraWriteString(velmoraTextOf(row), text, size);
});
EM_JS(void, SetTextOf, (int row, const char* text, int length), {
    velmoraSetText(row, velmoraString(text, length));
});
EM_JS(int, IsChecked, (int row), { return velmoraIsChecked(row) ? 1 : 0; });
EM_JS(void, Focus, (int row), { velmoraControls[row].focus(); });
EM_JS(void, Check, (int row), { velmoraCheck(row); });
EM_JS(void, SetCaptionOf, (int row, const char* text, int length), {
    velmoraSetCaption(row, velmoraString(text, length));
});
EM_JS(void, Speak, (const char* text, int length), { velmoraSpeak(velmoraString(text, length)); });
EM_JS(double, OuterSize, (int horizontal), { return velmoraOuterSize(horizontal); });
EM_JS(double, ViewportSize, (int horizontal), { return velmoraViewportSize(horizontal); });
EM_JS(void, Place, (int horizontal, int pixels), { velmoraPlace(horizontal, pixels); });
EM_JS(void, ShowFault, (const char* title, int titleLength, const char* text, int textLength), {
    velmoraShowFault(velmoraString(title, titleLength), velmoraString(text, textLength));
});
// clang-format on

int Length(std::string_view text) { return static_cast<int>(text.size()); }

int Row(ControlId id) { return static_cast<int>(&Layout(id) - kControls.data()); }

int Pixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
float Twips(double pixels) { return static_cast<float>(pixels * kTwipsPerPixel); }

// A CSS font: the layout's face, a sans-serif face where it is missing, at
// the layout's size in CSS pixels (96 to the inch).
std::string CssFont(const FontSpec& font) {
    return std::to_string(font.weight) + " " + std::to_string(std::lround(font.points * 96 / 72)) + "px \"" +
           std::string(font.face) + "\", \"Microsoft Sans Serif\", \"Liberation Sans\", Arial, sans-serif";
}

std::string CssColour(const Rgb& colour) {
    return "rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + ")";
}

} // namespace

WebMainWindow::WebMainWindow() {
    const std::string colour = CssColour(kWindow.resultTextColour);
    BuildWindow(kWindow.title.data(), Length(kWindow.title), Pixels(kWindow.clientWidth),
                Pixels(kWindow.clientHeight), colour.data(), Length(colour), Row(kWindow.defaultButton));
    for (std::size_t row = 0; row < kControls.size(); ++row) {
        const ControlLayout& layout = kControls[row];
        const std::string font = CssFont(layout.font);
        AddControl(static_cast<int>(row), static_cast<int>(layout.kind), layout.name.data(), Length(layout.name),
                   layout.container ? Row(*layout.container) : -1, layout.caption.data(), Length(layout.caption),
                   layout.accessibleName.data(), Length(layout.accessibleName), Pixels(layout.rect.left),
                   Pixels(layout.rect.top), Pixels(layout.rect.width), Pixels(layout.rect.height), font.data(),
                   Length(font), layout.tabIndex);
    }
    for (const LineLayout& line : kLines)
        AddLine(line.name.data(), Length(line.name), Pixels(line.x1), Pixels(line.y1), Pixels(line.x2),
                Pixels(line.y2));
}

void WebMainWindow::FocusFirstControl() { Focus(Row(FirstFocusedControl())); }

void WebMainWindow::OnControlEvent(int row, ControlEvent event) {
    if (row < 0 || row >= static_cast<int>(kControls.size())) return;
    Forward(kControls[static_cast<std::size_t>(row)].id, event);
}

void WebMainWindow::Forward(ControlId control, ControlEvent event) {
    DispatchEvent(*this, control, event, [](const std::string& fault) {
        ShowFault(kWindow.title.data(), Length(kWindow.title), fault.data(), Length(fault));
    });
}

std::string WebMainWindow::Text(ControlId textBox) const {
    std::string text(64, '\0');
    const int length = CopyText(Row(textBox), text.data(), static_cast<int>(text.size()));
    if (length >= static_cast<int>(text.size())) {
        text.assign(static_cast<std::size_t>(length) + 1, '\0');
        CopyText(Row(textBox), text.data(), static_cast<int>(text.size()));
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The DOM raises no input event for a value the program sets; the window's
// change notification comes all the same.
void WebMainWindow::SetText(ControlId textBox, const std::string& text) {
    SetTextOf(Row(textBox), text.data(), Length(text));
    Forward(textBox, ControlEvent::Change);
}

bool WebMainWindow::IsSelected(ControlId optionButton) const { return IsChecked(Row(optionButton)) != 0; }

void WebMainWindow::Select(ControlId optionButton) {
    const bool already = IsSelected(optionButton);
    Check(Row(optionButton));
    if (!already) Forward(optionButton, ControlEvent::Click);
}

void WebMainWindow::SetCaption(ControlId label, const std::string& caption) {
    SetCaptionOf(Row(label), caption.data(), Length(caption));
    if (label != kWindow.resultLabel) return;
    result_ = caption;
    // An emptied result empties the live region too, silently.
    if (caption.empty()) Speak(caption.data(), 0);
}

void WebMainWindow::Announce(ControlId label) {
    if (label == kWindow.resultLabel) Speak(result_.data(), Length(result_));
}

float WebMainWindow::OuterWidth() const { return Twips(OuterSize(1)); }
float WebMainWindow::OuterHeight() const { return Twips(OuterSize(0)); }
void WebMainWindow::SetLeft(float twips) { Place(1, Pixels(twips)); }
void WebMainWindow::SetTop(float twips) { Place(0, Pixels(twips)); }
float WebMainWindow::ScreenWidth() const { return Twips(ViewportSize(1)); }
float WebMainWindow::ScreenHeight() const { return Twips(ViewportSize(0)); }

} // namespace velmora::ui::web
