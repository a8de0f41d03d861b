#include "models/tracking/EdgeDocking.h"
#include "models/tracking/ShowDetection.h"
#include "platform/ShowTitle.h"

#include <gtest/gtest.h>

using docking::Flags;
using docking::Window;

namespace {
const QSizeF kScreen(15360, 11520); // 1024 x 768 pixels
constexpr double kTpp = 15;
} // namespace

TEST(EdgeDocking, PointerOnTheLastPixelColumnAndRowIsInside)
{
    const Window w{1500, 3000, 5430, 2850}; // pixels 100..462 x 200..390
    EXPECT_TRUE(docking::pointerInside(w, {461 * kTpp, 300 * kTpp}, kTpp));
    EXPECT_TRUE(docking::pointerInside(w, {462 * kTpp, 390 * kTpp}, kTpp));
    EXPECT_TRUE(docking::pointerInside(w, {100 * kTpp, 200 * kTpp}, kTpp));
    EXPECT_FALSE(docking::pointerInside(w, {463 * kTpp, 300 * kTpp}, kTpp));
    EXPECT_FALSE(docking::pointerInside(w, {300 * kTpp, 391 * kTpp}, kTpp));
    EXPECT_FALSE(docking::pointerInside(w, {99 * kTpp, 300 * kTpp}, kTpp));
    EXPECT_FALSE(docking::pointerInside(w, {300 * kTpp, 199 * kTpp}, kTpp));
}

TEST(EdgeDocking, TopEdgeTucksAndKeepsTheStripOnScreen)
{
    Window w{4000, 0, 5430, 2850};
    Flags f;
    docking::tuckAtEdges(w, f, kScreen);
    EXPECT_EQ(w.top, 90 - 2850);
    EXPECT_EQ(w.left, 4000);
    EXPECT_TRUE(f.top);
    EXPECT_FALSE(f.left);

    Window beyondRight{15000, -10, 5430, 2850};
    Flags f2;
    docking::tuckAtEdges(beyondRight, f2, kScreen);
    EXPECT_EQ(beyondRight.left, 15360 - 5430 - 90);
    EXPECT_FALSE(f2.right) << "the top edge wins over the right one";

    Window beyondLeft{-200, -10, 5430, 2850};
    Flags f3;
    docking::tuckAtEdges(beyondLeft, f3, kScreen);
    EXPECT_EQ(beyondLeft.left, 90);
    EXPECT_FALSE(f3.left) << "the top edge wins over the left one";
}

TEST(EdgeDocking, SideEdgesTuckWithTheirBottomClamps)
{
    Window left{0, 11000, 5430, 2850};
    Flags fl;
    docking::tuckAtEdges(left, fl, kScreen);
    EXPECT_EQ(left.left, 90 - 5430);
    EXPECT_EQ(left.top, 11520 - 2850 - 90);
    EXPECT_TRUE(fl.left);

    Window right{15360 - 5430, 11000, 5430, 2850};
    Flags fr;
    docking::tuckAtEdges(right, fr, kScreen);
    EXPECT_EQ(right.left, 15360 - 90);
    EXPECT_EQ(right.top, 11520 - 2850 - 210);
    EXPECT_TRUE(fr.right);

    // Left and right exclude each other: a window still flagged left never tucks right.
    Window wide{15360 - 5430, 3000, 5430, 2850};
    Flags stale;
    stale.left = true;
    docking::tuckAtEdges(wide, stale, kScreen);
    EXPECT_FALSE(stale.right);
    EXPECT_EQ(wide.left, 15360 - 5430);

    // Just inside the edges nothing happens.
    Window free{1, 1, 5430, 2850};
    Flags ff;
    docking::tuckAtEdges(free, ff, kScreen);
    EXPECT_FALSE(ff.any());
    EXPECT_EQ(free.left, 1);
    EXPECT_EQ(free.top, 1);
}

TEST(EdgeDocking, UndoBringsEachEdgeBackFlush)
{
    Window w{90 - 5430, 3000, 5430, 2850};
    Flags f;
    f.left = true;
    docking::undoTuck(w, f, kScreen);
    EXPECT_EQ(w.left, 0);
    EXPECT_FALSE(f.any());

    Window r{15360 - 90, 3000, 5430, 2850};
    Flags fr;
    fr.right = true;
    docking::undoTuck(r, fr, kScreen);
    EXPECT_EQ(r.left, 15360 - 5430);
    EXPECT_FALSE(fr.any());

    Window t{4000, 90 - 2850, 5430, 2850};
    Flags ft;
    ft.top = true;
    docking::undoTuck(t, ft, kScreen);
    EXPECT_EQ(t.top, 0);
    EXPECT_EQ(t.left, 4000);
}

