// Velmora in the browser: the page arrives with the window as loading
// leaves it (ui/web/write_page.cpp runs LoadMainWindow at build time), and
// what a person has done since stands; the module attaches to it and
// centres it as loading does. From then on the browser's event loop runs
// it, through the window's entry points (ui/web/web_main_window.cpp).
#include "ui/main_window.h"
#include "ui/web/web_main_window.h"

int main() {
    static velmora::ui::web::WebMainWindow window;
    velmora::ui::CenterOnScreen(window);
    return 0;
}
