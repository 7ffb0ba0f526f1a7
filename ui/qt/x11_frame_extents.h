// What an X11 window manager will put around a window, asked before the
// window is first mapped, so that it can be placed where it ends and never
// drawn anywhere else first.
#pragma once

#include <QMargins>

#include <optional>

class QWindow;

namespace velmora::ui::qt {

// Whether the program runs on X11 under a window manager that tells a
// window's frame extents before the window is mapped, on request
// (_NET_REQUEST_FRAME_EXTENTS). openbox, xfwm4 and mutter do; KWin 5.27
// does not.
bool WindowManagerAnnouncesFrames();

// The frame extents the window manager announces for the window, in the
// window's device-independent pixels; nothing when it does not answer in
// time. Needs the native window; set its size hints first, as openbox
// reckons the bottom border from them.
std::optional<QMargins> RequestFrameExtents(QWindow& window);

} // namespace velmora::ui::qt
