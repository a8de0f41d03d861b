#pragma once

#include "platform/WindowSystem.h"

// The window system of an X11 desktop. Geometry comes from Qt's screen; window titles and the key
// state are read from the X server.
class X11WindowSystem : public WindowSystem {
public:
    X11WindowSystem();
    ~X11WindowSystem() override;

    double twipsPerPixel() const override;
    QSize screenSizeTwips() const override;
    QPoint pointerTwips() const override;
    QStringList topLevelTitles() override;
    bool isKeyDown(int keyCode) override;
    void showTaskbar() override;
    void makeTopMost(QWidget* window) override;
    void keepAboveFullScreen(QWidget* window) override;
    void setOpacity(QWidget* window, int alpha) override;
};
