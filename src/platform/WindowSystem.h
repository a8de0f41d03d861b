#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

// Key codes of the function keys that the program answers.
namespace Keys {
constexpr int F9 = 120;
constexpr int F11 = 122;
} // namespace Keys

// Which window has the keyboard, as far as the window system can tell.
enum class FocusedWindow {
    Unknown,    // the window system cannot tell
    None,       // no window it knows of (a native window of a Wayland desktop, or the bare desktop)
    Ours,       // a window of this program that the window manager manages (the main window, a question)
    OursAbove,  // a window of this program kept above everything (keepAboveFullScreen) that was clicked
    FullScreen, // another program's window that fills its screen: a running slide show
    Other,      // another program's window
};

// What the program needs of the desktop's window system. Geometry crosses this seam in twips.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Twips per screen pixel (15 at 96 dpi).
    virtual double twipsPerPixel() const = 0;
    virtual QSize screenSizeTwips() const = 0;
    virtual QPoint pointerTwips() const = 0;

    // The area of every screen of the desktop, in twips from the desktop's top-left corner, the primary
    // screen first. One screen of screenSizeTwips() unless the desktop has more.
    virtual QList<QRect> screensTwips() const { return {QRect(QPoint(0, 0), screenSizeTwips())}; }

    // Where the window really is, in twips, its window manager's frame included, when the window system
    // knows better than the toolkit (a manager may put a window a title bar lower than asked).
    virtual std::optional<QRect> outerRectTwips(const QWidget* window) const
    {
        Q_UNUSED(window);
        return std::nullopt;
    }

    // The outer rectangle, in twips, of a top-level window with exactly this title, if one is shown.
    virtual std::optional<QRect> windowRectTwips(const QString& title)
    {
        Q_UNUSED(title);
        return std::nullopt;
    }

    // Titles of every top-level window, mapped or not, empty ones left out: other programs' windows
    // and this program's own (the toolkit's invisible helper windows are not counted).
    virtual QStringList topLevelTitles() = 0;

    // Whether the key is held down right now, whichever window has the focus.
    virtual bool isKeyDown(int keyCode) = 0;

    // Reports every press and release of the keys as it happens, whichever window has the focus,
    // without taking the keys from it; a held key may report its press again (auto-repeat). False
    // when the window system cannot tell: the caller then polls isKeyDown.
    virtual bool reportKeys(const QList<int>& keyCodes, std::function<void(int keyCode, bool down)> report)
    {
        Q_UNUSED(keyCodes);
        Q_UNUSED(report);
        return false;
    }

    // Reports, as it happens, that a top-level window came, went or changed its title. False when
    // the window system cannot tell: the caller then reads topLevelTitles on every tick.
    virtual bool reportTitleChanges(std::function<void()> report)
    {
        Q_UNUSED(report);
        return false;
    }

    // Shows the desktop's taskbar again after a full-screen show.
    virtual void showTaskbar() = 0;

    // Keeps the window above normal windows, without moving or resizing it.
    virtual void makeTopMost(QWidget* window) = 0;

    // Keeps the window above everything, a focused full-screen show included. The window takes the
    // keyboard only when it is asked to (activateWindow), not when it is shown or clicked.
    virtual void keepAboveFullScreen(QWidget* window) = 0;

    // Gives a window that keepAboveFullScreen kept above everything back to the window manager, as a
    // top-most window, where it stands and without taking the focus.
    virtual void releaseAboveFullScreen(QWidget* window) { Q_UNUSED(window); }
    virtual bool isKeptAboveFullScreen(const QWidget* window) const
    {
        Q_UNUSED(window);
        return false;
    }

    // Which window has the keyboard now.
    virtual FocusedWindow focusedWindow() { return FocusedWindow::Unknown; }

    // Whole-window opacity, alpha of 255.
    virtual void setOpacity(QWidget* window, int alpha) = 0;
};
