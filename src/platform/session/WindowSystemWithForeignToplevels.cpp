#include "platform/session/WindowSystemWithForeignToplevels.h"

#include "platform/session/ForeignToplevelList.h"

#include <QGuiApplication>
#include <QScreen>

WindowSystemWithForeignToplevels::WindowSystemWithForeignToplevels(WindowSystem& windows,
                                                                   ForeignToplevelList& toplevels,
                                                                   ScreenList screens)
    : ForwardingWindowSystem(windows), toplevels_(toplevels), screens_(std::move(screens))
{
}

QStringList WindowSystemWithForeignToplevels::topLevelTitles()
{
    // The compositor lists XWayland windows too, which the X11 list already has: each title is
    // counted once. The tracking asks only whether a title is there, so a second window of the same
    // title loses nothing.
    QStringList titles = windows_.topLevelTitles();
    for (const QString& title : toplevels_.titles()) {
        if (!titles.contains(title))
            titles << title;
    }
    return titles;
}

bool WindowSystemWithForeignToplevels::reportTitleChanges(std::function<void()> report)
{
    // Only when both sides report can the caller stop reading the titles on every tick.
    if (!windows_.reportTitleChanges(report))
        return false;
    QObject::connect(&toplevels_, &ForeignToplevelList::titlesChanged, &toplevels_, report);
    return true;
}

std::optional<QRect> WindowSystemWithForeignToplevels::windowRectTwips(const QString& title)
{
    if (const std::optional<QRect> known = windows_.windowRectTwips(title))
        return known;
    const std::optional<CompositorOutput> output = toplevels_.fullScreenOutputOf(title);
    if (!output)
        return std::nullopt;
    const QList<ScreenArea> screens = screens_();
    const qsizetype index = screenOfOutput(*output, screens);
    if (index < 0)
        return std::nullopt;
    const QRect& pixels = screens[index].geometry;
    const double tpp = twipsPerPixel();
    return QRect(int(pixels.x() * tpp), int(pixels.y() * tpp), int(pixels.width() * tpp),
                 int(pixels.height() * tpp));
}

QList<ScreenArea> WindowSystemWithForeignToplevels::toolkitScreens()
{
    QList<ScreenArea> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append({screen->name(), screen->geometry()});
    return screens;
}
