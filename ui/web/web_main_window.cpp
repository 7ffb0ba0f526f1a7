#include "ui/web/web_main_window.h"

#include <emscripten.h>

#include <algorithm>

#include "ui/screen_units.h"
#include "ui/web/web_page.h"

namespace velmora::ui::web {
namespace {

WebMainWindow* shownWindow = nullptr;  // the page's one window, for its entry points

// The frame the page draws around the client area, in CSS pixels. Its size
// is known, not measured: placing the window needs no layout of the page
// before its first frame.
constexpr int kBorderWidth = 1;
constexpr int kTitleBarHeight = 22;
const int kClientWidth = PixelsFromTwips(kWindow.clientWidth);
const int kClientHeight = PixelsFromTwips(kWindow.clientHeight);
const int kOuterWidth = kClientWidth + 2 * kBorderWidth;
const int kOuterHeight = kTitleBarHeight + kClientHeight + 2 * kBorderWidth;

// Viewports narrower than this, in CSS pixels (a phone held upright), have
// the window scaled to fill their width; wider ones show it at its own size
// unless that does not fit.
constexpr double kNarrowViewport = 600;

int Row(ControlId id) { return static_cast<int>(&Layout(id) - kControls.data()); }

// A CSS font: the layout's face, its look-alikes, the system's sans-serif
// face, at the layout's size in CSS pixels (96 to the inch).
std::string CssFont(const FontSpec& font) {
    std::string css = std::to_string(font.weight) + " " + std::to_string(FontPixelSize(font)) + "px \"" +
                      std::string(font.face) + "\"";
    for (std::string_view face : kFallbackFaces) css += ", \"" + std::string(face) + "\"";
    return css + ", sans-serif";
}

std::string CssColour(const Rgb& colour) {
    return "rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + ")";
}

void AddControl(int row, const ControlLayout& layout) {
    const int container = layout.container ? Row(*layout.container) : -1;
    const int left = PixelsFromTwips(layout.rect.left);
    const int top = PixelsFromTwips(layout.rect.top);
    const int width = PixelsFromTwips(layout.rect.width);
    const int height = PixelsFromTwips(layout.rect.height);
    const std::string font = CssFont(layout.font);
    const std::string name(layout.name);
    const std::string caption(layout.caption);
    const std::string spoken(layout.accessibleName);
    switch (layout.kind) {
    case ControlKind::GroupFrame:
        velmora_page_add_frame(row, name.c_str(), container, left, top, width, height, font.c_str(), caption.c_str());
        return;
    case ControlKind::TextBox:
        velmora_page_add_text_box(row, name.c_str(), container, left, top, width, height, font.c_str(),
                                  layout.tabIndex, spoken.c_str());
        return;
    case ControlKind::OptionButton:
        velmora_page_add_option(row, name.c_str(), container, left, top, width, height, font.c_str(),
                                layout.tabIndex, caption.c_str(), spoken.c_str());
        return;
    case ControlKind::PushButton:
        velmora_page_add_button(row, name.c_str(), container, left, top, width, height, font.c_str(),
                                layout.tabIndex, caption.c_str());
        return;
    case ControlKind::Label:
        velmora_page_add_label(row, name.c_str(), container, left, top, width, height, font.c_str(), spoken.c_str());
        return;
    }
}

} // namespace

WebMainWindow::WebMainWindow() {
    // Measured while the page is still empty: reading the viewport's size
    // lays the page out, quickly before the window is in it.
    MeasureViewport();
    const std::string title(kWindow.title);
    velmora_page_build_window(title.c_str(), kClientWidth, kClientHeight, kBorderWidth, kTitleBarHeight,
                              CssColour(kWindow.resultTextColour).c_str(), Row(kWindow.defaultButton));
    for (std::size_t row = 0; row < kControls.size(); ++row) AddControl(static_cast<int>(row), kControls[row]);
    for (const LineLayout& line : kLines)
        velmora_page_add_line(std::string(line.name).c_str(), PixelsFromTwips(line.x1), PixelsFromTwips(line.y1),
                              PixelsFromTwips(line.x2), PixelsFromTwips(line.y2));
    ScaleToViewport();
    shownWindow = this;
}

WebMainWindow::~WebMainWindow() {
    if (shownWindow == this) shownWindow = nullptr;
}

void WebMainWindow::FitToViewport() {
    MeasureViewport();
    ScaleToViewport();
}

