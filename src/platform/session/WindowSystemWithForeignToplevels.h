#pragma once

#include "platform/ForwardingWindowSystem.h"
#include "platform/session/OutputScreenMatch.h"

class ForeignToplevelList;

// A window system whose top-level titles also include every window the compositor lists, native
// Wayland windows among them, and that finds the monitor of a full-screen native window (a show) for
// the strip. Everything else is the wrapped window system's.
class WindowSystemWithForeignToplevels : public ForwardingWindowSystem {
public:
    using ScreenList = std::function<QList<ScreenArea>()>;

    // The screens default to the toolkit's.
    WindowSystemWithForeignToplevels(WindowSystem& windows, ForeignToplevelList& toplevels,
                                     ScreenList screens = toolkitScreens);

    QStringList topLevelTitles() override;
    bool reportTitleChanges(std::function<void()> report) override;
    // The wrapped window system's answer where it has one (X11 windows, our own show); else, for a
    // full-screen native window, its monitor, which is all of it.
    std::optional<QRect> windowRectTwips(const QString& title) override;

    static QList<ScreenArea> toolkitScreens();

private:
    ForeignToplevelList& toplevels_;
    ScreenList screens_;
};
