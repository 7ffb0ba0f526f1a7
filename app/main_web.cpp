// Velmora in the browser: build the window in the page and load it; from
// then on the browser's event loop runs it, through the window's entry
// points (ui/web/web_main_window.cpp).
#include "ui/main_window.h"
#include "ui/web/web_main_window.h"

int main() {
    static velmora::ui::web::WebMainWindow window;
    velmora::ui::LoadMainWindow(window);
    return 0;
}
