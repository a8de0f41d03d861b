#pragma once

#include "platform/WindowSystem.h"

class AccessibleWindowTitles;

// A window system whose top-level titles also include the windows the accessibility bus lists: on
// Wayland, other programs' native windows are seen nowhere else. Everything else is the wrapped
// window system's.
class WindowSystemWithAccessibleTitles : public WindowSystem {
public:
    WindowSystemWithAccessibleTitles(WindowSystem& windows, AccessibleWindowTitles& accessible)
        : windows_(windows), accessible_(accessible)
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
    QStringList topLevelTitles() override;
    bool isKeyDown(int keyCode) override { return windows_.isKeyDown(keyCode); }
    bool reportKeys(const QList<int>& keyCodes, std::function<void(int, bool)> report) override
    {
        return windows_.reportKeys(keyCodes, std::move(report));
    }
    bool reportTitleChanges(std::function<void()> report) override;
    void showTaskbar() override { windows_.showTaskbar(); }
    void makeTopMost(QWidget* window) override { windows_.makeTopMost(window); }
    void keepAboveFullScreen(QWidget* window) override { windows_.keepAboveFullScreen(window); }
    void setOpacity(QWidget* window, int alpha) override { windows_.setOpacity(window, alpha); }

private:
    WindowSystem& windows_;
    AccessibleWindowTitles& accessible_;
};
