#include "ui/web/web_main_window.h"

#include <emscripten.h>

#include "ui/screen_units.h"
#include "ui/web/web_controls.h"

namespace velmora::ui::web {
namespace {

WebMainWindow* shownWindow = nullptr;  // the page's one window, for its entry points

int Row(ControlId id) { return static_cast<int>(RowOf(id)); }

} // namespace

WebMainWindow::WebMainWindow() {
    velmora_page_attach_window(std::string(kWindow.name).c_str(), Row(kWindow.defaultButton));
    for (const ControlLayout& layout : kControls) velmora_page_attach(Row(layout.id), std::string(layout.name).c_str());
    shownWindow = this;
}

WebMainWindow::~WebMainWindow() {
    if (shownWindow == this) shownWindow = nullptr;
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

float WebMainWindow::OuterWidth() const { return TwipsFromPixels(velmora_page_window_width()); }
float WebMainWindow::OuterHeight() const { return TwipsFromPixels(velmora_page_window_height()); }
void WebMainWindow::SetLeft(float twips) { velmora_page_set_window_left(PixelsFromTwips(twips)); }
void WebMainWindow::SetTop(float twips) { velmora_page_set_window_top(PixelsFromTwips(twips)); }
float WebMainWindow::ScreenWidth() const { return TwipsFromPixels(velmora_page_viewport_width()); }
float WebMainWindow::ScreenHeight() const { return TwipsFromPixels(velmora_page_viewport_height()); }

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

// The viewport, the web's screen, has a new size: the stylesheet has laid
// the window out at its scale, and it is centred again.
EMSCRIPTEN_KEEPALIVE void velmora_viewport_changed() {
    if (velmora::ui::web::shownWindow != nullptr) velmora::ui::CenterOnScreen(*velmora::ui::web::shownWindow);
}

} // extern "C"
