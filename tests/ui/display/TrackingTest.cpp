#include "TrackingFixture.h"
#include "platform/Timer.h"

#include <QWindow>

namespace {
const QString kEditTitle = QStringLiteral("Microsoft PowerPoint - deck.pptx");
const QString kShowTitle = QStringLiteral("PowerPoint 幻灯片放映 - deck.pptx");
} // namespace

TEST_F(TrackingTest, TheTickTucksTheWindowAndBringsItBackUnderThePointer)
{
    MainWindow& w = start();

    w.moveTwips(3000, 0);
    tick();
    EXPECT_EQ(w.topTwips(), 90 - 2850);
    EXPECT_TRUE(t.program->tracking().docked().top);
    // The pointer on the last pixel row of the visible strip brings it back.
    t.windows.pointer = {3000 + 300, 90 - 15};
    tick();
    EXPECT_EQ(w.topTwips(), 0);
    EXPECT_FALSE(t.program->tracking().docked().top);
    t.windows.pointer = {15000, 11000};
    tick();
    EXPECT_TRUE(t.program->tracking().docked().top) << "tucks again once the pointer leaves";
}

TEST_F(TrackingTest, LeavingTheWindowFoldsTheTallLayout)
{
    MainWindow& w = start();
    w.setHeightTwips(MainWindow::kHelpHeight);
    t.windows.pointer = {int(w.leftTwips()) + 150, int(w.topTwips()) + 3000};
    tick();
    EXPECT_EQ(w.heightTwips(), MainWindow::kHelpHeight) << "the pointer is still over the tall window";
    t.windows.pointer = {15000, 11000};
    tick();
    EXPECT_EQ(w.heightTwips(), MainWindow::kNormalHeight);
}

TEST_F(TrackingTest, TitlesGoToTheHiddenListEveryTick)
{
    MainWindow& w = start();
    t.windows.titles = {QStringLiteral("one"), QString(), QStringLiteral("two")};
    tick();
    QComboBox& list = titleList(w);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.itemText(0), QStringLiteral("one"));
    EXPECT_EQ(list.itemText(1), QStringLiteral("two"));

    t.windows.titles = {QStringLiteral("three")};
    tick();
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.itemText(0), QStringLiteral("three"));
    EXPECT_EQ(t.windows.titleScans, 2);
}

TEST_F(TrackingTest, ShrinkButtonFollowsTheFoldRule)
{
    MainWindow& w = start();
    tick();
    EXPECT_FALSE(button(w, "Command4").isEnabled()) << "stopped";

    startCountdown(w);
    tick();
    EXPECT_TRUE(button(w, "Command4").isEnabled()) << "running, no presentation program";

    t.windows.titles = {kEditTitle};
    tick();
    EXPECT_FALSE(button(w, "Command4").isEnabled()) << "a deck open without its show";

    t.windows.titles = {kEditTitle, kShowTitle};
    tick();
    EXPECT_TRUE(button(w, "Command4").isEnabled()) << "the show running";

    button(w, "Command2").click(); // pause
    button(w, "Command4").setEnabled(true);
    tick();
    EXPECT_FALSE(button(w, "Command4").isEnabled()) << "paused";

    button(w, "Command2").click(); // continue
    button(w, "Command4").setEnabled(false);
    timer(w, "Timer4").setEnabled(true);
    t.advance(99);
    timer(w, "Timer2").fire();
    EXPECT_FALSE(button(w, "Command4").isEnabled()) << "the reminder effect owns the button while it runs";
}

TEST_F(TrackingTest, DrawButtonComesBackWhileStopped)
{
    MainWindow& w = start();
    button(w, "Command5").setEnabled(false);
    tick();
    EXPECT_TRUE(button(w, "Command5").isEnabled());
    startCountdown(w);
    tick();
    EXPECT_FALSE(button(w, "Command5").isEnabled());
}

TEST_F(TrackingTest, EditingViewOnlyKeepsTheMainWindowInView)
{
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    EXPECT_TRUE(bar.isVisible());

    t.program->window(WindowKind::DrawLauncher)->show();
    t.windows.titles = {kEditTitle};
    tick();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(t.program->isLoaded(WindowKind::DrawLauncher));
    EXPECT_TRUE(bar.isVisible()) << "the strip is left as it is";
    w.hide();
    tick();
    EXPECT_TRUE(w.isVisible()) << "shown again on every tick";

    t.windows.titles = {kEditTitle, kShowTitle};
    w.hide();
    tick();
    EXPECT_TRUE(w.isHidden());
}

TEST_F(TrackingTest, PolledF9TogglesTheStripOncePerPressHoweverLongHeld)
{
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    ASSERT_TRUE(bar.isVisible());

    t.windows.keysDown = {Keys::F9};
    QList<bool> seen;
    for (int i = 0; i < 3; ++i) {
        tick();
        seen.append(bar.isVisible());
    }
    EXPECT_EQ(seen, (QList<bool>{false, false, false}));
    EXPECT_FALSE(bar.isMirroring());
    t.windows.keysDown.clear();
    tick();
    EXPECT_FALSE(bar.isVisible());

    t.windows.keysDown = {Keys::F9};
    tick();
    t.windows.keysDown.clear();
    EXPECT_TRUE(bar.isVisible());
    EXPECT_TRUE(bar.isMirroring());
    EXPECT_EQ(bar.heightTwips(), ToolStrip::kStripHeight);
}

