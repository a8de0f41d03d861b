#include "ui/display/Compositing.h"

#include <QByteArray>
#include <QGuiApplication>
#include <cstdlib>
#include <qguiapplication_platform.h>
#include <xcb/xcb.h>

namespace {

std::function<bool()>& replacement()
{
    static std::function<bool()> answer;
    return answer;
}

// The screen number of $DISPLAY (":0.1" is screen 1); the compositor owns a selection per screen.
int displayScreen()
{
    const QByteArray display = qgetenv("DISPLAY");
    const int dot = display.lastIndexOf('.');
    const int colon = display.lastIndexOf(':');
    return dot > colon ? display.mid(dot + 1).toInt() : 0;
}

bool x11CompositorRuns()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    // A compositing manager owns the selection _NET_WM_CM_S<screen> for as long as it runs.
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(displayScreen());
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, uint16_t(name.size()), name.constData()), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool owned = owner && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return owned;
}

} // namespace

bool compositorRuns()
{
    if (replacement())
        return replacement()();
    const QString platform = QGuiApplication::platformName();
    // Every Wayland desktop is its own compositor.
    if (platform.startsWith(QLatin1String("wayland")))
        return true;
    if (platform == QLatin1String("xcb"))
        return x11CompositorRuns();
    return false;
}

void setCompositorRunsForTesting(std::function<bool()> answer)
{
    replacement() = std::move(answer);
}
