#include "platform/X11WindowSystem.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

X11WindowSystem::X11WindowSystem() = default;
X11WindowSystem::~X11WindowSystem() = default;

double X11WindowSystem::twipsPerPixel() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

QSize X11WindowSystem::screenSizeTwips() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize pixels = screen ? screen->geometry().size() : QSize(1024, 768);
    const double tpp = twipsPerPixel();
    return {int(pixels.width() * tpp), int(pixels.height() * tpp)};
}

QPoint X11WindowSystem::pointerTwips() const
{
    const QPoint p = QCursor::pos();
    const double tpp = twipsPerPixel();
    return {int(p.x() * tpp), int(p.y() * tpp)};
}

QStringList X11WindowSystem::topLevelTitles()
{
    return {};
}

bool X11WindowSystem::isKeyDown(int)
{
    return false;
}

void X11WindowSystem::showTaskbar()
{
    // Panels are never hidden on X11 (full-screen windows cover them), so there is nothing to restore.
}

namespace {
void setFlagKeepingPlace(QWidget* window, Qt::WindowType flag)
{
    if (window->windowFlags().testFlag(flag))
        return;
    // Changing window flags re-creates the native window and hides it; put it back as it was.
    const bool wasVisible = window->isVisible();
    const QPoint pos = window->pos();
    window->setWindowFlag(flag, true);
    window->move(pos);
    if (wasVisible)
        window->show();
}
} // namespace

void X11WindowSystem::makeTopMost(QWidget* window)
{
    if (window)
        setFlagKeepingPlace(window, Qt::WindowStaysOnTopHint);
}

void X11WindowSystem::keepAboveFullScreen(QWidget* window)
{
    if (!window)
        return;
    // Only a window that bypasses the window manager stays above a focused full-screen window.
    setFlagKeepingPlace(window, Qt::X11BypassWindowManagerHint);
    setFlagKeepingPlace(window, Qt::WindowStaysOnTopHint);
    window->raise();
}

void X11WindowSystem::setOpacity(QWidget* window, int alpha)
{
    if (window)
        window->setWindowOpacity(qBound(0, alpha, 255) / 255.0);
}
