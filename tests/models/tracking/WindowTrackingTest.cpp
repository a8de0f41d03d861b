#include "models/tracking/WindowTracking.h"

#include "platform/WindowSystem.h"

#include <gtest/gtest.h>

namespace {
constexpr double kWidth = 5430;
constexpr double kHeight = 2850;
constexpr double kTallHeight = 3435;
constexpr double kScreenW = 15360; // 1024 x 768 pixels
constexpr double kScreenH = 11520;
const QPointF kPointerAway(15000, 11000);
const QString kEditTitle = QStringLiteral("Microsoft PowerPoint - deck.pptx");
const QString kShowTitle = QStringLiteral("PowerPoint 幻灯片放映 - deck.pptx");

// A free main window in the middle of the screen, the pointer far from it, no key down, stopped.
DesktopView desktop(double left = 3000, double top = 4500)
{
    DesktopView view;
    view.window = {left, top, kWidth, kHeight};
    view.normalHeight = kHeight;
    view.screen = {kScreenW, kScreenH};
    view.pointer = kPointerAway;
    view.twipsPerPixel = 15;
    view.stopped = true;
    return view;
}

DesktopView counting()
{
    DesktopView view = desktop();
    view.stopped = false;
    view.counting = true;
    return view;
}

// The window where the step left it.
void follow(DesktopView& view, const TrackingStep& step)
{
    if (step.moveTo) {
        view.window.left = step.moveTo->x();
        view.window.top = step.moveTo->y();
    }
    if (step.height)
        view.window.height = *step.height;
}
} // namespace

TEST(TrackingDocking, EachEdgeTucksWhileThePointerIsAwayAndUntucksUnderIt)
{
    WindowTracking tracking;

    DesktopView view = desktop(3000, 0);
    TrackingStep step = tracking.step(view);
    ASSERT_TRUE(step.moveTo);
    EXPECT_EQ(*step.moveTo, QPointF(3000, 90 - kHeight));
    EXPECT_TRUE(tracking.docked().top);
    follow(view, step);
    // The last pixel row of the visible strip is still on the window.
    view.pointer = {3300, 90 - 15};
    step = tracking.step(view);
    EXPECT_EQ(step.moveTo, QPointF(3000, 0));
    EXPECT_FALSE(tracking.isDocked());
    follow(view, step);
    view.pointer = kPointerAway;
    tracking.step(view);
    EXPECT_TRUE(tracking.docked().top) << "tucks again once the pointer leaves";

    tracking.clearDocked();
    view = desktop(0, 3000);
    step = tracking.step(view);
    EXPECT_EQ(step.moveTo, QPointF(90 - kWidth, 3000));
    EXPECT_TRUE(tracking.docked().left);
    follow(view, step);
    view.pointer = {45, 4000};
    step = tracking.step(view);
    EXPECT_EQ(step.moveTo, QPointF(0, 3000));
    EXPECT_FALSE(tracking.isDocked());

    view = desktop(kScreenW - kWidth, 3000);
    step = tracking.step(view);
    EXPECT_EQ(step.moveTo, QPointF(kScreenW - 90, 3000));
    EXPECT_TRUE(tracking.docked().right);
    follow(view, step);
    view.pointer = {kScreenW - 45, 4000};
    step = tracking.step(view);
    EXPECT_EQ(step.moveTo, QPointF(kScreenW - kWidth, 3000));
    EXPECT_FALSE(tracking.isDocked());
}

TEST(TrackingDocking, TopWinsOverTheSidesAndTheSidesExcludeEachOther)
{
    WindowTracking tracking;
    TrackingStep step = tracking.step(desktop(kScreenW - kWidth + 600, -300));
    EXPECT_EQ(step.moveTo, QPointF(kScreenW - kWidth - 90, 90 - kHeight));
    EXPECT_TRUE(tracking.docked().top);
    EXPECT_FALSE(tracking.docked().right);

    WindowTracking stillLeft;
    stillLeft.setDocked({false, true, false});
    step = stillLeft.step(desktop(kScreenW - kWidth, 3000));
    EXPECT_FALSE(step.moveTo) << "a window flagged at the left edge never tucks at the right one";
    EXPECT_TRUE(stillLeft.docked().left);
    EXPECT_FALSE(stillLeft.docked().right);
}

