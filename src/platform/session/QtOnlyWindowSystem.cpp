#include "platform/session/QtOnlyWindowSystem.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

double QtOnlyWindowSystem::twipsPerPixel() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

QSize QtOnlyWindowSystem::screenSizeTwips() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize pixels = screen ? screen->geometry().size() : QSize(1024, 768);
    const double tpp = twipsPerPixel();
    return {int(pixels.width() * tpp), int(pixels.height() * tpp)};
}

QPoint QtOnlyWindowSystem::pointerTwips() const
{
    // Known only while the pointer is over one of our windows; elsewhere it stays where it left them.
    const QPoint p = QCursor::pos();
    const double tpp = twipsPerPixel();
    return {int(p.x() * tpp), int(p.y() * tpp)};
}

QStringList QtOnlyWindowSystem::topLevelTitles()
{
    QStringList titles;
    for (const QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->isVisible() && !window->title().isEmpty())
            titles << window->title();
    }
    return titles;
}

bool QtOnlyWindowSystem::isKeyDown(int)
{
    return false;
}

void QtOnlyWindowSystem::showTaskbar() {}

namespace {
void setStaysOnTop(QWidget* window)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    // Changing window flags re-creates the native window and hides it; show it again if it was shown.
    const bool wasVisible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (wasVisible)
        window->show();
}
} // namespace

void QtOnlyWindowSystem::makeTopMost(QWidget* window)
{
    // A hint the compositor may follow or ignore.
    setStaysOnTop(window);
}

void QtOnlyWindowSystem::keepAboveFullScreen(QWidget* window)
{
    // Nothing more can be asked of a Wayland compositor: a window that bypasses it exists on X11 only.
    setStaysOnTop(window);
    if (window)
        window->raise();
}

void QtOnlyWindowSystem::setOpacity(QWidget* window, int alpha)
{
    if (window)
        window->setWindowOpacity(qBound(0, alpha, 255) / 255.0);
}
