#pragma once

#include <QString>
#include <functional>

// Where this program's windows live on the user's desktop, decided before the toolkit starts.
enum class SessionKind {
    X11,                    // an X server manages every window
    WaylandThroughXWayland, // a Wayland desktop; our windows go through its X server (XWayland)
    WaylandNative,          // a Wayland desktop without an X server: our windows are Wayland windows
};

// What the process environment says about the session.
struct SessionEnvironment {
    QString waylandDisplay; // WAYLAND_DISPLAY
    QString sessionType;    // XDG_SESSION_TYPE
    QString qtPlatform;     // QT_QPA_PLATFORM, as the user set it

    static SessionEnvironment fromProcess();
};

// What an attempt to reach the X server named by DISPLAY found.
struct XServerProbe {
    bool reachable = false;
    bool isXWayland = false; // the server is a Wayland compositor's X server
};

enum class GlobalKeys {
    Everywhere,       // F9/F11 are seen whichever program has the focus
    WhileOursFocused, // only while one of our windows has the focus
    None,
};

enum class OtherWindowTitles {
    All,     // every program's windows
    X11Only, // programs that run through XWayland; native Wayland windows are not seen
    OwnOnly, // our own windows only (the built-in show among them)
};

// What works on a kind of session.
struct SessionFeatures {
    bool placesWindows = true;        // standard place, centring, the time-up slide, edge docking
    bool staysAboveFullScreen = true; // the strip above a focused full-screen show
    GlobalKeys keys = GlobalKeys::Everywhere;
    OtherWindowTitles titles = OtherWindowTitles::All;

    bool operator==(const SessionFeatures&) const = default;
    bool isComplete() const { return *this == SessionFeatures{}; }
};

class DesktopSession {
public:
    // Decides where our windows go. probeXServer is asked only on a Wayland session.
    static DesktopSession detect(const SessionEnvironment& env,
                                 const std::function<XServerProbe()>& probeXServer);

    static bool isWaylandSession(const SessionEnvironment& env);

    SessionKind kind() const { return kind_; }

    // The toolkit platform to set in QT_QPA_PLATFORM before the application starts; empty to leave the
    // toolkit's own choice (an X11 session, or a platform the user chose).
    const QString& platformToRequest() const { return platformToRequest_; }

    // The kind that holds once the toolkit has started on the named platform: whatever was decided,
    // windows on Qt's Wayland platform are native Wayland windows.
    SessionKind kindOnPlatform(const QString& qtPlatformName) const;

    static SessionFeatures featuresOf(SessionKind kind);

private:
    DesktopSession(SessionKind kind, QString platform) : kind_(kind), platformToRequest_(std::move(platform))
    {
    }

    SessionKind kind_;
    QString platformToRequest_;
};

// A short stable name of the kind, for settings and messages in logs.
QString sessionKindName(SessionKind kind);