TEST(TrackingDocking, AFreeWindowStaysPutAndALostOneComesBack)
{
    WindowTracking tracking;
    TrackingStep step = tracking.step(desktop(3000, 4500));
    EXPECT_FALSE(step.moveTo);
    EXPECT_FALSE(step.height);
    EXPECT_FALSE(tracking.isDocked());

    step = tracking.step(desktop(3000, kScreenH - 150));
    EXPECT_EQ(step.moveTo, QPointF(3000, kScreenH - 540));
    EXPECT_FALSE(tracking.isDocked());

    step = tracking.step(desktop(20000, 4500));
    EXPECT_EQ(step.moveTo, QPointF(kScreenW - 90, 4500));
    EXPECT_TRUE(tracking.docked().right) << "dragged beyond the right edge, it tucks there";
}

TEST(TrackingDocking, LeavingTheTallWindowFoldsItBeforeItTucks)
{
    WindowTracking tracking;
    DesktopView view = desktop(3000, 4500);
    view.window.height = kTallHeight;
    view.pointer = {3150, 4500 + 3000}; // over the part below the normal height
    TrackingStep step = tracking.step(view);
    EXPECT_FALSE(step.height);

    view.pointer = kPointerAway;
    step = tracking.step(view);
    EXPECT_EQ(step.height, kHeight);
    EXPECT_FALSE(step.moveTo);

    view.window.top = 0;
    step = tracking.step(view);
    EXPECT_EQ(step.height, kHeight);
    EXPECT_EQ(step.moveTo, QPointF(3000, 90 - kHeight)) << "tucked by the folded height";
}

TEST(TrackingDocking, AWindowDraggedOutByItsTitleBarStaysUnderThePointer)
{
    // Out of the top and the left edge, flush with it; the teacher takes the title bar and drags the
    // window to the middle. The toolkit still knows it at the edge until the button is released.
    for (const QPointF edgePlace : {QPointF(3000, 0), QPointF(0, 3000)}) {
        WindowTracking tracking;
        DesktopView view = desktop(edgePlace.x(), edgePlace.y());
        view.windowSeen = view.window;
        view.pointer = edgePlace + QPointF(2250, 150); // on the title bar
        EXPECT_FALSE(tracking.step(view).moveTo);
        for (int pixels = 30; pixels <= 300; pixels += 30) {
            const QPointF shift(pixels * 15, pixels * 15);
            view.windowSeen->left = edgePlace.x() + shift.x();
            view.windowSeen->top = edgePlace.y() + shift.y();
            view.pointer = edgePlace + QPointF(2250, 150) + shift;
            const TrackingStep step = tracking.step(view);
            EXPECT_FALSE(step.moveTo)
                << "dragged " << pixels << " pixels, the window went back to "
                << step.moveTo.value_or(QPointF()).x() << "," << step.moveTo.value_or(QPointF()).y();
            EXPECT_FALSE(tracking.isDocked());
        }
        // Released in the middle: the toolkit learns the place, and the pointer leaving changes nothing.
        view.window = *view.windowSeen;
        view.pointer = kPointerAway;
        EXPECT_FALSE(tracking.step(view).moveTo);
        EXPECT_FALSE(tracking.isDocked());

        // Without the window system's view, the same drag is taken for the pointer leaving a window
        // at the edge, which tucks it.
        WindowTracking blind;
        DesktopView stale = desktop(edgePlace.x(), edgePlace.y());
        stale.pointer = edgePlace + QPointF(2250, 150) + QPointF(4500, 4500);
        blind.step(stale);
        EXPECT_TRUE(blind.isDocked());
    }
}

