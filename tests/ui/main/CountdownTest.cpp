#include "platform/Timer.h"
#include "support/MainWindowControls.h"
#include "support/TestProgram.h"
#include "ui/main/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CountdownWindow : public ::testing::Test {
protected:
    void start(const QString& minutes, const QString& seconds, const QString& remMinutes,
               const QString& remSeconds)
    {
        c.totalMinutes()->setText(minutes);
        c.totalSeconds()->setText(seconds);
        c.reminderMinutes()->setText(remMinutes);
        c.reminderSeconds()->setText(remSeconds);
        c.startButton()->click();
        ASSERT_TRUE(t.program->countdown().isCounting());
    }
    int cues() const { return t.sounds.log.plays("ding.WAV"); }

    TestProgram t;
    MainWindow* w = &t.start();
    MainWindowControls c{*w};
};

} // namespace

TEST_F(CountdownWindow, OneMinuteWithHalfMinuteReminderRunsItsWholeCourse)
{
    start("01", "00", "00", "30");
    EXPECT_EQ(c.countLabel()->text(), "01 : 00");
    EXPECT_EQ(c.summaryLabel()->text(), "定时 01:00 提前 00:30");
    EXPECT_EQ(cues(), 1);
    EXPECT_FALSE(c.startButton()->isEnabled());
    EXPECT_TRUE(c.pauseButton()->isEnabled());
    EXPECT_TRUE(c.stopButton()->isEnabled());
    EXPECT_TRUE(c.foldButton()->isEnabled());
    EXPECT_FALSE(c.drawButton()->isEnabled());
    EXPECT_FALSE(c.preset(0)->isEnabled());
    EXPECT_FALSE(c.totalMinutes()->isVisible());
    EXPECT_TRUE(c.summaryLabel()->isVisible() && c.runStateLabel()->isVisible() &&
                c.presetNameLabel()->isVisible());
    EXPECT_EQ(t.program->countdown().startedMinutes(), 1);
    EXPECT_EQ(t.program->countdown().startedSeconds(), 0);

    t.advance(1000);
    EXPECT_EQ(c.countLabel()->text(), "01 : 00");
    t.advance(1000);
    EXPECT_EQ(c.countLabel()->text(), "00 : 59");

    // The reminder fires with the 31st tick, when the display reads 00 : 30.
    t.advance(29000);
    EXPECT_EQ(c.countLabel()->text(), "00 : 30");
    EXPECT_TRUE(c.reminderBlinkTimer()->isEnabled());
    EXPECT_NEAR(w->topTwips(), 2000, 15);
    t.advance(300);
    EXPECT_TRUE(c.reminderLabel()->isVisible() || !w->isVisible());
    EXPECT_EQ(c.reminderLabel()->text(), "还剩0分30秒!");
    EXPECT_EQ(cues(), 2);
    EXPECT_FALSE(c.stopButton()->isEnabled());
    EXPECT_FALSE(c.foldButton()->isEnabled());
    // Five flips of the window, then it stays shown; 13 ticks in all.
    int flips = 0;
    bool visible = w->isVisible();
    for (int i = 2; i <= 12; ++i) {
        t.advance(300);
        flips += w->isVisible() != visible;
        visible = w->isVisible();
    }
    // Ticks 1 to 5 flip the window (the first flip came before the loop); tick 6 shows it again.
    EXPECT_EQ(flips, 5);
    EXPECT_TRUE(w->isVisible());
    t.advance(300);
    EXPECT_FALSE(c.reminderBlinkTimer()->isEnabled());
    EXPECT_FALSE(c.reminderLabel()->isVisible());
    EXPECT_TRUE(c.countLabel()->isVisible());
    EXPECT_TRUE(c.stopButton()->isEnabled());

    // 00 : 00 comes with tick 61.
    t.advance(61000 - t.timers.nowMs() - 1);
    EXPECT_EQ(c.countLabel()->text(), "00 : 01");
    t.advance(1);
    EXPECT_EQ(c.countLabel()->text(), "00 : 00");
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::TimeUp);
    EXPECT_FALSE(t.program->countdown().isTicking());
    EXPECT_TRUE(c.slideTimer()->isEnabled());
    EXPECT_FALSE(c.pauseButton()->isEnabled());
    EXPECT_EQ(w->leftTwips(), 135);

    t.advance(50);
    EXPECT_TRUE(t.program->countdown().isStopped());
    EXPECT_TRUE(c.timeUpLabel()->isVisible());
    EXPECT_EQ(c.timeUpLabel()->text(), " 时间到！");
    EXPECT_EQ(cues(), 3);
    EXPECT_EQ(w->leftTwips(), 255);

    // Six seconds after 00 : 00 the window is back to the stopped state with the same entries.
    t.advance(6000 - 100);
    EXPECT_TRUE(c.slideTimer()->isEnabled());
    t.advance(50);
    EXPECT_FALSE(c.slideTimer()->isEnabled());
    EXPECT_FALSE(c.timeUpLabel()->isVisible());
    EXPECT_TRUE(c.startButton()->isEnabled());
    EXPECT_FALSE(c.pauseButton()->isEnabled());
    EXPECT_FALSE(c.stopButton()->isEnabled());
    EXPECT_TRUE(c.preset(0)->isEnabled());
    EXPECT_TRUE(c.entryRowVisible());
    EXPECT_FALSE(c.countLabel()->isVisible());
    EXPECT_EQ(c.countLabel()->text(), "01 : 00");
    EXPECT_EQ(c.totalMinutes()->text(), "01");
    EXPECT_EQ(c.reminderSeconds()->text(), "30");
    EXPECT_NEAR(w->topTwips(), 2000, 15);
    EXPECT_TRUE(c.trackingTimer()->isEnabled());
    EXPECT_EQ(cues(), 3);
}

