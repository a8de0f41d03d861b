#pragma once

#include "platform/WindowSystem.h"

// The window system as far as the toolkit alone reaches, for a desktop whose windows this program
// cannot see or arrange (native Wayland): screen and pointer from Qt, our own windows' titles (so our
// built-in show is still recognised), no key state, and stacking left to the compositor.
class QtOnlyWindowSystem : public WindowSystem {
public:
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
