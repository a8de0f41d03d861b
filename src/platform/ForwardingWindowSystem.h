#pragma once

#include "platform/WindowSystem.h"

// A window system that hands every call to another one: the base of the wrappers that add one thing
// (keys, titles) to the desktop's own window system and leave the rest of it as it is.
class ForwardingWindowSystem : public WindowSystem {
public:
    explicit ForwardingWindowSystem(WindowSystem& windows) : windows_(windows) {}

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
    bool isKeyDown(int keyCode) override { return windows_.isKeyDown(keyCode); }
    bool reportKeys(const QList<int>& keyCodes, std::function<void(int, bool)> report) override
    {
        return windows_.reportKeys(keyCodes, std::move(report));
    }
    bool reportTitleChanges(std::function<void()> report) override
    {
        return windows_.reportTitleChanges(std::move(report));
    }
    void showTaskbar() override { windows_.showTaskbar(); }
    void makeTopMost(QWidget* window) override { windows_.makeTopMost(window); }
    void keepAboveFullScreen(QWidget* window) override { windows_.keepAboveFullScreen(window); }
    void releaseAboveFullScreen(QWidget* window) override { windows_.releaseAboveFullScreen(window); }
    bool isKeptAboveFullScreen(const QWidget* window) const override
    {
        return windows_.isKeptAboveFullScreen(window);
    }
    FocusedWindow focusedWindow() override { return windows_.focusedWindow(); }
    void setOpacity(QWidget* window, int alpha) override { windows_.setOpacity(window, alpha); }

protected:
    WindowSystem& windows_;
};