TEST(EdgeDocking, KeepReachablePullsBackFromEveryEdge)
{
    Window low{4000, 11400, 5430, 2850};
    docking::keepReachable(low, kScreen);
    EXPECT_EQ(low.top, 11520 - 540);

    Window far{-9000, -9000, 5430, 2850};
    docking::keepReachable(far, kScreen);
    EXPECT_EQ(far.left, 90 - 5430);
    EXPECT_EQ(far.top, 90 - 2850);

    Window right{16000, 3000, 5430, 2850};
    docking::keepReachable(right, kScreen);
    EXPECT_EQ(right.left, 15360 - 90);
}

TEST(ShowDetection, MatchesTheTableIgnoringCaseAnywhereInTheTitle)
{
    using showdetection::scanTitles;
    auto found = scanTitles({QStringLiteral("Microsoft PowerPoint - deck.pptx")});
    EXPECT_TRUE(found.presentationApp);
    EXPECT_FALSE(found.slideShow);

    found = scanTitles({QStringLiteral("x"), QStringLiteral("PowerPoint 幻灯片放映 - deck"),
                        QStringLiteral("microsoft powerpoint")});
    EXPECT_TRUE(found.presentationApp);
    EXPECT_TRUE(found.slideShow);
    EXPECT_EQ(found.showTitle, QStringLiteral("PowerPoint 幻灯片放映 - deck"));

    found = scanTitles(
        {QStringLiteral("deck.odp - LibreOffice Impress"), QStringLiteral("Presenting: deck.odp")});
    EXPECT_TRUE(found.presentationApp);
    EXPECT_TRUE(found.slideShow);

    EXPECT_TRUE(scanTitles({QStringLiteral("正在演示: 课件.odp")}).slideShow);
    EXPECT_TRUE(scanTitles({kBuiltInShowTitle}).slideShow);

    found =
        scanTitles({QStringLiteral("PowerPoint"), QStringLiteral("幻灯片放映"), QStringLiteral("Impress")});
    EXPECT_FALSE(found.presentationApp);
    EXPECT_FALSE(found.slideShow);
    EXPECT_TRUE(found.showTitle.isEmpty());

    // Of two shows, the top-most one (listed first) is the one the class sees.
    EXPECT_EQ(
        scanTitles({QStringLiteral("Presenting: b.odp"), QStringLiteral("Presenting: a.odp")}).showTitle,
        QStringLiteral("Presenting: b.odp"));

    // Only the first `count` titles are looked at.
    EXPECT_FALSE(
        scanTitles({QStringLiteral("a"), QStringLiteral("Microsoft PowerPoint")}, 1).presentationApp);
}

TEST(ShowDetection, FoldRule)
{
    using showdetection::Found;
    using showdetection::mayHide;
    EXPECT_TRUE(mayHide(true, Found{false, false, {}}));
    EXPECT_TRUE(mayHide(true, Found{true, true, {}}));
    EXPECT_TRUE(mayHide(true, Found{true, false, {}}));
    EXPECT_FALSE(mayHide(true, Found{false, true, {}}));
    EXPECT_FALSE(mayHide(false, Found{true, true, {}}));
    EXPECT_FALSE(mayHide(false, Found{false, false, {}}));
}

TEST(EdgeDocking, OnTwoScreensSideBySideOnlyTheDesktopsOuterEdgesTuck)
{
    const QSizeF desktop(3840 * kTpp, 1080 * kTpp);
    // At the seam, the right edge of the left screen: the window simply lies across it.
    Window atSeam{(1920 - 200) * kTpp, 300 * kTpp, 5430, 2850};
    Flags f;
    docking::tuckAtEdges(atSeam, f, desktop);
    EXPECT_FALSE(f.any());
    EXPECT_DOUBLE_EQ(atSeam.left, (1920 - 200) * kTpp);
    docking::keepReachable(atSeam, desktop);
    EXPECT_DOUBLE_EQ(atSeam.left, (1920 - 200) * kTpp);

    // At the far right edge of the right screen it tucks, and comes out flush with that edge.
    Window atRight{3840 * kTpp - 5430, 300 * kTpp, 5430, 2850};
    docking::tuckAtEdges(atRight, f, desktop);
    EXPECT_TRUE(f.right);
    EXPECT_DOUBLE_EQ(atRight.left, 3840 * kTpp - docking::kTuckedStrip);
    docking::undoTuck(atRight, f, desktop);
    EXPECT_DOUBLE_EQ(atRight.left, 3840 * kTpp - 5430);
}
