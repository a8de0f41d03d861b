#include "ui/DrawnIcons.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace {

QImage blank(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage fromDrawing(const QString& svgName, int side)
{
    QSvgRenderer original(QStringLiteral(VANTREL_SOURCE_DIR "/resources/icons/") + svgName);
    EXPECT_TRUE(original.isValid()) << qPrintable(svgName);
    QImage image = blank(side);
    QPainter painter(&image);
    original.render(&painter);
    return image;
}

QImage painted(void (*paint)(QPainter&, const QRectF&), int side)
{
    QImage image = blank(side);
    QPainter painter(&image);
    paint(painter, QRectF(0, 0, side, side));
    return image;
}

// The share of pixels whose colour or coverage differs visibly (antialiased edges may differ a little;
// a hand or clapper drawn the wrong way round changes 2 % and more).
double differingShare(const QImage& a, const QImage& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int delta = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                        std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            if (delta > 48)
                ++differing;
        }
    }
    return double(differing) / (a.width() * a.height());
}

} // namespace

// The program draws its bell and logo itself; they must stay the drawings in resources/icons.
TEST(DrawnIcons, MatchTheirOriginalDrawings)
{
    for (int side : {16, 64, 128}) {
        EXPECT_LT(differingShare(painted(paintBell, side), fromDrawing(QStringLiteral("bell.svg"), side)),
                  0.005)
            << side;
        EXPECT_LT(differingShare(painted(paintLogo, side), fromDrawing(QStringLiteral("logo.svg"), side)),
                  0.005)
            << side;
    }
}

TEST(DrawnIcons, BellIconAndLogoPictureAreDrawnAtTheSizeAsked)
{
    const QIcon bell = bellIcon();
    ASSERT_FALSE(bell.isNull());
    ASSERT_FALSE(bell.availableSizes().isEmpty());
    for (const QSize& size : bell.availableSizes()) {
        const QImage picture = bell.pixmap(size).toImage();
        EXPECT_EQ(picture.size(), size);
        // Transparent around the bell, the bell's gold in its middle.
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << size.width();
        EXPECT_GT(qAlpha(picture.pixel(size.width() / 2, size.height() / 2)), 200) << size.width();
    }

    const QPixmap logo = logoPicture(QSize(60, 60), 2.0);
    EXPECT_EQ(logo.size(), QSize(120, 120));
    EXPECT_EQ(logo.deviceIndependentSize(), QSizeF(60, 60));
    EXPECT_LT(differingShare(logo.toImage(), fromDrawing(QStringLiteral("logo.svg"), 120)), 0.005);
}
