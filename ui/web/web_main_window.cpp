#include "ui/web/web_main_window.h"

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "ui/screen_units.h"
#include "ui/web/web_controls.h"

namespace velmora::ui::web {
namespace {

WebMainWindow* shownWindow = nullptr;  // the page's one window, for its entry points

// The frame the page draws around the client area, in CSS pixels at the
// layout's scale. Its size is known, not measured: placing the window needs
// no layout of the page before its first frame.
constexpr int kBorderWidth = 1;
constexpr int kTitleBarHeight = 22;
constexpr FontSpec kTitleFont{kControlFont.face, 9, 700};  // 12 CSS pixels

// Viewports narrower than this, in CSS pixels (a phone held upright), have
// the window laid out larger to fill their width; wider ones show it at its
// own size unless that does not fit.
constexpr double kNarrowViewport = 600;

int Row(ControlId id) { return static_cast<int>(&Layout(id) - kControls.data()); }

// The CSS font families of every text: the layout's face, its look-alikes,
// the system's sans-serif face.
std::string CssFaces() {
    std::string css = "\"" + std::string(kControlFont.face) + "\"";
    for (std::string_view face : kFallbackFaces) css += ", \"" + std::string(face) + "\"";
    return css + ", sans-serif";
}

// A CSS font at its size in CSS pixels, at the dpi given (96 as laid out).
std::string CssFont(const FontSpec& font, double dpi) {
    return std::to_string(font.weight) + " " + std::to_string(FontPixelSize(font, dpi)) + "px var(--faces)";
}

std::string CssColour(const Rgb& colour) {
    return "rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
           std::to_string(colour.blue) + ")";
}

void Make(int row, const ControlLayout& layout) {
    const std::string caption(layout.caption);
    const std::string spoken(layout.accessibleName);
    switch (layout.kind) {
    case ControlKind::GroupFrame: velmora_page_make_frame(row, caption.c_str()); return;
    case ControlKind::TextBox: velmora_page_make_text_box(row, spoken.c_str()); return;
    case ControlKind::OptionButton:
        velmora_page_make_option(row, layout.container ? Row(*layout.container) : -1, caption.c_str(), spoken.c_str());
        return;
    case ControlKind::PushButton: velmora_page_make_button(row, caption.c_str()); return;
    case ControlKind::Label: velmora_page_make_label(row); return;
    }
}

// Option buttons and what takes no focus stay in their frame, which gives
// them its name as a group; the rest stand on the client area.
bool StaysInFrame(const ControlLayout& layout) {
    return layout.container && (layout.kind == ControlKind::OptionButton || !TakesFocus(layout.kind));
}

// The row of the control's parent in the page: its frame, or the client
// area (-1).
int Parent(const ControlLayout& layout) { return StaysInFrame(layout) ? Row(*layout.container) : -1; }

void Place(const ControlLayout& layout) {
    velmora_page_place(Row(layout.id), std::string(layout.name).c_str(), Parent(layout));
}

// The control's rectangle in its parent: on the client area with its
// frames' offsets added.
TwipsRect RectInParent(const ControlLayout& layout) {
    TwipsRect rect = layout.rect;
    if (Parent(layout) >= 0) return rect;
    for (std::optional<ControlId> frame = layout.container; frame; frame = Layout(*frame).container) {
        rect.left += Layout(*frame).rect.left;
        rect.top += Layout(*frame).rect.top;
    }
    return rect;
}

// Puts the controls in the page in the window's tab order, which the
// page's focus then follows by itself: a frame where its first tab stop
// falls, with what it holds in table order (the order arrows move in
// within a group).
void PlaceInTabOrder() {
    std::array<bool, kControls.size()> placed{};
    auto placeFrame = [&placed](const ControlLayout& frame) {
        if (placed[static_cast<std::size_t>(Row(frame.id))]) return;
        placed[static_cast<std::size_t>(Row(frame.id))] = true;
        Place(frame);
        for (const ControlLayout& held : kControls)
            if (held.container == frame.id && StaysInFrame(held)) Place(held);
    };
    for (const ControlLayout* layout : InTabOrder()) {
        if (StaysInFrame(*layout))
            placeFrame(Layout(*layout->container));
        else if (layout->kind != ControlKind::GroupFrame)
            Place(*layout);
    }
    for (const ControlLayout& layout : kControls)  // frames with nothing in them
        if (layout.kind == ControlKind::GroupFrame) placeFrame(layout);
}

} // namespace

WebMainWindow::WebMainWindow() {
    // Measured while the page is still empty: reading the viewport's size
    // lays the page out, quickly before the window is in it.
    MeasureViewport();
    velmora_page_build_window(std::string(kWindow.name).c_str(), std::string(kWindow.title).c_str(),
                              CssFaces().c_str(), CssColour(kWindow.resultTextColour).c_str(),
                              Row(kWindow.defaultButton));
    for (std::size_t row = 0; row < kControls.size(); ++row) Make(static_cast<int>(row), kControls[row]);
    PlaceInTabOrder();
    ScaleToViewport();
    velmora_page_focus(Row(FirstFocusedControl()));
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
    viewportWidth_ = velmora_page_viewport_width();
    viewportHeight_ = velmora_page_viewport_height();
}

// The scale at which the window's outer width is the viewport's, or its
// outer height; no larger than 1 but on a narrow viewport.
void WebMainWindow::ScaleToViewport() {
    const double clientWidth = kWindow.clientWidth / double(kTwipsPerPixel);
    const double clientHeight = kWindow.clientHeight / double(kTwipsPerPixel);
    double scale = std::min((viewportWidth_ - 2 * kBorderWidth) / clientWidth,
                            (viewportHeight_ - 2 * kBorderWidth) / (kTitleBarHeight + clientHeight));
    if (viewportWidth_ >= kNarrowViewport) scale = std::min(scale, 1.0);
    // A viewport of no size (a frame not laid out yet) leaves the window at its own.
    scale_ = scale > 0 ? scale : 1;
    LayOut();
}

// Every measure at the scale: pixels and fonts as at a screen of that many
// times 96 dots per inch, so that text is laid out at its size, not
// magnified.
void WebMainWindow::LayOut() {
    const double dpi = kLayoutDpi * scale_;
    const auto pixels = [dpi](double twips) { return PixelsFromTwips(twips, dpi); };
    const int clientWidth = pixels(kWindow.clientWidth);
    const int clientHeight = pixels(kWindow.clientHeight);
    const int titleBarHeight = static_cast<int>(std::lround(kTitleBarHeight * scale_));
    velmora_page_size_window(clientWidth, clientHeight, kBorderWidth, titleBarHeight,
                             CssFont(kTitleFont, dpi).c_str());
    outerWidth_ = clientWidth + 2 * kBorderWidth;
    outerHeight_ = titleBarHeight + clientHeight + 2 * kBorderWidth;
    for (const ControlLayout& layout : kControls) {
        const TwipsRect rect = RectInParent(layout);
        velmora_page_set_box(Row(layout.id), pixels(rect.left), pixels(rect.top), pixels(rect.width),
                             pixels(rect.height), CssFont(layout.font, dpi).c_str());
    }
    for (const LineLayout& line : kLines)
        velmora_page_set_line(std::string(line.name).c_str(), pixels(std::min(line.x1, line.x2)),
                              pixels(std::min(line.y1, line.y2)), pixels(std::abs(line.x2 - line.x1)) + 1,
                              pixels(std::abs(line.y2 - line.y1)) + 1);
}

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

float WebMainWindow::OuterWidth() const { return TwipsFromPixels(outerWidth_); }
float WebMainWindow::OuterHeight() const { return TwipsFromPixels(outerHeight_); }
void WebMainWindow::SetLeft(float twips) { velmora_page_set_window_left(PixelsFromTwips(twips)); }
void WebMainWindow::SetTop(float twips) { velmora_page_set_window_top(PixelsFromTwips(twips)); }
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