TEST_F(TrackingTest, F9DoesNothingWhileTheMainWindowIsShown)
{
    MainWindow& w = start();
    t.windows.keysDown = {Keys::F9};
    tick();
    tick();
    EXPECT_FALSE(t.program->isLoaded(WindowKind::ToolStrip));
    EXPECT_TRUE(w.isVisible());
}

TEST_F(TrackingTest, F9LoadsTheStripWhenTheMainWindowIsHiddenOtherwise)
{
    MainWindow& w = start();
    w.hide(); // the enlarged window, say
    t.windows.keysDown = {Keys::F9};
    tick();
    ASSERT_NE(strip(), nullptr);
    EXPECT_TRUE(strip()->isVisible());
    EXPECT_TRUE(t.windows.aboveFullScreen.contains(QStringLiteral("Form3")));
    EXPECT_EQ(t.windows.opacity.value(QStringLiteral("Form3")), 150);
}

TEST_F(TrackingTest, F11BringsTheMainWindowBackFromAnyState)
{
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    t.program->window(WindowKind::DrawLauncher)->show();
    t.setDockedEdge(&docking::Flags::left, true);

    t.windows.keysDown = {Keys::F11};
    tick();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(bar.isHidden());
    EXPECT_FALSE(t.program->isLoaded(WindowKind::DrawLauncher));
    EXPECT_NEAR(w.topTwips(), 2000, 15);
    EXPECT_EQ(w.leftTwips(), (kScreenW - w.widthTwips()) / 2);
    EXPECT_FALSE(t.program->tracking().docked().left);

    // Already shown and free: re-centred.
    t.windows.keysDown.clear();
    w.moveTwips(600, 6000);
    tick();
    EXPECT_EQ(w.topTwips(), 6000);
    t.windows.keysDown = {Keys::F11};
    tick();
    EXPECT_NEAR(w.topTwips(), 2000, 15);
    EXPECT_EQ(w.leftTwips(), (kScreenW - w.widthTwips()) / 2);
}

TEST_F(TrackingTest, ReminderPutsATuckedWindowBackWithItsFlag)
{
    MainWindow& w = start();
    const double W = w.widthTwips();
    box(w, "Text1").setText(QStringLiteral("01"));
    box(w, "Text4").setText(QStringLiteral("00"));
    box(w, "Text2").setText(QStringLiteral("00"));
    box(w, "Text5").setText(QStringLiteral("50"));
    button(w, "Command1").click();
    w.moveTwips(kScreenW - W, 3000);
    tick();
    ASSERT_TRUE(t.program->tracking().docked().right);
    const double tuckedLeft = w.leftTwips();

    t.advance(11000 - 100); // the reminder fires after the 11th second's tick
    EXPECT_TRUE(timer(w, "Timer4").isEnabled());
    EXPECT_FALSE(t.program->tracking().docked().right);
    t.advance(13 * 300);
    EXPECT_FALSE(timer(w, "Timer4").isEnabled());
    EXPECT_TRUE(t.program->tracking().docked().right);
    EXPECT_EQ(w.leftTwips(), tuckedLeft);
    tick();
    EXPECT_EQ(w.leftTwips(), tuckedLeft) << "still tucked once tracking sees it again";
}

// A desktop that reports key presses and title changes as they happen.
class EventTrackingTest : public TrackingTest {
protected:
    EventTrackingTest() { t.windows.reportsEvents = true; }

    void tap(int key)
    {
        t.windows.keyDown(key);
        t.windows.keyUp(key);
    }
    bool trackingRuns(MainWindow& w) { return timer(w, "Timer2").isEnabled(); }
    // Lets the window's own events (moves, showing) arrive, then time pass.
    void settleAndWait(qint64 ms)
    {
        TestProgram::settle();
        t.advance(ms);
    }
};

TEST_F(EventTrackingTest, EveryTapBetweenTicksTogglesTheStripOnceAndAHeldKeyOnce)
{
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    ASSERT_TRUE(bar.isVisible());

    // Taps too short for any tick to see the key down.
    QList<bool> seen;
    for (int i = 0; i < 6; ++i) {
        tap(Keys::F9);
        tick();
        seen.append(bar.isVisible());
    }
    EXPECT_EQ(seen, (QList<bool>{false, true, false, true, false, true}));

    // Held down for a second, with the keyboard repeating the press.
    t.windows.keyDown(Keys::F9);
    for (int i = 0; i < 10; ++i) {
        tick();
        t.windows.keyDown(Keys::F9);
    }
    t.windows.keyUp(Keys::F9);
    tick();
    EXPECT_FALSE(bar.isVisible()) << "toggled once for the whole hold";

    tap(Keys::F11);
    tick();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(bar.isHidden());
}

