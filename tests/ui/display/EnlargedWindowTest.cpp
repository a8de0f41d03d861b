#include "ui/display/EnlargedWindow.h"

#include "models/display/CountdownMirror.h"
#include "models/display/EnlargedScale.h"
#include "platform/Timer.h"
#include "support/FindControl.h"
#include "support/TestProgram.h"
#include "ui/ClickableLabel.h"
#include "ui/main/MainWindow.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Starts a countdown of the given total and reminder from the main window's entries.
void startCountdown(MainWindow& w, const char* minutes, const char* seconds, const char* remindMinutes,
                    const char* remindSeconds)
{
    control<QLineEdit>(&w, "Text1")->setText(QString::fromLatin1(minutes));
    control<QLineEdit>(&w, "Text4")->setText(QString::fromLatin1(seconds));
    control<QLineEdit>(&w, "Text2")->setText(QString::fromLatin1(remindMinutes));
    control<QLineEdit>(&w, "Text5")->setText(QString::fromLatin1(remindSeconds));
    control<QPushButton>(&w, "Command1")->click();
}

// The user double-clicks the main window's count display.
void openEnlarged(MainWindow& w)
{
    QTest::mouseDClick(control<QLabel>(&w, "Label3"), Qt::LeftButton);
}

// The user double-clicks the enlarged digits.
void closeByTheDigits(EnlargedWindow& e)
{
    QTest::mouseDClick(control<QLabel>(&e, "Label1"), Qt::LeftButton);
}

EnlargedWindow* enlarged(TestProgram& t)
{
    return t.program->loaded<EnlargedWindow>();
}

QString text(QWidget* window, const char* label)
{
    return control<QLabel>(window, label)->text();
}

bool mirrorRuns(EnlargedWindow* e)
{
    return control<Timer>(e, "Timer1")->isEnabled();
}

} // namespace

TEST(EnlargedWindow, OpeningHidesTheMainWindowAndPlacesItselfBelowIt)
{
    TestProgram t;
    MainWindow& w = t.start();
    startCountdown(w, "05", "00", "00", "30");
    t.program->enlargedNotice() = EnlargedNotice::None;
    openEnlarged(w);

    EnlargedWindow* e = enlarged(t);
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(e->isVisible());
    EXPECT_TRUE(mirrorRuns(e));
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::None);
    EXPECT_TRUE(t.windows.topMost.contains(QStringLiteral("Form6")));
    EXPECT_NEAR(e->leftTwips(), (t.windows.screen.width() - e->widthTwips()) / 2, 15);
    EXPECT_NEAR(e->topTwips(), w.topTwips() + w.heightTwips() + 600, 15);
    EXPECT_EQ(text(e, "Label4"), QStringLiteral("双击红色数字可关闭本窗口，自动返回主程序界面"));
}

TEST(EnlargedWindow, DigitsFollowTheMainDisplayWithin200ms)
{
    TestProgram t;
    MainWindow& w = t.start();
    startCountdown(w, "01", "30", "00", "00");
    t.advance(130); // out of step with the main window's second
    openEnlarged(w);
    EnlargedWindow* e = enlarged(t);
    ASSERT_NE(e, nullptr);

    QString shown = text(&w, "Label3");
    qint64 changedAt = t.timers.nowMs();
    int checks = 0;
    for (int step = 0; step < 400; ++step) {
        t.advance(10);
        if (text(&w, "Label3") != shown) {
            shown = text(&w, "Label3");
            changedAt = t.timers.nowMs();
        }
        if (t.timers.nowMs() - changedAt >= 200) {
            ASSERT_EQ(text(e, "Label1"), shown) << "at " << t.timers.nowMs() << " ms";
            ++checks;
        }
    }
    EXPECT_GT(checks, 100);
    EXPECT_NE(shown, QStringLiteral("01 : 30"));
}

TEST(EnlargedWindow, StatusStripShowsTheSetTimeWithTwoDigitFieldsAndOnlyTheStatusChangesOnPause)
{
    TestProgram t;
    MainWindow& w = t.start();
    startCountdown(w, "9", "5", "0", "0");
    openEnlarged(w);
    EnlargedWindow* e = enlarged(t);
    t.advance(1000);
    EXPECT_EQ(text(e, "Label3"), QStringLiteral("定时09分05秒"));
    EXPECT_EQ(text(e, "Label2"), countdownStatusText(Countdown::State::Running));

    const QString digits = text(e, "Label1");
    control<QPushButton>(&w, "Command2")->click(); // pause
    t.advance(3000);
    EXPECT_EQ(text(e, "Label2"), countdownStatusText(Countdown::State::Paused));
    EXPECT_EQ(text(e, "Label3"), QStringLiteral("定时09分05秒"));
    EXPECT_EQ(text(e, "Label1"), digits);

    control<QPushButton>(&w, "Command2")->click(); // continue
    t.advance(1000);
    EXPECT_EQ(text(e, "Label2"), countdownStatusText(Countdown::State::Running));
    EXPECT_NE(text(e, "Label1"), digits);
}

