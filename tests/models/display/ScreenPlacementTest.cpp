#include "models/display/ScreenPlacement.h"

#include <gtest/gtest.h>

namespace {
// Screens in twips: 15 twips to a pixel.
QRectF screenPx(double x, double y, double w, double h)
{
    return {x * 15, y * 15, w * 15, h * 15};
}
const QRectF kLeft = screenPx(0, 0, 1920, 1080);
const QRectF kRight = screenPx(1920, 0, 1920, 1080);
const QRectF kSmall = screenPx(0, 0, 1280, 720);
} // namespace

TEST(ScreenPlacement, AWindowBelongsToTheScreenItCoversMostElseTheNearest)
{
    const QList<QRectF> two{kLeft, kRight};
    EXPECT_EQ(placement::screenOf(screenPx(100, 100, 400, 300), two), 0);
    EXPECT_EQ(placement::screenOf(screenPx(2000, 100, 400, 300), two), 1);
    // Across the seam: the larger part wins.
    EXPECT_EQ(placement::screenOf(screenPx(1800, 100, 400, 300), two), 1);
    EXPECT_EQ(placement::screenOf(screenPx(1700, 100, 400, 300), two), 0);
    // Wholly off the desktop, below the right screen.
    EXPECT_EQ(placement::screenOf(screenPx(3000, 1500, 400, 300), two), 1);
    EXPECT_EQ(placement::screenOf(screenPx(100, 100, 400, 300), {}), -1);
    EXPECT_EQ(placement::screenAt(QPointF(2500 * 15, 10), two), 1);
    EXPECT_EQ(placement::screenAt(QPointF(-500, -500), two), 0);
}

TEST(ScreenPlacement, AWindowNearTheBottomRightCornerMovesWhollyOntoItsScreen)
{
    // The enlarged countdown below a main window in the bottom-right corner of a small screen.
    const QRectF wanted = screenPx(900, 640, 807, 375);
    const QRectF placed = placement::keepOnScreens(wanted, {kSmall});
    EXPECT_TRUE(kSmall.contains(placed));
    EXPECT_EQ(placed.size(), wanted.size());
    EXPECT_DOUBLE_EQ(placed.right(), kSmall.right());
    EXPECT_DOUBLE_EQ(placed.bottom(), kSmall.bottom());

    // Off the top-left too: brought back to the corner, not further.
    const QRectF above = placement::keepOnScreens(screenPx(-50, -20, 300, 200), {kSmall});
    EXPECT_EQ(above.topLeft(), QPointF(0, 0));

    // A window already on its screen is left where it is.
    const QRectF inside = screenPx(10, 20, 300, 200);
    EXPECT_EQ(placement::keepOnScreens(inside, {kSmall}), inside);
}

TEST(ScreenPlacement, AWindowStaysOnTheScreenItWasMeantForNotTheDesktopAsAWhole)
{
    // Hanging over the right screen's far edge: pulled back on that screen, not onto the left one.
    const QRectF placed = placement::keepOnScreens(screenPx(3700, 900, 400, 300), {kLeft, kRight});
    EXPECT_TRUE(kRight.contains(placed));
    // Over the seam, mostly on the left: wholly on the left screen, no longer split by the seam.
    const QRectF seam = placement::keepOnScreens(screenPx(1700, 100, 400, 300), {kLeft, kRight});
    EXPECT_TRUE(kLeft.contains(seam));
}

TEST(ScreenPlacement, AWindowLargerThanItsScreenKeepsItsTopLeftCornerOnIt)
{
    const QRectF placed = placement::fitOn(screenPx(200, 300, 1600, 900), kSmall);
    EXPECT_EQ(placed.topLeft(), kSmall.topLeft());
    EXPECT_EQ(placed.size(), QSizeF(1600 * 15, 900 * 15));
    // On a screen that does not start at the origin.
    EXPECT_EQ(placement::fitOn(screenPx(0, 0, 2000, 500), kRight).topLeft(), kRight.topLeft());
}

TEST(ScreenPlacement, WindowsOnAScreenThatWentAwayComeBackOntoTheRemainingOne)
{
    const QRectF onRight = screenPx(2400, 300, 500, 40);
    // While both screens are there, the window keeps its place.
    EXPECT_EQ(placement::keepWhereShown(onRight, {kLeft, kRight}), onRight);
    // The right screen is gone: the window lands wholly on the left one.
    const QRectF back = placement::keepWhereShown(onRight, {kLeft});
    EXPECT_TRUE(kLeft.contains(back));
    EXPECT_DOUBLE_EQ(back.top(), onRight.top());
    // A window straddling the seam of two present screens is shown, and stays.
    const QRectF straddling = screenPx(1800, 300, 400, 300);
    EXPECT_EQ(placement::keepWhereShown(straddling, {kLeft, kRight}),
              placement::keepOnScreens(straddling, {kLeft, kRight}));
}

TEST(ScreenPlacement, CarriedOverAWindowKeepsItsPlaceRelativeToTheScreen)
{
    const QRectF strip = screenPx(600, 0, 339, 34);
    EXPECT_EQ(placement::carryOver(strip, kLeft, kRight), screenPx(2520, 0, 339, 34));
    // From a large screen to a small one it still lands wholly on the small one.
    const QRectF nearCorner = screenPx(1800, 1000, 339, 34);
    EXPECT_TRUE(kSmall.contains(placement::carryOver(nearCorner, kLeft, kSmall)));
}

TEST(ScreenPlacement, TheDesktopSpansEveryScreen)
{
    EXPECT_EQ(placement::desktop({kLeft, kRight}), screenPx(0, 0, 3840, 1080));
    EXPECT_EQ(placement::desktop({kSmall}), kSmall);
    EXPECT_TRUE(placement::desktop({}).isEmpty());
}