TEST_F(EventTrackingTest, TrackingSleepsUntilSomethingHappens)
{
    MainWindow& w = start();
    settleAndWait(300);
    EXPECT_FALSE(trackingRuns(w)) << "a free window, nothing pressed, no title changing";
    const int scans = t.windows.titleScans;
    const int pointerReads = t.windows.pointerReads;
    t.advance(5000);
    EXPECT_EQ(t.windows.titleScans, scans) << "no tick while asleep";
    EXPECT_EQ(t.windows.pointerReads, pointerReads);

    // A title comes: tracking wakes, sees it, and sleeps again.
    t.windows.setTitles({QStringLiteral("Notes - editor")});
    EXPECT_TRUE(trackingRuns(w));
    tick();
    EXPECT_EQ(titleList(w).count(), 1);
    settleAndWait(300);
    EXPECT_FALSE(trackingRuns(w));

    // A key press wakes it too; F11 brings the window back to its place.
    w.moveTwips(600, 6000);
    settleAndWait(300);
    EXPECT_FALSE(trackingRuns(w));
    EXPECT_EQ(w.topTwips(), 6000);
    tap(Keys::F11);
    EXPECT_TRUE(trackingRuns(w));
    tick();
    EXPECT_NEAR(w.topTwips(), 2000, 15);

    // Starting the count wakes it: 缩小 comes on.
    startCountdown(w);
    settleAndWait(300);
    EXPECT_TRUE(button(w, "Command4").isEnabled());
    EXPECT_FALSE(trackingRuns(w));
}

TEST_F(EventTrackingTest, ThePointerIsWatchedOnlyWhileTheWindowIsAtAnEdge)
{
    MainWindow& w = start();
    settleAndWait(300);
    ASSERT_FALSE(trackingRuns(w));
    const int before = t.windows.pointerReads;

    // Pushed against the top edge: tracking wakes, tucks the window and follows the pointer.
    w.moveTwips(3000, 0);
    settleAndWait(100);
    EXPECT_TRUE(t.program->tracking().docked().top);
    settleAndWait(1000);
    EXPECT_TRUE(trackingRuns(w));
    EXPECT_GE(t.windows.pointerReads, before + 10);
    t.windows.pointer = {3000 + 300, 90 - 15};
    tick();
    EXPECT_EQ(w.topTwips(), 0) << "the pointer on the strip brings it out at once";

    // Back in the middle: the pointer no longer matters and tracking sleeps.
    t.windows.pointer = {15000, 11000};
    w.moveTwips(3000, 4500);
    settleAndWait(300);
    EXPECT_FALSE(t.program->tracking().isDocked());
    EXPECT_FALSE(trackingRuns(w));
    const int reads = t.windows.pointerReads;
    t.advance(2000);
    EXPECT_EQ(t.windows.pointerReads, reads);
}

TEST_F(EventTrackingTest, KeysPressedWhileTrackingIsOffAreNotAnsweredLater)
{
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    // As while a draw is open.
    timer(w, "Timer2").setEnabled(false);
    tap(Keys::F9);
    tap(Keys::F11);
    EXPECT_FALSE(trackingRuns(w));
    t.program->resumeTracking();
    settleAndWait(300);
    EXPECT_TRUE(bar.isVisible());
    EXPECT_TRUE(w.isHidden());
}

TEST_F(TrackingTest, TheNoticesKeepTheKeyboardAwayOnlyWhileTheyRun)
{
    MainWindow& w = start();
    box(w, "Text1").setText(QStringLiteral("00"));
    box(w, "Text4").setText(QStringLiteral("30"));
    box(w, "Text2").setText(QStringLiteral("00"));
    box(w, "Text5").setText(QStringLiteral("20"));
    button(w, "Command1").click();
    auto refusesFocus = [&w] { return w.windowHandle()->flags().testFlag(Qt::WindowDoesNotAcceptFocus); };
    ASSERT_NE(w.windowHandle(), nullptr);
    EXPECT_FALSE(refusesFocus());

    t.advance(11000); // the reminder fires after the 11th second's tick
    ASSERT_TRUE(timer(w, "Timer4").isEnabled());
    EXPECT_TRUE(refusesFocus());
    t.advance(13 * 300);
    EXPECT_FALSE(timer(w, "Timer4").isEnabled());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(refusesFocus()) << "typing into the window works again after the reminder";

    t.advance(31000 - 11000 - 13 * 300); // 00 : 00
    ASSERT_TRUE(timer(w, "Timer3").isEnabled());
    EXPECT_TRUE(refusesFocus());
    t.advance(6000);
    EXPECT_FALSE(timer(w, "Timer3").isEnabled());
    EXPECT_FALSE(refusesFocus());
    EXPECT_FALSE(w.testAttribute(Qt::WA_ShowWithoutActivating)) << "the user's own showing activates";
}
