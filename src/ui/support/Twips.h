#pragma once

#include <QFont>

class QWidget;

// Conversions between the program's twips and Qt's pixels. A window's Left/Top/Width/Height are its
// outer frame; a control's are relative to its container.
namespace twips {

int toPixels(double twips, double twipsPerPixel);
double fromPixels(int pixels, double twipsPerPixel);

struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

Rect windowRect(const QWidget* window, double twipsPerPixel);
void moveWindow(QWidget* window, double left, double top, double twipsPerPixel);
void resizeWindow(QWidget* window, double width, double height, double twipsPerPixel);

Rect controlRect(const QWidget* control, double twipsPerPixel);
void placeControl(QWidget* control, double left, double top, double width, double height,
                  double twipsPerPixel);
void moveControl(QWidget* control, double left, double top, double twipsPerPixel);

// A font of the designed face and size in points; bold as designed.
QFont font(const QString& family, double points, bool bold = false);

} // namespace twips
