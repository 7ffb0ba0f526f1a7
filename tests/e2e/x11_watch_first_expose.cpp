// Watches the next top-level window with the given title from its creation:
// where its outermost window (the window manager's frame, or the window
// itself) is when it is first exposed, and whether that moves after that (a
// window first drawn in one place and then moved flickers).
// Positions come from the server's own notifications, in their order, not
// from queries made later, so that a move and its way back are both seen.
// Start it before the program. Prints the position at the first expose and
// where it first moved to after that; exits 0 if the window never moved
// after its first expose, 1 if it did, 2 if no such window was exposed in
// time.
// Usage: x11_watch_first_expose <title> <seconds to watch after the expose>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>

namespace {

struct Rect {
    int x;
    int y;
    int width;
    int height;
};

bool HasTitle(Display* display, Window window, const char* title) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) return false;
    const bool same = std::strcmp(name, title) == 0;
    XFree(name);
    return same;
}

// The innermost of the window and those inside it (a window manager's frame
// holds the client a level or two down) that has the title; 0 if none. The
// client, not the frame: mutter's frames carry the client's title too.
Window Titled(Display* display, Window window, const char* title, int depth = 3) {
    Window found = 0;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (depth > 0 && XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
        for (unsigned i = 0; i < count && found == 0; ++i) found = Titled(display, children[i], title, depth - 1);
        if (children != nullptr) XFree(children);
    }
    if (found == 0 && HasTitle(display, window, title)) found = window;
    return found;
}

// The root window's child that holds the window; 0 if it is gone.
Window TopLevel(Display* display, Window window) {
    for (;;) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return 0;
        if (children != nullptr) XFree(children);
        if (parent == root) return window;
        window = parent;
    }
}

// Windows may be gone by the time they are looked at: a window manager
// makes and drops short-lived ones.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <title> <seconds>\n", argv[0]);
        return 2;
    }
    const char* title = argv[1];
    const auto watchFor = std::chrono::duration<double>(std::atof(argv[2]));
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    const Window root = DefaultRootWindow(display);
    // New top-level windows, and every later change of their geometry, are
    // reported to the root window's substructure.
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    std::map<Window, Rect> topLevels;
    Window shown = 0;  // the top-level window at the first expose
    Rect firstExposed{};
    bool moved = false;
    auto stop = std::chrono::steady_clock::now() + std::chrono::seconds(30);  // to give up
    while (std::chrono::steady_clock::now() < stop) {
        if (XPending(display) == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            const XCreateWindowEvent& created = event.xcreatewindow;
            topLevels[created.window] = {created.x, created.y, created.width, created.height};
            // Caught before any window manager maps it.
            XSelectInput(display, created.window, ExposureMask);
        } else if (event.type == ConfigureNotify && event.xconfigure.event == root) {
            const XConfigureEvent& configured = event.xconfigure;
            topLevels[configured.window] = {configured.x, configured.y, configured.width, configured.height};
            if (shown == configured.window && !moved &&
                (configured.x != firstExposed.x || configured.y != firstExposed.y)) {
                std::printf("moved after its first expose, to %d,%d\n", configured.x, configured.y);
                moved = true;
            }
        } else if (event.type == Expose && shown == 0) {
            const Window top = TopLevel(display, event.xexpose.window);
            const Window client = top != 0 ? Titled(display, top, title) : 0;
            XWindowAttributes attributes;
            if (client == 0 || topLevels.count(top) == 0 || XGetWindowAttributes(display, client, &attributes) == 0)
                continue;
            // KWin maps its frame as a 1 x 1 window at 0,0, mutter 44 on as
            // one smaller than the client, and gives it its size and place
            // just after: nothing of the window shows there.
            const Rect outer = topLevels[top];
            if (outer.width < attributes.width || outer.height < attributes.height) continue;
            shown = top;
            firstExposed = outer;
            std::printf("first exposed at %d,%d\n", outer.x, outer.y);
            stop = std::chrono::steady_clock::now() +
                   std::chrono::duration_cast<std::chrono::steady_clock::duration>(watchFor);
        }
    }
    XCloseDisplay(display);
    if (shown == 0) {
        std::fprintf(stderr, "no window titled '%s' was exposed\n", title);
        return 2;
    }
    return moved ? 1 : 0;
}
