#include "platform/x11/FocusedWindow.h"

#include "platform/x11/XcbConnection.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>
#include <memory>

namespace x11focus {
namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

bool hasFullScreenState(XcbConnection& connection, xcb_window_t window)
{
    xcb_connection_t* c = connection.get();
    const xcb_atom_t state = connection.atom("_NET_WM_STATE");
    const xcb_atom_t fullScreen = connection.atom("_NET_WM_STATE_FULLSCREEN");
    Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, state, XCB_ATOM_ATOM, 0, 64), nullptr));
    if (!reply || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i) {
        if (atoms[i] == fullScreen)
            return true;
    }
    return false;
}

// A window shown past the window manager (override-redirect); a manager may still name it active
// from before it became one.
bool isUnmanaged(XcbConnection& connection, xcb_window_t window)
{
    xcb_connection_t* c = connection.get();
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    return attributes && attributes->override_redirect;
}

bool coversAScreen(XcbConnection& connection, xcb_window_t window)
{
    xcb_connection_t* c = connection.get();
    Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    Reply<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, window, connection.root(), 0, 0), nullptr));
    if (!geometry || !origin)
        return false;
    const QRect area(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&area](const QScreen* screen) {
        const QRect pixels(screen->geometry().topLeft(),
                           screen->geometry().size() * screen->devicePixelRatio());
        return pixels == area;
    });
}

} // namespace

FocusedWindow read(XcbConnection& connection)
{
    xcb_connection_t* c = connection.get();
    if (!c)
        return FocusedWindow::Unknown;
    const xcb_atom_t activeAtom = connection.atom("_NET_ACTIVE_WINDOW");
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, connection.root(), activeAtom, XCB_ATOM_WINDOW, 0, 1), nullptr));
    // A window manager that does not say which window is active.
    if (!reply || reply->type == XCB_ATOM_NONE)
        return FocusedWindow::Unknown;
    if (reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return FocusedWindow::None;
    const xcb_window_t active = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
    if (active == XCB_WINDOW_NONE) {
        // The window manager knows nothing of a window it does not manage: one of ours kept above
        // everything has the keyboard when the teacher clicked it.
        Reply<xcb_get_input_focus_reply_t> focus(
            xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        if (focus && focus->focus != XCB_WINDOW_NONE && focus->focus != XCB_INPUT_FOCUS_POINTER_ROOT &&
            isCreatedByThisProgram(focus->focus) && isUnmanaged(connection, focus->focus))
            return FocusedWindow::OursAbove;
        return FocusedWindow::None;
    }
    if (isCreatedByThisProgram(active))
        return isUnmanaged(connection, active) ? FocusedWindow::OursAbove : FocusedWindow::Ours;
    if (hasFullScreenState(connection, active) || coversAScreen(connection, active))
        return FocusedWindow::FullScreen;
    return FocusedWindow::Other;
}

} // namespace x11focus
