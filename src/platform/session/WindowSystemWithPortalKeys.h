#pragma once

#include "platform/WindowSystem.h"

class PortalShortcuts;

// A window system whose F9 and F11 also come from the desktop portal's global shortcuts; everything
// else (screens, window places, titles) is the wrapped window system's.
class WindowSystemWithPortalKeys : public WindowSystem {
public:
    WindowSystemWithPortalKeys(WindowSystem& windows, PortalShortcuts& shortcuts)
        : windows_(windows), shortcuts_(shortcuts)
    {
    }

    double twipsPerPixel() const override { return windows_.twipsPerPixel(); }
    QSize screenSizeTwips() const override { return windows_.screenSizeTwips(); }
    QPoint pointerTwips() const override { return windows_.pointerTwips(); }
    QList<QRect> screensTwips() const override { return windows_.screensTwips(); }
    std::optional<QRect> outerRectTwips(const QWidget* window) const override
    {
        return windows_.outerRectTwips(window);
    }
    std::optional<QRect> windowRectTwips(const QString& title) override
    {
        return windows_.windowRectTwips(title);
    }
    QStringList topLevelTitles() override { return windows_.topLevelTitles(); }
    bool reportTitleChanges(std::function<void()> report) override
    {
        return windows_.reportTitleChanges(std::move(report));
    }
    // Keys are not reported as events: the portal's presses are only seen by asking, so the tracking
    // keeps asking isKeyDown on its ticks.
    bool isKeyDown(int keyCode) override;
    void showTaskbar() override { windows_.showTaskbar(); }
    void makeTopMost(QWidget* window) override { windows_.makeTopMost(window); }
    void keepAboveFullScreen(QWidget* window) override { windows_.keepAboveFullScreen(window); }
    void setOpacity(QWidget* window, int alpha) override { windows_.setOpacity(window, alpha); }

private:
    WindowSystem& windows_;
    PortalShortcuts& shortcuts_;
};
