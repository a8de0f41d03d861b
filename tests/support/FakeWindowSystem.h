#pragma once

#include "platform/WindowSystem.h"

#include <QMap>
#include <QSet>
#include <QWidget>

// A desktop that tests arrange: screen size, pointer, window titles, held keys. Like a desktop
// without key events it reports nothing, and the program polls it; with reportsEvents set before
// the program starts, it reports key presses and title changes as a desktop with events does.
class FakeWindowSystem : public WindowSystem {
public:
    double twipsPerPixel() const override { return 15.0; }
    QSize screenSizeTwips() const override { return screen; }
    QPoint pointerTwips() const override
    {
        ++pointerReads;
        return pointer;
    }
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
    bool reportKeys(const QList<int>& keyCodes, std::function<void(int, bool)> report) override;
    bool reportTitleChanges(std::function<void()> report) override;
    void showTaskbar() override { ++taskbarShown; }
    void makeTopMost(QWidget* window) override { topMost.insert(window->objectName()); }
    void keepAboveFullScreen(QWidget* window) override { aboveFullScreen.insert(window->objectName()); }
    void releaseAboveFullScreen(QWidget* window) override { aboveFullScreen.remove(window->objectName()); }
    bool isKeptAboveFullScreen(const QWidget* window) const override
    {
        return aboveFullScreen.contains(window->objectName());
    }
    FocusedWindow focusedWindow() override { return focused; }
    void setOpacity(QWidget* window, int alpha) override { opacity[window->objectName()] = alpha; }

    // With reportsEvents: a key goes down (again, for an auto-repeat) or up, as the desktop reports it.
    void keyDown(int keyCode);
    void keyUp(int keyCode);
    // With reportsEvents: the titles change and the program hears of it.
    void setTitles(const QStringList& list);

    bool reportsEvents = false;
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
    mutable int pointerReads = 0;
    QSet<QString> topMost;
    QSet<QString> aboveFullScreen;
    FocusedWindow focused = FocusedWindow::Unknown;
    QMap<QString, int> opacity;

private:
    QList<int> reportedKeys_;
    std::function<void(int, bool)> keyReport_;
    std::function<void()> titleReport_;
};
