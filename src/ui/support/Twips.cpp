#include "ui/support/Twips.h"

#include "ui/support/Fonts.h"

#include <QWidget>
#include <cmath>

namespace twips {

int toPixels(double twips, double twipsPerPixel)
{
    return int(std::lround(twips / twipsPerPixel));
}

double fromPixels(int pixels, double twipsPerPixel)
{
    return pixels * twipsPerPixel;
}

namespace {
// A window the manager does not manage (kept above a show) has no frame, whatever the toolkit still
// remembers of the one it had.
bool unframed(const QWidget* window)
{
    return window->windowFlags().testFlag(Qt::X11BypassWindowManagerHint);
}

QRect outerGeometry(const QWidget* window)
{
    return unframed(window) ? window->geometry() : window->frameGeometry();
}

// Extra pixels that the window manager's frame adds around the client area.
QSize frameExtra(const QWidget* window)
{
    const QRect frame = outerGeometry(window);
    return {frame.width() - window->width(), frame.height() - window->height()};
}
} // namespace

Rect windowRect(const QWidget* window, double tpp)
{
    const QRect frame = outerGeometry(window);
    return {fromPixels(frame.x(), tpp), fromPixels(frame.y(), tpp), fromPixels(frame.width(), tpp),
            fromPixels(frame.height(), tpp)};
}

void moveWindow(QWidget* window, double left, double top, double tpp)
{
    const QPoint place(toPixels(left, tpp), toPixels(top, tpp));
    if (unframed(window) && window->isWindow())
        window->setGeometry(QRect(place, window->size()));
    else
        window->move(place);
}

void resizeWindow(QWidget* window, double width, double height, double tpp)
{
    const QSize extra = frameExtra(window);
    window->resize(std::max(1, toPixels(width, tpp) - extra.width()),
                   std::max(1, toPixels(height, tpp) - extra.height()));
}

Rect controlRect(const QWidget* control, double tpp)
{
    const QRect g = control->geometry();
    return {fromPixels(g.x(), tpp), fromPixels(g.y(), tpp), fromPixels(g.width(), tpp),
            fromPixels(g.height(), tpp)};
}

void placeControl(QWidget* control, double left, double top, double width, double height, double tpp)
{
    control->setGeometry(toPixels(left, tpp), toPixels(top, tpp), toPixels(width, tpp),
                         toPixels(height, tpp));
}

void moveControl(QWidget* control, double left, double top, double tpp)
{
    control->move(toPixels(left, tpp), toPixels(top, tpp));
}

QFont font(const QString& family, double points, bool bold)
{
    QFont f(installedFaceFor(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace twips