TEST_F(CountdownWindow, TimeUpSlideBouncesAndCarriesItsDirectionToTheNextEffect)
{
    start("00", "20", "00", "00");
    t.advance(21000);
    ASSERT_TRUE(c.slideTimer()->isEnabled());
    double previous = w->leftTwips();
    double right = t.windows.screenSizeTwips().width() - w->widthTwips() - 135;
    for (int i = 0; i < 41; ++i) {
        t.advance(50);
        const double now = w->leftTwips();
        EXPECT_EQ(std::abs(now - previous), 120) << "tick " << i;
        EXPECT_LE(now, right + 120);
        previous = now;
    }
    t.advance(50);
    EXPECT_NEAR(w->topTwips(), 2000, 15);
    EXPECT_NEAR(w->leftTwips(), (t.windows.screenSizeTwips().width() - w->widthTwips()) / 2, 15);

    // Narrow screen: the slide hits the right bound and comes back.
    t.windows.screen = QSize(w->widthTwips() + 135 * 2 + 600, 11520);
    right = t.windows.screenSizeTwips().width() - w->widthTwips() - 135;
    t.advance(6000);
    ASSERT_TRUE(t.program->countdown().isStopped());
    start("00", "20", "00", "00");
    t.advance(21000);
    double maxLeft = 0;
    bool cameBack = false;
    for (int i = 0; i < 40; ++i) {
        t.advance(50);
        maxLeft = std::max(maxLeft, w->leftTwips());
        cameBack = cameBack || w->leftTwips() < maxLeft;
    }
    EXPECT_LE(maxLeft, right + 120);
    EXPECT_TRUE(cameBack);
}

TEST_F(CountdownWindow, PauseBlinksAndContinueResumesAtTheSameSecond)
{
    start("01", "00", "00", "00");
    t.advance(16000);
    ASSERT_EQ(c.countLabel()->text(), "00 : 45");
    c.pauseButton()->click();
    EXPECT_TRUE(t.program->countdown().isPaused());
    EXPECT_EQ(c.pauseButton()->text(), "继续");
    EXPECT_EQ(c.pauseButton()->toolTip(), "继续开始定时器计时");
    EXPECT_EQ(c.runStateLabel()->text(), "暂停计时");
    EXPECT_FALSE(c.foldButton()->isEnabled());
    EXPECT_TRUE(c.stopButton()->isEnabled());

    QList<QColor> colours;
    for (int i = 0; i < 4; ++i) {
        t.advance(800);
        colours << c.runStateLabel()->palette().color(QPalette::WindowText);
    }
    EXPECT_EQ(colours,
              (QList<QColor>{QColor(0, 0, 255), QColor(255, 0, 0), QColor(0, 0, 255), QColor(255, 0, 0)}));
    EXPECT_EQ(c.countLabel()->text(), "00 : 45");

    c.pauseButton()->click();
    EXPECT_TRUE(t.program->countdown().isCounting());
    EXPECT_EQ(c.pauseButton()->text(), "暂停");
    EXPECT_EQ(c.runStateLabel()->text(), "正在计时");
    EXPECT_EQ(c.runStateLabel()->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_FALSE(c.pauseBlinkTimer()->isEnabled());
    t.advance(1000);
    EXPECT_EQ(c.countLabel()->text(), "00 : 44");
}

TEST_F(CountdownWindow, StopAnsweredNoLetsTheCountGoOnWhileTheQuestionIsOpen)
{
    start("01", "00", "00", "00");
    t.advance(2000);
    w->moveTwips(600, 600);
    t.dialogs.answerNext(Answer::No, [&] { t.advance(5000); });
    c.stopButton()->click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].kind, ScriptedDialogs::Kind::Ask);
    EXPECT_EQ(t.dialogs.shown[0].title, "Vantrel工具提示：");
    EXPECT_EQ(t.dialogs.shown[0].text, "确实要停止计时吗?");
    EXPECT_TRUE(t.program->countdown().isCounting());
    EXPECT_EQ(c.countLabel()->text(), "00 : 54");
    EXPECT_NEAR(w->topTwips(), 2000, 15);
}

