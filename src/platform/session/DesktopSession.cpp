#include "platform/session/DesktopSession.h"

#include <QProcessEnvironment>

namespace {
bool isWaylandPlatform(const QString& qtPlatformName)
{
    return qtPlatformName.startsWith(QLatin1String("wayland"));
}
} // namespace

SessionEnvironment SessionEnvironment::fromProcess()
{
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    return {env.value(QStringLiteral("WAYLAND_DISPLAY")), env.value(QStringLiteral("XDG_SESSION_TYPE")),
            env.value(QStringLiteral("QT_QPA_PLATFORM"))};
}

bool DesktopSession::isWaylandSession(const SessionEnvironment& env)
{
    return !env.waylandDisplay.isEmpty() ||
           env.sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
}

DesktopSession DesktopSession::detect(const SessionEnvironment& env,
                                      const std::function<XServerProbe()>& probeXServer)
{
    if (!isWaylandSession(env))
        return {SessionKind::X11, {}};
    const bool userChosePlatform = !env.qtPlatform.isEmpty();
    // A user who asked for Wayland windows gets them; no X server is woken for nothing.
    if (userChosePlatform && isWaylandPlatform(env.qtPlatform))
        return {SessionKind::WaylandNative, {}};

    const XServerProbe x = probeXServer ? probeXServer() : XServerProbe{};
    const QString request = userChosePlatform ? QString() : QStringLiteral("xcb");
    if (x.reachable && x.isXWayland)
        return {SessionKind::WaylandThroughXWayland, request};
    // A plain X server beside a Wayland session (a nested or virtual one, as tests use): our windows
    // go there and everything works as on any X11 desktop.
    if (x.reachable)
        return {SessionKind::X11, request};
    return {SessionKind::WaylandNative, {}};
}

SessionKind DesktopSession::kindOnPlatform(const QString& qtPlatformName) const
{
    return isWaylandPlatform(qtPlatformName) ? SessionKind::WaylandNative : kind_;
}

SessionFeatures DesktopSession::featuresOf(SessionKind kind)
{
    switch (kind) {
    case SessionKind::X11:
        return {};
    case SessionKind::WaylandThroughXWayland:
        // XWayland delivers key events only to the X client that has the focus, and lists only the
        // windows of X clients.
        return {true, true, GlobalKeys::WhileOursFocused, OtherWindowTitles::X11Only};
    case SessionKind::WaylandNative:
        // A Wayland client can neither place nor stack its windows, nor see other programs' windows.
        return {false, false, GlobalKeys::None, OtherWindowTitles::OwnOnly};
    }
    return {};
}

QString sessionKindName(SessionKind kind)
{
    switch (kind) {
    case SessionKind::X11:
        return QStringLiteral("x11");
    case SessionKind::WaylandThroughXWayland:
        return QStringLiteral("xwayland");
    case SessionKind::WaylandNative:
        return QStringLiteral("wayland");
    }
    return {};
}
