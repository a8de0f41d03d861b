#include "ui/display/EnlargedWindow.h"

#include "platform/Timer.h"
#include "support/TestProgram.h"
#include "ui/ClickableLabel.h"
#include "ui/main/MainWindow.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Starts a countdown of the given total and reminder from the main window's entries.
void startCountdown(MainWindow& w, const char* minutes, const char* seconds, const char* remindMinutes,
                    const char* remindSeconds)
{
    w.Text1->setText(QString::fromLatin1(minutes));
    w.Text4->setText(QString::fromLatin1(seconds));
    w.Text2->setText(QString::fromLatin1(remindMinutes));
    w.Text5->setText(QString::fromLatin1(remindSeconds));
    w.Command1->click();
}

EnlargedWindow* enlarged(TestProgram& t)
{
    return t.program->loadedAs<EnlargedWindow>(WindowKind::EnlargedCountdown);
}

} // namespace

TEST(EnlargedScale, DesignedSizeUpToTheDesignScreenThenGrowsWithTheSmallerSide)
{
    EXPECT_DOUBLE_EQ(enlargedScale({1024 * 15, 768 * 15}), 1.0);
    EXPECT_DOUBLE_EQ(enlargedScale({800 * 15, 600 * 15}), 1.0);
    EXPECT_DOUBLE_EQ(enlargedScale({1920 * 15, 1080 * 15}), 1080.0 / 768.0);
    // A very wide screen grows by its height, so the window still fits vertically.
    EXPECT_DOUBLE_EQ(enlargedScale({3440 * 15, 1440 * 15}), 1440.0 / 768.0);
    EXPECT_DOUBLE_EQ(enlargedScale({0, 0}), 1.0);
}

TEST(EnlargedWindow, OpeningHidesTheMainWindowAndPlacesItselfBelowIt)
{
    TestProgram t;
    MainWindow& w = t.start();
    startCountdown(w, "05", "00", "00", "30");
    t.program->enlargedNotice() = EnlargedNotice::None;
    w.label3DoubleClick();

    EnlargedWindow* e = enlarged(t);
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(e->isVisible());
    EXPECT_TRUE(e->Timer1->isEnabled());
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::None);
    EXPECT_TRUE(t.windows.topMost.contains(QStringLiteral("Form6")));
    EXPECT_NEAR(e->leftTwips(), (t.windows.screen.width() - e->widthTwips()) / 2, 15);
    EXPECT_NEAR(e->topTwips(), w.topTwips() + w.heightTwips() + 600, 15);
    EXPECT_EQ(e->Label4->text(), QStringLiteral("双击红色数字可关闭本窗口，自动返回主程序界面"));
}

TEST(EnlargedWindow, DigitsFollowTheMainDisplayWithin200ms)
{
    TestProgram t;
    MainWindow& w = t.start();
    startCountdown(w, "01", "30", "00", "00");
    t.advance(130); // out of step with the main window's second
    w.label3DoubleClick();
    EnlargedWindow* e = enlarged(t);
    ASSERT_NE(e, nullptr);

    QString shown = w.Label3->text();
    qint64 changedAt = t.timers.nowMs();
    int checks = 0;
    for (int step = 0; step < 400; ++step) {
        t.advance(10);
        if (w.Label3->text() != shown) {
            shown = w.Label3->text();
            changedAt = t.timers.nowMs();
        }
        if (t.timers.nowMs() - changedAt >= 200) {
            ASSERT_EQ(e->Label1->text(), shown) << "at " << t.timers.nowMs() << " ms";
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
    w.label3DoubleClick();
    EnlargedWindow* e = enlarged(t);
    t.advance(1000);
    EXPECT_EQ(e->Label3->text(), QStringLiteral("定时09分05秒"));
    EXPECT_EQ(e->Label2->text(), EnlargedWindow::kRunning);

    const QString digits = e->Label1->text();
    w.Command2->click(); // pause
    t.advance(3000);
    EXPECT_EQ(e->Label2->text(), EnlargedWindow::kPaused);
    EXPECT_EQ(e->Label3->text(), QStringLiteral("定时09分05秒"));
    EXPECT_EQ(e->Label1->text(), digits);

    w.Command2->click(); // continue
    t.advance(1000);
    EXPECT_EQ(e->Label2->text(), EnlargedWindow::kRunning);
    EXPECT_NE(e->Label1->text(), digits);
}

TEST(EnlargedWindow, TimeUpClosesItWithin200msAndItStaysLoadedWhereItWas)
{
    TestProgram t;
    MainWindow& w = t.start();
    startCountdown(w, "00", "25", "00", "00");
    t.advance(130); // out of step with the main window's second
    w.label3DoubleClick();
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
    EXPECT_TRUE(e->Timer1->isEnabled());
    EXPECT_EQ(e->Label1->text(), QStringLiteral("00 : 00"));
    EXPECT_EQ(e->Label2->text(), EnlargedWindow::kStopped);

    // Next talk: the same window comes back where it was left, without a new Load.
    t.advance(7000);
    startCountdown(w, "00", "40", "00", "00");
    w.label3DoubleClick();
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

    w.label3DoubleClick();
    ASSERT_NE(enlarged(t), nullptr);
    enlarged(t)->label1DoubleClick();
    EXPECT_EQ(enlarged(t), nullptr);
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::ClosedByUser);
    EXPECT_TRUE(w.isVisible());
    TestProgram::settle();

    w.label3DoubleClick();
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
    w.label3DoubleClick();
    t.advance(2000);
    enlarged(t)->label1DoubleClick();
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
        w.label3DoubleClick();
        EnlargedWindow* e = enlarged(t);
        ASSERT_NE(e, nullptr);
        const double scale = enlargedScale(t.windows.screen);
        EXPECT_NEAR(e->width(), 12105 * scale / 15, 2) << pixels.width();
        EXPECT_GE(e->Label1->font().pointSizeF(), EnlargedWindow::kDigitPoints);
        EXPECT_NEAR(e->Label1->font().pointSizeF(), EnlargedWindow::kDigitPoints * scale, 0.01);
        // The widest count the main window can show must not be clipped.
        const QFontMetrics metrics(e->Label1->font());
        EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("88 : 48")), e->Label1->width()) << pixels.width();
        EXPECT_LE(metrics.tightBoundingRect(QStringLiteral("88 : 48")).height(), e->Label1->height())
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
    w.label3DoubleClick();
    EnlargedWindow* e = enlarged(t);
    EXPECT_LE(e->topTwips() + e->heightTwips(), t.windows.screen.height() + 15);
    EXPECT_GE(e->topTwips(), 0);
}
