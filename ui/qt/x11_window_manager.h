// What an X11 window manager puts around a window and where it puts it,
// settled before the window is first mapped, so that the window is first
// drawn where it stays.
#pragma once

#include <QMargins>
#include <QRect>

#include <optional>

class QWindow;

namespace velmora::ui::qt {

// Whether the program runs on X11 (Qt's xcb platform).
bool OnX11();

// Whether the program runs on X11 under a window manager that offers to
// tell a window's frame extents before the window is mapped, on request
// (_NET_REQUEST_FRAME_EXTENTS). openbox, xfwm4 and mutter do; KWin 5.27
// does not.
bool WindowManagerAnnouncesFrames();

// The frame extents the window manager announces for the window, in the
// window's device-independent pixels; nothing when it does not answer in
// time, or answers that it knows no frame yet (mutter 44 and later). Needs the native window; set its size hints first, as openbox
// reckons the bottom border from them.
std::optional<QMargins> RequestFrameExtents(QWindow& window);

// A window manager's frame around a shown window, in the window's
// device-independent pixels: where it is and how wide each border is.
struct WindowFrame {
    QRect outer;
    QMargins extents;
};

// The frame around the shown window once the window manager has placed it:
// once it announces the extents (_NET_FRAME_EXTENTS) and has given the
// window's outermost ancestor at least the window's size. Nothing before
// that, and nothing where no window manager frames the window.
std::optional<WindowFrame> PlacedFrame(QWindow& window);

// Holds the X server for this program alone while it lives, where the
// program runs on X11: the window manager's requests wait, and so see what
// the program did meanwhile as one change.
class X11ServerGrab {
public:
    X11ServerGrab();
    ~X11ServerGrab();
    X11ServerGrab(const X11ServerGrab&) = delete;
    X11ServerGrab& operator=(const X11ServerGrab&) = delete;
};

// Asks the window manager to centre the frame it makes for the window on the
// window's own centre, as it first places it: the window's gravity becomes
// CenterGravity (ICCCM 4.1.2.3). KWin and mutter do so; openbox shifts the
// frame by half the difference of its borders instead, so this is for where
// the frame is not announced. Qt rewrites the gravity whenever it maps or
// moves the window, so this goes between Qt's mapping and the window
// manager's reading, inside an X11ServerGrab.
void AskToCentreFrame(QWindow& window);

} // namespace velmora::ui::qt
