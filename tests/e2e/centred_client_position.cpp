// Prints where the client area of Velmora's window lies on the screen when
// the window, frame included, is centred on it, with the frame as this
// Windows (or Wine) measures it: "x,y". Wine without a window manager draws
// no frame but places the client area as if it did, and its frame differs
// between versions (a 19-pixel caption in Wine 8, 26 in Wine 10).
#include <cstdio>

#include "ui/screen_units.h"
#include "ui/win32/win32_main_window.h"

int main() {
    using velmora::ui::kTwipsPerPixel;
    using velmora::ui::kWindow;
    RECT rect{0, 0, static_cast<LONG>(kWindow.clientWidth / kTwipsPerPixel),
              static_cast<LONG>(kWindow.clientHeight / kTwipsPerPixel)};
    if (!AdjustWindowRectEx(&rect, velmora::ui::win32::kMainWindowStyle, FALSE, 0)) return 1;
    // Half pixels go to the right and down, as the program rounds them.
    const LONG left = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left) + 1) / 2;
    const LONG top = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top) + 1) / 2;
    std::printf("%ld,%ld\n", left - rect.left, top - rect.top);
    return 0;
}
