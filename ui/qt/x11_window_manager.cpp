#include "ui/qt/x11_window_manager.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace velmora::ui::qt {
namespace {

// A window manager answers within a few milliseconds; one that lists the
// request but never answers costs the program this much start-up time.
constexpr auto kAnswerTimeout = std::chrono::milliseconds(200);
constexpr auto kPollInterval = std::chrono::milliseconds(1);

// WM_NORMAL_HINTS (ICCCM 4.1.2.3): 18 cardinals, the flags first and the
// window's gravity last; the flag that says the gravity is given.
constexpr std::size_t kSizeHintsLength = 18;
constexpr std::size_t kSizeHintsFlags = 0;
constexpr std::size_t kSizeHintsGravity = 17;
constexpr uint32_t kGravityGiven = 1U << 9;  // PWinGravity

template <class Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const ReplyPointer<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The 32-bit values of a window's property; empty when it has none.
std::vector<uint32_t> CardinalsOf(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                  xcb_atom_t type) {
    const ReplyPointer<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, property, type, 0, 1024),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 32) return {};
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_window_t Root(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// The root window's child that holds the window (a window manager's frame
// holds it a level or two down); XCB_WINDOW_NONE if it is gone.
xcb_window_t Outermost(xcb_connection_t* connection, xcb_window_t window) {
    for (;;) {
        const ReplyPointer<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr), &std::free);
        if (!tree) return XCB_WINDOW_NONE;
        if (tree->parent == tree->root) return window;
        window = tree->parent;
    }
}

ReplyPointer<xcb_get_geometry_reply_t> Geometry(xcb_connection_t* connection, xcb_window_t window) {
    return {xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr), &std::free};
}

// _NET_FRAME_EXTENTS as left, right, top, bottom, in the device's pixels;
// empty until the window manager sets it.
std::vector<uint32_t> FrameExtents(xcb_connection_t* connection, xcb_window_t window) {
    return CardinalsOf(connection, window, Atom(connection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
}

// Whether the extents tell a frame. A window with a title bar has one:
// extents of none (what mutter 44 on, whose frames another process makes as
// they are mapped, says at first) mean the frame is not known yet.
bool TellAFrame(const std::vector<uint32_t>& extents) {
    return extents.size() == 4 && std::any_of(extents.begin(), extents.end(), [](uint32_t side) { return side != 0; });
}

int Logical(qreal ratio, int pixels) { return static_cast<int>(std::lround(pixels / ratio)); }

QMargins LogicalMargins(qreal ratio, const std::vector<uint32_t>& extents) {
    const auto side = [ratio](uint32_t pixels) { return Logical(ratio, static_cast<int>(pixels)); };
    return {side(extents[0]), side(extents[2]), side(extents[1]), side(extents[3])};
}

} // namespace

bool OnX11() { return Connection() != nullptr; }

bool WindowManagerAnnouncesFrames() {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) return false;
    const std::vector<uint32_t> supported =
        CardinalsOf(connection, Root(connection), Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), Atom(connection, "_NET_REQUEST_FRAME_EXTENTS")) !=
           supported.end();
}

std::optional<QMargins> RequestFrameExtents(QWindow& window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_window_t root = Root(connection);
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    // Polled rather than waited for as an event: Qt's event loop owns the
    // window's events.
    const auto giveUp = std::chrono::steady_clock::now() + kAnswerTimeout;
    do {
        const std::vector<uint32_t> answer = FrameExtents(connection, id);
        if (answer.size() == 4)
            return TellAFrame(answer) ? std::optional(LogicalMargins(window.devicePixelRatio(), answer)) : std::nullopt;
        std::this_thread::sleep_for(kPollInterval);
    } while (std::chrono::steady_clock::now() < giveUp);
    return std::nullopt;
}

std::optional<WindowFrame> PlacedFrame(QWindow& window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const std::vector<uint32_t> extents = FrameExtents(connection, id);
    const xcb_window_t outermost = Outermost(connection, id);
    if (!TellAFrame(extents) || outermost == XCB_WINDOW_NONE) return std::nullopt;
    const auto client = Geometry(connection, id);
    const auto outer = Geometry(connection, outermost);
    // The frame is reckoned from where the window is: mutter's frame windows
    // hold invisible borders for their shadows beyond the extents, and KWin 6
    // as a Wayland compositor draws its frames around Xwayland windows
    // outside the window that holds them. KWin maps that window as 1 x 1 at
    // 0,0 and only then gives it its size and place.
    if (!client || !outer || outer->width < client->width || outer->height < client->height) return std::nullopt;
    const int width = client->width + static_cast<int>(extents[0] + extents[1]);
    const int height = client->height + static_cast<int>(extents[2] + extents[3]);
    const ReplyPointer<xcb_translate_coordinates_reply_t> onScreen(
        xcb_translate_coordinates_reply(connection,
                                        xcb_translate_coordinates(connection, id, Root(connection), 0, 0), nullptr),
        &std::free);
    if (!onScreen) return std::nullopt;
    const qreal ratio = window.devicePixelRatio();
    return WindowFrame{QRect(Logical(ratio, onScreen->dst_x - static_cast<int>(extents[0])),
                             Logical(ratio, onScreen->dst_y - static_cast<int>(extents[2])), Logical(ratio, width),
                             Logical(ratio, height)),
                       LogicalMargins(ratio, extents)};
}

X11ServerGrab::X11ServerGrab() {
    if (xcb_connection_t* connection = Connection()) xcb_grab_server(connection);
}

X11ServerGrab::~X11ServerGrab() {
    if (xcb_connection_t* connection = Connection()) {
        xcb_ungrab_server(connection);
        xcb_flush(connection);
    }
}

void AskToCentreFrame(QWindow& window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    std::vector<uint32_t> hints = CardinalsOf(connection, id, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS);
    if (hints.size() < kSizeHintsLength) return;  // Qt always writes them whole
    hints[kSizeHintsFlags] |= kGravityGiven;
    hints[kSizeHintsGravity] = XCB_GRAVITY_CENTER;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32,
                        static_cast<uint32_t>(hints.size()), hints.data());
}

} // namespace velmora::ui::qt
