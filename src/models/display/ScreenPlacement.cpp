#include "models/display/ScreenPlacement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace placement {

namespace {

double overlapArea(const QRectF& a, const QRectF& b)
{
    const QRectF common = a.intersected(b);
    return common.isEmpty() ? 0.0 : common.width() * common.height();
}

// Distance from the point to the nearest point of the rectangle; 0 inside.
double distance(QPointF p, const QRectF& r)
{
    const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    return std::hypot(dx, dy);
}

qsizetype nearest(QPointF point, const QList<QRectF>& screens)
{
    qsizetype best = -1;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const double d = distance(point, screens[i]);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

double clampEdge(double start, double length, double areaStart, double areaLength)
{
    // Too long for the area: the start edge stays in it.
    if (length >= areaLength)
        return areaStart;
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

} // namespace

qsizetype screenOf(const QRectF& window, const QList<QRectF>& screens)
{
    qsizetype best = -1;
    double bestArea = 0;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const double area = overlapArea(window, screens[i]);
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best >= 0 ? best : nearest(window.center(), screens);
}

qsizetype screenAt(QPointF point, const QList<QRectF>& screens)
{
    return nearest(point, screens);
}

QRectF fitOn(const QRectF& wanted, const QRectF& screen)
{
    QRectF placed = wanted;
    placed.moveLeft(clampEdge(wanted.left(), wanted.width(), screen.left(), screen.width()));
    placed.moveTop(clampEdge(wanted.top(), wanted.height(), screen.top(), screen.height()));
    return placed;
}

QRectF keepOnScreens(const QRectF& wanted, const QList<QRectF>& screens)
{
    const qsizetype index = screenOf(wanted, screens);
    return index < 0 ? wanted : fitOn(wanted, screens[index]);
}

QRectF keepWhereShown(const QRectF& window, const QList<QRectF>& screens)
{
    const bool whollyOnOne = std::any_of(screens.begin(), screens.end(),
                                         [&window](const QRectF& s) { return s.contains(window); });
    return whollyOnOne ? window : keepOnScreens(window, screens);
}

QRectF carryOver(const QRectF& window, const QRectF& from, const QRectF& to)
{
    return fitOn(window.translated(to.topLeft() - from.topLeft()), to);
}

QRectF desktop(const QList<QRectF>& screens)
{
    QRectF bounds;
    for (const QRectF& screen : screens)
        bounds = bounds.united(screen);
    return bounds;
}

} // namespace placement
