#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

// Where a window of the program may lie on a desktop of one or more screens. Rectangles are outer
// window frames and screen areas, in twips of the desktop (the first screen is the primary one).
namespace placement {

// The screen the window belongs to: the one it covers most; a window on none of them belongs to the
// nearest. -1 when there are no screens.
qsizetype screenOf(const QRectF& window, const QList<QRectF>& screens);

// The screen that holds the point, else the nearest one; -1 when there are no screens.
qsizetype screenAt(QPointF point, const QList<QRectF>& screens);

// The wanted rectangle moved as little as possible to lie wholly on the screen. One larger than the
// screen keeps its top-left corner on it, where the title bar and the first controls are.
QRectF fitOn(const QRectF& wanted, const QRectF& screen);

// The wanted rectangle moved wholly onto the screen it belongs to. With no screens it stays as wanted.
QRectF keepOnScreens(const QRectF& wanted, const QList<QRectF>& screens);

// A window already wholly on one of the screens stays; any other is moved wholly onto the screen it
// belongs to (a window left on a screen that went away lands on the nearest remaining one).
QRectF keepWhereShown(const QRectF& window, const QList<QRectF>& screens);

// The same place relative to a screen, on another screen, and wholly on it.
QRectF carryOver(const QRectF& window, const QRectF& from, const QRectF& to);

// The outer bounds of the whole desktop.
QRectF desktop(const QList<QRectF>& screens);

} // namespace placement