TEST_F(CountdownWindow, StopAnsweredYesBringsBackTheEntryRow)
{
    QTest::mouseClick(c.preset(2), Qt::LeftButton);
    start("02", "15", "00", "40");
    t.advance(3000);
    t.dialogs.answerNext(Answer::Yes);
    c.stopButton()->click();
    EXPECT_TRUE(t.program->countdown().isStopped());
    EXPECT_TRUE(c.entryRowVisible());
    EXPECT_EQ(c.totalMinutes()->text(), "02");
    EXPECT_EQ(c.totalSeconds()->text(), "15");
    EXPECT_EQ(c.reminderSeconds()->text(), "40");
    EXPECT_FALSE(c.countLabel()->isVisible());
    EXPECT_EQ(c.countLabel()->text(), "02 : 15");
    EXPECT_FALSE(c.summaryLabel()->isVisible());
    EXPECT_FALSE(c.runStateLabel()->isVisible());
    EXPECT_TRUE(c.startButton()->isEnabled());
    EXPECT_FALSE(c.pauseButton()->isEnabled());
    EXPECT_FALSE(c.stopButton()->isEnabled());
    EXPECT_TRUE(c.preset(2)->isEnabled());
    EXPECT_FALSE(t.program->countdown().isTicking());
    t.advance(5000);
    EXPECT_EQ(c.countLabel()->text(), "02 : 15");
}

TEST_F(CountdownWindow, StopQuestionStillOpenWhenTimeIsUp)
{
    start("00", "20", "00", "00");
    t.advance(15000);
    t.dialogs.answerNext(Answer::Yes, [&] { t.advance(7000); });
    c.stopButton()->click();
    // Time ran out under the open question; Yes then stops what is left and the effect ends on its own.
    EXPECT_TRUE(t.program->countdown().isStopped());
    t.advance(6000);
    EXPECT_FALSE(c.slideTimer()->isEnabled());
    EXPECT_TRUE(c.startButton()->isEnabled());
    EXPECT_TRUE(c.entryRowVisible());
}

TEST_F(CountdownWindow, ReminderWhileTuckedRightReturnsToTheSavedPlaceOnlyThatOnce)
{
    start("01", "00", "00", "30");
    const double screenWidth = t.windows.screenSizeTwips().width();
    w->moveTwips(screenWidth - 90, 3000);
    t.setDockedEdge(&docking::Flags::right, true);
    t.windows.pointer = QPoint(0, 0);

    t.advance(31000);
    EXPECT_FALSE(t.program->tracking().docked().right);
    EXPECT_NEAR(w->topTwips(), 2000, 15);
    t.advance(13 * 300);
    EXPECT_FALSE(c.reminderBlinkTimer()->isEnabled());
    EXPECT_EQ(w->leftTwips(), screenWidth - 90);
    EXPECT_EQ(w->topTwips(), 3000);
    EXPECT_TRUE(t.program->tracking().docked().right);
    EXPECT_TRUE(w->isVisible());

    // Next run: the window is free at another place when the reminder comes; it stays centred after.
    t.advance(30000);
    t.advance(6000);
    ASSERT_TRUE(t.program->countdown().isStopped());
    t.setDockedEdge(&docking::Flags::right, false);
    start("01", "00", "00", "30");
    w->moveTwips(1500, 4000);
    t.advance(31000 + 13 * 300);
    EXPECT_FALSE(c.reminderBlinkTimer()->isEnabled());
    EXPECT_NEAR(w->topTwips(), 2000, 15);
    EXPECT_NE(w->leftTwips(), screenWidth - 90);
    EXPECT_FALSE(t.program->tracking().docked().right);
}

TEST_F(CountdownWindow, StopWhilePausedLeavesPauseReadyForTheNextRun)
{
    start("01", "00", "00", "00");
    t.advance(3000);
    c.pauseButton()->click();
    t.advance(800);
    t.dialogs.answerNext(Answer::Yes);
    c.stopButton()->click();
    EXPECT_FALSE(c.pauseBlinkTimer()->isEnabled());
    EXPECT_EQ(c.pauseButton()->text(), "暂停");

    start("01", "00", "00", "00");
    EXPECT_EQ(c.pauseButton()->text(), "暂停");
    EXPECT_EQ(c.pauseButton()->toolTip(), "暂停定时器计时");
    EXPECT_EQ(c.runStateLabel()->text(), "正在计时");
    EXPECT_EQ(c.runStateLabel()->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    t.advance(2000);
    EXPECT_EQ(c.countLabel()->text(), "00 : 59");
}
