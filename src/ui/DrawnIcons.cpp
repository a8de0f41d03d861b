#include "ui/DrawnIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace {

// Both drawings are designed on a square grid (the bell's 32 units, the logo's 64) and scaled to
// the area asked for.
void mapGrid(QPainter& painter, const QRectF& area, double gridSize)
{
    painter.translate(area.topLeft());
    painter.scale(area.width() / gridSize, area.height() / gridSize);
    painter.setRenderHint(QPainter::Antialiasing);
}

// A transparent picture of `size` logical pixels at `devicePixelRatio`, with `paint` drawn on it.
template <typename Paint> QPixmap transparentPicture(QSize size, qreal devicePixelRatio, Paint paint)
{
    QPixmap picture(size * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paint(painter);
    return picture;
}

QPen roundPen(const QColor& colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

class BellIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode /*mode*/, QIcon::State /*state*/) override
    {
        const int side = std::min(rect.width(), rect.height());
        paintBell(*painter, QRectF(rect.x() + (rect.width() - side) / 2.0,
                                   rect.y() + (rect.height() - side) / 2.0, side, side));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return transparentPicture(
            size, 1.0, [&](QPainter& painter) { paint(&painter, QRect(QPoint(0, 0), size), mode, state); });
    }

    // The sizes a window manager and a tray show; a dock or task switcher takes the desktop file's
    // scalable icon. Each is drawn when the window is first shown.
    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override
    {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    }

    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new BellIconEngine; }
    QString key() const override { return QStringLiteral("VantrelBell"); }
};

} // namespace

void paintBell(QPainter& painter, const QRectF& area)
{
    painter.save();
    mapGrid(painter, area, 32);
    QPainterPath body;
    body.moveTo(16, 3);
    body.cubicTo(14.8, 3, 14, 3.8, 14, 4.9);
    body.lineTo(14, 5.8);
    body.cubicTo(10.3, 6.7, 8, 9.9, 8, 14);
    body.lineTo(8, 20);
    body.lineTo(5, 23.2);
    body.lineTo(5, 25);
    body.lineTo(27, 25);
    body.lineTo(27, 23.2);
    body.lineTo(24, 20);
    body.lineTo(24, 14);
    body.cubicTo(24, 9.9, 21.7, 6.7, 18, 5.8);
    body.lineTo(18, 4.9);
    body.cubicTo(18, 3.8, 17.2, 3, 16, 3);
    body.closeSubpath();
    painter.setPen(roundPen(QColor(0x8a, 0x5a, 0x00), 1.2));
    painter.setBrush(QColor(0xf2, 0xb0, 0x1e));
    painter.drawPath(body);

    // The clapper: the lower half of a disc under the rim.
    QPainterPath clapper;
    clapper.moveTo(12.5, 26.2);
    clapper.arcTo(QRectF(12.5, 22.7, 7, 7), 180, 180);
    clapper.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x8a, 0x5a, 0x00));
    painter.drawPath(clapper);

    QPainterPath shine;
    shine.moveTo(11, 11.5);
    shine.cubicTo(11.5, 9.5, 12.8, 8.2, 14.5, 7.7);
    painter.setPen(roundPen(QColor(0xff, 0xf6, 0xd6), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shine);
    painter.restore();
}

void paintLogo(QPainter& painter, const QRectF& area)
{
    painter.save();
    mapGrid(painter, area, 64);
    const QColor blue(0x1d, 0x6f, 0xb8);
    const QPointF centre(32, 34);
    painter.setPen(Qt::NoPen);
    painter.setBrush(blue);
    painter.drawEllipse(centre, 26, 26);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, 21, 21);
    painter.setBrush(blue);
    painter.drawRoundedRect(QRectF(26, 2, 12, 6), 2, 2);
    // The hands: minutes in red, hours in the face's blue.
    painter.setPen(roundPen(QColor(0xdd, 0x22, 0x22), 4));
    painter.drawLine(centre, QPointF(32, 18));
    painter.setPen(roundPen(blue, 4));
    painter.drawLine(centre, QPointF(42, 40));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, 3, 3);
    painter.restore();
}

QIcon bellIcon()
{
    return QIcon(new BellIconEngine);
}

QPixmap logoPicture(QSize size, qreal devicePixelRatio)
{
    return transparentPicture(size, devicePixelRatio, [size](QPainter& painter) {
        paintLogo(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    });
}
