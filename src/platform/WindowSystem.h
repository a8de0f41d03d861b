#pragma once

#include <QPoint>
#include <QSize>
#include <QStringList>

class QWidget;

// Key codes of the function keys that the program polls.
namespace Keys {
constexpr int F9 = 120;
constexpr int F11 = 122;
} // namespace Keys

// What the program needs of the desktop's window system. Geometry crosses this seam in twips.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Twips per screen pixel (15 at 96 dpi).
    virtual double twipsPerPixel() const = 0;
    virtual QSize screenSizeTwips() const = 0;
    virtual QPoint pointerTwips() const = 0;

    // Titles of every top-level window, mapped or not, empty ones left out: other programs' windows
    // and this program's own (the toolkit's invisible helper windows are not counted).
    virtual QStringList topLevelTitles() = 0;

    // Whether the key is held down right now, whichever window has the focus.
    virtual bool isKeyDown(int keyCode) = 0;

    // Shows the desktop's taskbar again after a full-screen show.
    virtual void showTaskbar() = 0;

    // Keeps the window above normal windows, without moving or resizing it.
    virtual void makeTopMost(QWidget* window) = 0;

    // Keeps the window above everything, a focused full-screen show included.
    virtual void keepAboveFullScreen(QWidget* window) = 0;

    // Whole-window opacity, alpha of 255.
    virtual void setOpacity(QWidget* window, int alpha) = 0;
};
