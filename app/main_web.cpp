// Velmora in the browser: build the window in the page and load it; from
// then on the browser's event loop runs it, through the two entries below.
#include <emscripten.h>

#include "ui/main_window.h"
#include "ui/web/web_main_window.h"

namespace {

velmora::ui::web::WebMainWindow* frmVelmora = nullptr;

} // namespace

extern "C" {

// A control event from the page (web_controls.js): 0 a change, 1 a click.
EMSCRIPTEN_KEEPALIVE void velmora_control_event(int row, int event) {
    if (frmVelmora == nullptr) return;
    frmVelmora->OnControlEvent(row, event == 0 ? velmora::ui::ControlEvent::Change : velmora::ui::ControlEvent::Click);
}

// The viewport, the web's screen, has a new size, or the window a new scale
// (page.js): the window is centred in it again.
EMSCRIPTEN_KEEPALIVE void velmora_viewport_changed() {
    if (frmVelmora != nullptr) velmora::ui::CenterOnScreen(*frmVelmora);
}

} // extern "C"

int main() {
    static velmora::ui::web::WebMainWindow window;
    frmVelmora = &window;
    velmora::ui::LoadMainWindow(window);
    window.FocusFirstControl();
    return 0;
}
