#pragma once

#include "platform/WindowSystem.h"

#include <QList>
#include <QPointer>
#include <memory>

class KeyEvents;
class KeyState;
class TitleCache;
class XcbConnection;

// The window system of an X11 desktop. Geometry comes from Qt's screen; window titles and keys come
// from the X server over a connection of our own: titles from a cache that X events keep up to date,
// keys from raw key events (or the key state, where the server has no such events).
class X11WindowSystem : public WindowSystem {
public:
    // On a Wayland desktop (XWayland) the X server knows only XWayland's windows: which window has the
    // keyboard it cannot tell once a native window may have it.
    explicit X11WindowSystem(bool onXWayland = false);
    ~X11WindowSystem() override;

    double twipsPerPixel() const override;
    QSize screenSizeTwips() const override;
    QPoint pointerTwips() const override;
    QList<QRect> screensTwips() const override;
    std::optional<QRect> windowRectTwips(const QString& title) override;
    std::optional<QRect> outerRectTwips(const QWidget* window) const override;
    QStringList topLevelTitles() override;
    bool isKeyDown(int keyCode) override;
    bool reportKeys(const QList<int>& keyCodes, std::function<void(int keyCode, bool down)> report) override;
    bool reportTitleChanges(std::function<void()> report) override;
    void showTaskbar() override;
    void makeTopMost(QWidget* window) override;
    void keepAboveFullScreen(QWidget* window) override;
    void releaseAboveFullScreen(QWidget* window) override;
    bool isKeptAboveFullScreen(const QWidget* window) const override;
    FocusedWindow focusedWindow() override;
    void setOpacity(QWidget* window, int alpha) override;

    // Whether the X server could be reached; without it there are no titles and no keys.
    bool isConnected() const;

private:
    void raiseKeptWindows();
    // A window no longer framed by its manager keeps the frame's extents it was last given.
    void forgetFrame(QWidget* window);

    std::unique_ptr<XcbConnection> connection_;
    std::unique_ptr<TitleCache> titles_;
    std::unique_ptr<KeyState> keys_;
    std::unique_ptr<KeyEvents> keyEvents_;
    QList<QPointer<QWidget>> keptAbove_;
    bool onXWayland_ = false;
};
