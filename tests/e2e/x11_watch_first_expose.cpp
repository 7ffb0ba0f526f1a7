// Watches the next top-level window with the given title from its creation:
// where it is when it or its window manager's frame is first exposed, and
// whether it moves after that (a window first drawn in one place and then
// moved flickers).
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
#include <optional>
#include <set>
#include <thread>

namespace {

struct Point {
    int x;
    int y;
    bool operator!=(const Point& other) const { return x != other.x || y != other.y; }
};

bool HasTitle(Display* display, Window window, const char* title) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) return false;
    const bool same = std::strcmp(name, title) == 0;
    XFree(name);
    return same;
}

// The window itself or the one inside it (a window manager's frame holds
// the client a level or two down) that has the title; 0 if none.
Window Titled(Display* display, Window window, const char* title, int depth = 3) {
    if (HasTitle(display, window, title)) return window;
    if (depth == 0) return 0;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) found = Titled(display, children[i], title, depth - 1);
    if (children != nullptr) XFree(children);
    return found;
}

Point OnScreen(Display* display, Window window) {
    Window child = 0;
    Point point{0, 0};
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &point.x, &point.y, &child);
    return point;
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
    // New top-level windows, and later their frames' moves, are reported to
    // the root window's substructure.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    std::set<Window> watched;
    Window window = 0;
    std::optional<Point> firstExposed;
    bool moved = false;
    auto stop = std::chrono::steady_clock::now() + std::chrono::seconds(30);  // to give up
    while (std::chrono::steady_clock::now() < stop) {
        if (XPending(display) == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && event.xcreatewindow.parent == DefaultRootWindow(display)) {
            // Caught before any window manager maps it.
            XSelectInput(display, event.xcreatewindow.window, StructureNotifyMask | ExposureMask);
            watched.insert(event.xcreatewindow.window);
        } else if (event.type == Expose && !firstExposed && watched.count(event.xexpose.window) != 0 &&
                   (window = Titled(display, event.xexpose.window, title)) != 0) {
            // The client's own expose, or its frame's, whichever comes first.
            firstExposed = OnScreen(display, window);
            std::printf("first exposed at %d,%d\n", firstExposed->x, firstExposed->y);
            stop = std::chrono::steady_clock::now() +
                   std::chrono::duration_cast<std::chrono::steady_clock::duration>(watchFor);
        } else if (firstExposed && (event.type == ConfigureNotify || event.type == ReparentNotify)) {
            const Point now = OnScreen(display, window);
            if (now != *firstExposed && !moved) {
                std::printf("moved after its first expose, to %d,%d\n", now.x, now.y);
                moved = true;
            }
        }
    }
    XCloseDisplay(display);
    if (!firstExposed) {
        std::fprintf(stderr, "no window titled '%s' was exposed\n", title);
        return 2;
    }
    return moved ? 1 : 0;
}