TEST(TrackingDocking, APointerOnWhatTheWindowManagerLeftOnScreenBringsTheWindowOut)
{
    // Asked to leave 90 twips at the top, the window manager left 39 pixels on screen.
    WindowTracking tracking;
    DesktopView view = desktop(3000, 0);
    follow(view, tracking.step(view));
    ASSERT_TRUE(tracking.docked().top);
    view.windowSeen = view.window;
    view.windowSeen->top = (39 - 190) * 15;
    view.pointer = {3300, 30 * 15};
    const TrackingStep step = tracking.step(view);
    EXPECT_EQ(step.moveTo, QPointF(3000, 0));
    EXPECT_FALSE(tracking.isDocked());

    // The pointer below what is seen of it is away: the window stays tucked.
    WindowTracking below;
    view = desktop(3000, 0);
    follow(view, below.step(view));
    view.windowSeen = view.window;
    view.windowSeen->top = (39 - 190) * 15;
    view.pointer = {3300, 40 * 15};
    EXPECT_FALSE(below.step(view).moveTo);
    EXPECT_TRUE(below.docked().top);
}

TEST(TrackingScan, TitlesAreRememberedAndScannedOnlyWhenTheyChange)
{
    WindowTracking tracking;
    DesktopView view = counting();
    view.titles = {QStringLiteral("one"), QString(), QStringLiteral("two")};
    EXPECT_TRUE(tracking.step(view).titlesChanged);
    EXPECT_EQ(tracking.titles(), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_FALSE(tracking.step(view).titlesChanged);

    view.titles = {kEditTitle};
    EXPECT_TRUE(tracking.step(view).titlesChanged);
    EXPECT_TRUE(tracking.lastScan().presentationApp);
    EXPECT_FALSE(tracking.step(view).titlesChanged);
    EXPECT_TRUE(tracking.lastScan().presentationApp) << "the remembered scan holds";

    // A freshly loaded main window knows no titles: the same list is taken again.
    tracking.forgetTitles();
    EXPECT_TRUE(tracking.titles().isEmpty());
    EXPECT_FALSE(tracking.lastScan().presentationApp);
    EXPECT_TRUE(tracking.step(view).titlesChanged);
    EXPECT_TRUE(tracking.lastScan().presentationApp);

    view.titles.clear();
    EXPECT_TRUE(tracking.step(view).titlesChanged);
    EXPECT_FALSE(tracking.lastScan().presentationApp);
}

TEST(TrackingScan, ShrinkFollowsTheFoldRuleAndADeckWithoutShowKeepsTheWindowInView)
{
    WindowTracking tracking;
    DesktopView view = desktop();
    TrackingStep step = tracking.step(view);
    EXPECT_EQ(step.shrinkEnabled, false) << "stopped";
    EXPECT_TRUE(step.freeDrawButton) << "stopped";

    view = counting();
    step = tracking.step(view);
    EXPECT_EQ(step.shrinkEnabled, true);
    EXPECT_FALSE(step.freeDrawButton);
    EXPECT_FALSE(step.keepMainInView);

    view.titles = {kEditTitle};
    step = tracking.step(view);
    EXPECT_EQ(step.shrinkEnabled, false);
    EXPECT_TRUE(step.keepMainInView);

    view.titles = {QStringLiteral("deck.odp - LibreOffice Impress")};
    EXPECT_TRUE(tracking.step(view).keepMainInView);

    view.titles = {QStringLiteral("MICROSOFT powerpoint - Deck"),
                   QStringLiteral("powerpoint 幻灯片放映 - Deck")};
    step = tracking.step(view);
    EXPECT_EQ(step.shrinkEnabled, true) << "show running, mixed case";
    EXPECT_FALSE(step.keepMainInView);

    view.counting = false; // paused
    EXPECT_EQ(tracking.step(view).shrinkEnabled, false);
}

TEST(TrackingScan, TheReminderOwnsShrinkOnlyWhereTheRuleWouldAllowIt)
{
    WindowTracking tracking;
    DesktopView view = counting();
    view.reminderRunning = true;
    EXPECT_FALSE(tracking.step(view).shrinkEnabled) << "left as the blinking has it";

    view.titles = {kEditTitle};
    EXPECT_EQ(tracking.step(view).shrinkEnabled, false);
    view.counting = false;
    view.titles.clear();
    EXPECT_EQ(tracking.step(view).shrinkEnabled, false);
}

// A tap: the key goes down and up between two ticks.
void tap(WindowTracking& tracking, int key)
{
    tracking.keys().note(key, true);
    tracking.keys().note(key, false);
}

TEST(TrackingKeys, F9TogglesTheStripOncePerPressOnlyWhileTheMainWindowIsAway)
{
    WindowTracking tracking;
    DesktopView view = counting();
    tap(tracking, Keys::F9);
    EXPECT_EQ(tracking.step(view).stripToggles, 0) << "main window shown";
    EXPECT_EQ(tracking.step(view).stripToggles, 0) << "a press ignored is not kept for later";

    view.mainHidden = true;
    tap(tracking, Keys::F9);
    EXPECT_EQ(tracking.step(view).stripToggles, 1);
    EXPECT_EQ(tracking.step(view).stripToggles, 0) << "answered once";

    // Two quick taps between ticks are two toggles, not one.
    tap(tracking, Keys::F9);
    tap(tracking, Keys::F9);
    EXPECT_EQ(tracking.step(view).stripToggles, 2);

    view.titles = {kEditTitle};
    tap(tracking, Keys::F9);
    TrackingStep step = tracking.step(view);
    EXPECT_TRUE(step.keepMainInView);
    EXPECT_EQ(step.stripToggles, 0) << "the tick brings the main window into view first";
}

TEST(TrackingKeys, AHeldKeyIsOnePressWhetherRepeatedOrPolled)
{
    WindowTracking tracking;
    DesktopView view = counting();
    view.mainHidden = true;

    // The keyboard's auto-repeat reports the press again and again; the release ends it.
    tracking.keys().note(Keys::F9, true);
    EXPECT_EQ(tracking.step(view).stripToggles, 1);
    for (int repeat = 0; repeat < 10; ++repeat) {
        tracking.keys().note(Keys::F9, true);
        EXPECT_EQ(tracking.step(view).stripToggles, 0) << "repeat " << repeat;
    }
    tracking.keys().note(Keys::F9, false);
    EXPECT_EQ(tracking.step(view).stripToggles, 0);

    // Polled on every tick: down, down, down, up, down is two presses, each at its first tick.
    QList<int> toggles;
    for (bool down : {true, true, true, false, true}) {
        tracking.keys().note(Keys::F9, down);
        toggles.append(tracking.step(view).stripToggles);
    }
    EXPECT_EQ(toggles, (QList<int>{1, 0, 0, 0, 1}));
    EXPECT_FALSE(tracking.keys().anyPending());
}

TEST(TrackingKeys, PressesWhileTrackingIsOffAreDropped)
{
    WindowTracking tracking;
    DesktopView view = counting();
    view.mainHidden = true;
    tap(tracking, Keys::F9);
    tracking.keys().note(Keys::F11, true);
    EXPECT_TRUE(tracking.keys().anyPending());
    tracking.keys().dropPending();
    EXPECT_FALSE(tracking.keys().anyPending());
    TrackingStep step = tracking.step(view);
    EXPECT_EQ(step.stripToggles, 0);
    EXPECT_FALSE(step.bringBack);
    // F11 is still held: held on, it is no new press; pressed again, it is.
    tracking.keys().note(Keys::F11, true);
    EXPECT_FALSE(tracking.step(view).bringBack);
    tracking.keys().note(Keys::F11, false);
    tracking.keys().note(Keys::F11, true);
    EXPECT_TRUE(tracking.step(view).bringBack);
}

TEST(TrackingKeys, F11BringsTheWindowBackAndForgetsTheEdge)
{
    WindowTracking tracking;
    DesktopView view = desktop(0, 3000);
    tap(tracking, Keys::F11);
    TrackingStep step = tracking.step(view);
    EXPECT_TRUE(step.bringBack);
    EXPECT_TRUE(step.moveTo) << "the tuck still moves the window before it is placed";
    EXPECT_FALSE(tracking.isDocked()) << "tucked on this very tick, yet cleared";

    tracking.setDocked({true, false, false});
    view = desktop();
    tap(tracking, Keys::F11);
    EXPECT_TRUE(tracking.step(view).bringBack);
    EXPECT_FALSE(tracking.isDocked());

    tracking.setDocked({true, false, false});
    EXPECT_FALSE(tracking.step(view).bringBack);
    EXPECT_TRUE(tracking.docked().top);
}

TEST(TrackingPointer, ReadOnlyWhereItCanMoveTheWindow)
{
    WindowTracking tracking;
    DesktopView view = desktop();
    EXPECT_FALSE(tracking.watchesPointer(view)) << "free in the middle of the screen";
    view.window.height = kTallHeight;
    EXPECT_TRUE(tracking.watchesPointer(view)) << "the pointer's leaving folds the tall layout";

    for (const auto& [left, top] : {std::pair{3000.0, 0.0}, {0.0, 3000.0}, {kScreenW - kWidth, 3000.0}}) {
        view = desktop(left, top);
        EXPECT_TRUE(tracking.watchesPointer(view)) << "at an edge, ready to tuck: " << left << "," << top;
        view.mainHidden = true;
        EXPECT_FALSE(tracking.watchesPointer(view)) << "a hidden window is under no pointer";
        view.mainHidden = false;
        // Without the pointer read it counts as away: the window tucks.
        view.pointer.reset();
        tracking.step(view);
        EXPECT_TRUE(tracking.isDocked());
        EXPECT_TRUE(tracking.watchesPointer(view)) << "tucked: the pointer brings it out";
        tracking.clearDocked();
    }

    // One step away from the edges it is free again, and the pointer no longer matters.
    view = desktop(15, 3000);
    EXPECT_FALSE(tracking.watchesPointer(view));
}

TEST(TrackingPointer, AHiddenWindowTucksAsIfThePointerWereAway)
{
    WindowTracking tracking;
    DesktopView view = desktop(0, 3000);
    view.mainHidden = true;
    view.pointer = QPointF(150, 3000 + 150); // where the window would be
    TrackingStep step = tracking.step(view);
    EXPECT_TRUE(tracking.docked().left);
    ASSERT_TRUE(step.moveTo);
    EXPECT_EQ(step.moveTo->x(), 90 - kWidth);
}

TEST(TrackingFold, FoldsOnlyWhileCountingWithoutADeckOpenWithoutItsShow)
{
    WindowTracking tracking;
    EXPECT_EQ(tracking.fold(false), FoldOutcome::Refuse) << "stopped or paused";
    EXPECT_EQ(tracking.fold(true), FoldOutcome::Fold);

    DesktopView view = counting();
    view.titles = {kEditTitle};
    tracking.step(view);
    tracking.setLastScan({});
    EXPECT_EQ(tracking.fold(true), FoldOutcome::Refuse) << "judged on the titles of the last tick";
    EXPECT_TRUE(tracking.lastScan().presentationApp);

    view.titles = {kEditTitle, kShowTitle};
    tracking.step(view);
    EXPECT_EQ(tracking.fold(true), FoldOutcome::Fold);
}

TEST(TrackingFold, ATuckedWindowComesOutWithoutAMessage)
{
    WindowTracking tracking;
    tracking.setDocked({false, true, false});
    EXPECT_EQ(tracking.fold(false), FoldOutcome::BringOut);
    EXPECT_TRUE(tracking.docked().left) << "the caller clears the edge once the window is out";
    EXPECT_EQ(tracking.fold(true), FoldOutcome::Fold) << "folding needs no coming out first";
}
