#pragma once

#include "platform/WindowSystem.h"

#include <QMap>
#include <QSet>
#include <QWidget>

// A desktop that tests arrange: screen size, pointer, window titles, held keys.
class FakeWindowSystem : public WindowSystem {
public:
    double twipsPerPixel() const override { return 15.0; }
    QSize screenSizeTwips() const override { return screen; }
    QPoint pointerTwips() const override { return pointer; }
    QList<QRect> screensTwips() const override
    {
        return screenAreas.isEmpty() ? WindowSystem::screensTwips() : screenAreas;
    }
    std::optional<QRect> windowRectTwips(const QString& title) override
    {
        if (!windowRects.contains(title))
            return std::nullopt;
        return windowRects.value(title);
    }
    QStringList topLevelTitles() override
    {
        ++titleScans;
        return titles;
    }
    bool isKeyDown(int keyCode) override { return keysDown.contains(keyCode); }
    void showTaskbar() override { ++taskbarShown; }
    void makeTopMost(QWidget* window) override { topMost.insert(window->objectName()); }
    void keepAboveFullScreen(QWidget* window) override { aboveFullScreen.insert(window->objectName()); }
    void setOpacity(QWidget* window, int alpha) override { opacity[window->objectName()] = alpha; }

    QSize screen{1024 * 15, 768 * 15};
    QPoint pointer{0, 0};
    // More than one screen, the primary first; empty means one screen of `screen`.
    QList<QRect> screenAreas;
    // Where the windows of other programs are, by title.
    QMap<QString, QRect> windowRects;
    QStringList titles;
    QSet<int> keysDown;
    int taskbarShown = 0;
    int titleScans = 0;
    QSet<QString> topMost;
    QSet<QString> aboveFullScreen;
    QMap<QString, int> opacity;
};