TEST(EnlargedWindow, TimeUpClosesItWithin200msAndItStaysLoadedWhereItWas)
{
    TestProgram t;
    MainWindow& w = t.start();
    startCountdown(w, "00", "25", "00", "00");
    t.advance(130); // out of step with the main window's second
    openEnlarged(w);
    EnlargedWindow* e = enlarged(t);
    e->moveTwips(1500, 900);

    qint64 signalledAt = -1;
    for (int step = 0; step < 3000 && signalledAt < 0; ++step) {
        t.advance(10);
        if (t.program->enlargedNotice() == EnlargedNotice::TimeUp)
            signalledAt = t.timers.nowMs();
    }
    ASSERT_GE(signalledAt, 0) << "the countdown never reached its end";
    t.advance(200);
    EXPECT_FALSE(e->isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::None);
    EXPECT_EQ(enlarged(t), e);
    EXPECT_TRUE(mirrorRuns(e));
    EXPECT_EQ(text(e, "Label1"), QStringLiteral("00 : 00"));
    EXPECT_EQ(text(e, "Label2"), countdownStatusText(Countdown::State::Stopped));

    // Next talk: the same window comes back where it was left, without a new Load.
    t.advance(7000);
    startCountdown(w, "00", "40", "00", "00");
    openEnlarged(w);
    EXPECT_EQ(enlarged(t), e);
    EXPECT_TRUE(e->isVisible());
    EXPECT_NEAR(e->leftTwips(), 1500, 15);
    EXPECT_NEAR(e->topTwips(), 900, 15);
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::None);
}

TEST(EnlargedWindow, ClosingByTheDigitsOrTheCloseCommandUnloadsAndShowsTheMainWindow)
{
    TestProgram t;
    MainWindow& w = t.start();
    startCountdown(w, "02", "00", "00", "00");

    openEnlarged(w);
    ASSERT_NE(enlarged(t), nullptr);
    closeByTheDigits(*enlarged(t));
    EXPECT_EQ(enlarged(t), nullptr);
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::ClosedByUser);
    EXPECT_TRUE(w.isVisible());
    TestProgram::settle();

    openEnlarged(w);
    ASSERT_NE(enlarged(t), nullptr);
    EXPECT_FALSE(w.isVisible());
    enlarged(t)->close();
    EXPECT_EQ(enlarged(t), nullptr);
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::ClosedByUser);
    EXPECT_TRUE(w.isVisible());
}

TEST(EnlargedWindow, UserCloseDuringARunIsHandledAtTheEndOfTheReminder)
{
    TestProgram t;
    MainWindow& w = t.start();
    startCountdown(w, "00", "40", "00", "30");
    openEnlarged(w);
    t.advance(2000);
    closeByTheDigits(*enlarged(t));
    ASSERT_EQ(t.program->enlargedNotice(), EnlargedNotice::ClosedByUser);

    // The reminder fires 10 s in and blinks for 13 ticks of 300 ms.
    t.advance(10000 + 13 * 300 + 100);
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::None);
    EXPECT_TRUE(w.isVisible());
}

TEST(EnlargedWindow, GrowsWithALargeScreenAndItsDigitsFit)
{
    for (const QSize pixels : {QSize(1024, 768), QSize(1920, 1080)}) {
        TestProgram t;
        t.windows.screen = pixels * 15;
        MainWindow& w = t.start();
        startCountdown(w, "88", "48", "00", "00");
        openEnlarged(w);
        EnlargedWindow* e = enlarged(t);
        ASSERT_NE(e, nullptr);
        const double scale = enlargedScale(t.windows.screen);
        EXPECT_NEAR(e->width(), 12105 * scale / 15, 2) << pixels.width();
        EXPECT_GE(control<QLabel>(e, "Label1")->font().pointSizeF(), EnlargedWindow::kDigitPoints);
        EXPECT_NEAR(control<QLabel>(e, "Label1")->font().pointSizeF(), EnlargedWindow::kDigitPoints * scale,
                    0.01);
        // The widest count the main window can show must not be clipped.
        const QFontMetrics metrics(control<QLabel>(e, "Label1")->font());
        EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("88 : 48")), control<QLabel>(e, "Label1")->width())
            << pixels.width();
        EXPECT_LE(metrics.tightBoundingRect(QStringLiteral("88 : 48")).height(),
                  control<QLabel>(e, "Label1")->height())
            << pixels.width();
        EXPECT_LE(e->topTwips() + e->heightTwips(), t.windows.screen.height()) << pixels.width();
    }
}

TEST(EnlargedWindow, StaysWholeOnScreenWhenTheMainWindowSitsLow)
{
    TestProgram t;
    MainWindow& w = t.start();
    startCountdown(w, "05", "00", "00", "00");
    w.moveTwips(w.leftTwips(), t.windows.screen.height() - w.heightTwips());
    openEnlarged(w);
    EnlargedWindow* e = enlarged(t);
    EXPECT_LE(e->topTwips() + e->heightTwips(), t.windows.screen.height() + 15);
    EXPECT_GE(e->topTwips(), 0);
}