void WebMainWindow::MeasureViewport() {
    viewportWidth_ = velmora_page_viewport_size(1);
    viewportHeight_ = velmora_page_viewport_size(0);
}

void WebMainWindow::ScaleToViewport() {
    double scale = std::min(viewportWidth_ / kOuterWidth, viewportHeight_ / kOuterHeight);
    if (viewportWidth_ >= kNarrowViewport) scale = std::min(scale, 1.0);
    // A viewport of no size (a frame not laid out yet) leaves the window at its own.
    scale_ = scale > 0 ? scale : 1;
    velmora_page_scale_window(scale_);
}

void WebMainWindow::FocusFirstControl() { velmora_page_focus(Row(FirstFocusedControl())); }

void WebMainWindow::OnControlEvent(int row, ControlEvent event) {
    if (row < 0 || row >= static_cast<int>(kControls.size())) return;
    Forward(kControls[static_cast<std::size_t>(row)].id, event);
}

void WebMainWindow::Forward(ControlId control, ControlEvent event) {
    DispatchEvent(*this, control, event, [](const std::string& fault) {
        velmora_page_show_fault(std::string(kWindow.title).c_str(), fault.c_str());
    });
}

std::string WebMainWindow::Text(ControlId textBox) const {
    std::string text(64, '\0');
    const int length = velmora_page_copy_text(Row(textBox), text.data(), static_cast<int>(text.size()));
    if (length >= static_cast<int>(text.size())) {
        text.assign(static_cast<std::size_t>(length) + 1, '\0');
        velmora_page_copy_text(Row(textBox), text.data(), static_cast<int>(text.size()));
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The DOM raises no input event for a value the program sets; the window's
// change notification comes all the same.
void WebMainWindow::SetText(ControlId textBox, const std::string& text) {
    velmora_page_set_text(Row(textBox), text.c_str());
    Forward(textBox, ControlEvent::Change);
}

bool WebMainWindow::IsSelected(ControlId optionButton) const {
    return velmora_page_is_checked(Row(optionButton)) != 0;
}

void WebMainWindow::Select(ControlId optionButton) {
    const bool already = IsSelected(optionButton);
    velmora_page_check(Row(optionButton));
    if (!already) Forward(optionButton, ControlEvent::Click);
}

void WebMainWindow::SetCaption(ControlId label, const std::string& caption) {
    velmora_page_set_caption(Row(label), caption.c_str());
    if (label != kWindow.resultLabel) return;
    result_ = caption;
    // An emptied result empties the live region too, silently.
    if (caption.empty()) velmora_page_speak("");
}

void WebMainWindow::Announce(ControlId label) {
    if (label == kWindow.resultLabel) velmora_page_speak(result_.c_str());
}

float WebMainWindow::OuterWidth() const { return TwipsFromPixels(scale_ * kOuterWidth); }
float WebMainWindow::OuterHeight() const { return TwipsFromPixels(scale_ * kOuterHeight); }
void WebMainWindow::SetLeft(float twips) { velmora_page_place_window(1, PixelsFromTwips(twips)); }
void WebMainWindow::SetTop(float twips) { velmora_page_place_window(0, PixelsFromTwips(twips)); }
float WebMainWindow::ScreenWidth() const { return TwipsFromPixels(viewportWidth_); }
float WebMainWindow::ScreenHeight() const { return TwipsFromPixels(viewportHeight_); }

} // namespace velmora::ui::web

// The window's entry points, which the page calls (web_controls.js).
extern "C" {

EMSCRIPTEN_KEEPALIVE void velmora_text_changed(int row) {
    if (velmora::ui::web::shownWindow != nullptr)
        velmora::ui::web::shownWindow->OnControlEvent(row, velmora::ui::ControlEvent::Change);
}

EMSCRIPTEN_KEEPALIVE void velmora_clicked(int row) {
    if (velmora::ui::web::shownWindow != nullptr)
        velmora::ui::web::shownWindow->OnControlEvent(row, velmora::ui::ControlEvent::Click);
}

// The viewport, the web's screen, has a new size: the window is fitted and
// centred in it again.
EMSCRIPTEN_KEEPALIVE void velmora_viewport_changed() {
    if (velmora::ui::web::shownWindow == nullptr) return;
    velmora::ui::web::shownWindow->FitToViewport();
    velmora::ui::CenterOnScreen(*velmora::ui::web::shownWindow);
}

} // extern "C"
