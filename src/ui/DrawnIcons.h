#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;
class QRectF;

// The bell and the logo, drawn by the program itself at whatever size is asked for: showing the
// main window then loads neither an image decoder nor a vector renderer. Their SVG drawings in
// resources/icons are the originals (the bell is also the desktop's icon for the program).

// Paints the bell into the square `area`.
void paintBell(QPainter& painter, const QRectF& area);
// Paints the logo, a clock face, into the square `area`.
void paintLogo(QPainter& painter, const QRectF& area);

// The bell that every window and the tray carry, drawn at each size the desktop asks for.
QIcon bellIcon();
// The logo as a picture for a control of `size`, sharp on a screen of `devicePixelRatio`.
QPixmap logoPicture(QSize size, qreal devicePixelRatio);
