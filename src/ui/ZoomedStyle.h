#pragma once

#include <QProxyStyle>

// The desktop's style at a window's zoom: every length the style measures (indicators of radio
// buttons and check boxes, frames, margins, icon sizes) grows with the window, so that a window at
// 300 % is the window at 100 % three times over and not large text beside tiny controls.
class ZoomedStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit ZoomedStyle(double factor);

    double factor() const { return factor_; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    // The focus frame grows with the window too: a hairline at 300 % is lost on a projector.
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // Gives the window and its controls the style for this factor; back to the desktop's own at 1.
    static void applyTo(QWidget* window, double factor);

private:
    double factor_;
};
