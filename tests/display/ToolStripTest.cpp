#include "TrackingFixture.h"
#include "platform/Timer.h"
#include "ui/ClickableLabel.h"
#include "ui/display/Tray.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>

TEST_F(TrackingTest, StripLineShowsSetAndRemainingTimeAndTheState)
{
    MainWindow& w = start();
    startCountdown(w, QStringLiteral("09"), QStringLiteral("00"));
    ToolStrip& bar = fold(w);
    t.advance(2100); // two seconds of counting
    EXPECT_EQ(w.Label3->text(), QStringLiteral("08 : 59"));
    EXPECT_EQ(bar.Label1->text(), QStringLiteral("定时09分00秒,剩余08分59秒"));

    w.Command2->click(); // pause
    t.advance(200);
    EXPECT_EQ(bar.Label1->text(), QStringLiteral("  当前计时状态：暂停计时"));

    t.program->countdown().setState(Countdown::State::Stopped);
    t.advance(200);
    EXPECT_EQ(bar.Label1->text(), QStringLiteral("  当前计时状态：停止计时"));
}

TEST_F(TrackingTest, TipFaceAndBackToTheStrip)
{
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    bar.activateWindow();

    QTest::mouseClick(bar.Image2, Qt::LeftButton);
    EXPECT_EQ(bar.heightTwips(), ToolStrip::kTipHeight);
    EXPECT_EQ(bar.windowTitle(), QStringLiteral("Vantrel工具"));
    EXPECT_TRUE(bar.Label1->isHidden());
    EXPECT_FALSE(bar.Frame1->isHidden());
    EXPECT_EQ(t.windows.opacity.value(QStringLiteral("Form3")), 255);
    EXPECT_EQ(bar.focusWidget(), bar.Command1);
    EXPECT_EQ(bar.Frame1->title(), QStringLiteral("温馨提示："));
    EXPECT_EQ(
        bar.Label2->text() + bar.Label3->text() + bar.Label4->text() + bar.Label5->text(),
        QStringLiteral("    点击“确认”按钮将隐藏半透明工具栏和程序主窗口。要恢复显示计时主窗口，可点击任务"
                       "栏“托盘区”的钟形图标，或者按功能键F11."));

    // The time line is left alone while the tip is open.
    const QString line = bar.Label1->text();
    t.advance(2000);
    EXPECT_EQ(bar.Label1->text(), line);

    bar.Command2->click();
    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(bar.heightTwips(), ToolStrip::kStripHeight);
    EXPECT_TRUE(bar.windowTitle().isEmpty());
    EXPECT_FALSE(bar.Label1->isHidden());
    EXPECT_TRUE(bar.Frame1->isHidden());
    EXPECT_EQ(t.windows.opacity.value(QStringLiteral("Form3")), 150);
    EXPECT_TRUE(bar.Timer1->isEnabled());
    t.advance(200);
    EXPECT_NE(bar.Label1->text(), line);
}

TEST_F(TrackingTest, WithoutATrayConfirmingKeepsTheStripAsTheWayBack)
{
    Tray::setHostAvailableForTesting([] { return false; });
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    bar.image2Click();
    bar.Command1->click();
    Tray::setHostAvailableForTesting({});
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].text, ToolStrip::kNoTrayNotice);
    EXPECT_TRUE(bar.isVisible());
    EXPECT_TRUE(bar.Frame1->isHidden());
    EXPECT_EQ(bar.heightTwips(), 510);
    EXPECT_TRUE(bar.Timer1->isEnabled());
    EXPECT_TRUE(w.isHidden());
}

TEST_F(TrackingTest, TipConfirmedHidesEverythingAndF9ShowsTheStripFace)
{
    Tray::setHostAvailableForTesting([] { return true; });
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    bar.image2Click();
    bar.Command1->click();
    Tray::setHostAvailableForTesting({});
    EXPECT_TRUE(bar.isHidden());
    EXPECT_TRUE(w.isHidden());
    EXPECT_FALSE(bar.Timer1->isEnabled());

    t.windows.keysDown = {Keys::F9};
    tick();
    t.windows.keysDown.clear();
    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(bar.heightTwips(), 510);
    EXPECT_TRUE(bar.Frame1->isHidden());
    EXPECT_FALSE(bar.Label1->isHidden());
    EXPECT_EQ(t.windows.opacity.value(QStringLiteral("Form3")), 150);
}

TEST_F(TrackingTest, TipHiddenByF9ComesBackShortWithTheTipContent)
{
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    bar.image2Click();
    t.windows.keysDown = {Keys::F9};
    tick();
    EXPECT_TRUE(bar.isHidden());
    tick();
    t.windows.keysDown.clear();
    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(bar.heightTwips(), 510);
    EXPECT_FALSE(bar.Frame1->isHidden());
    EXPECT_TRUE(bar.Label1->isHidden());
}

TEST_F(TrackingTest, RestoreIconBringsTheMainWindowCentredOverADraggedStrip)
{
    MainWindow& w = start();
    const double W = w.widthTwips();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    bar.moveTwips(7500, 9000); // dragged by the user
    t.setDockedEdge(&docking::Flags::top, true);

    QTest::mouseClick(bar.Image1, Qt::LeftButton);
    EXPECT_TRUE(bar.isHidden());
    EXPECT_TRUE(w.isVisible());
    EXPECT_NEAR(w.leftTwips(), 7500 - (W - 5085) / 2.0, 15);
    EXPECT_EQ(w.topTwips(), 9000);
    EXPECT_FALSE(t.program->tracking().docked().top);
    EXPECT_TRUE(bar.Timer1->isEnabled()) << "only the window is hidden";
}

TEST_F(TrackingTest, ReminderHidesTheStripAndShowsItAgain)
{
    MainWindow& w = start();
    w.Text1->setText(QStringLiteral("01"));
    w.Text4->setText(QStringLiteral("00"));
    w.Text2->setText(QStringLiteral("00"));
    w.Text5->setText(QStringLiteral("50"));
    w.Command1->click();
    ToolStrip& bar = fold(w);
    bar.Timer1->setEnabled(false);

    t.advance(11000 - 100 + 300); // the reminder fires with the 11th second
    EXPECT_TRUE(w.Timer4->isEnabled());
    EXPECT_TRUE(bar.isHidden());
    t.advance(13 * 300);
    EXPECT_FALSE(w.Timer4->isEnabled());
    EXPECT_TRUE(bar.isVisible());
    EXPECT_TRUE(bar.Timer1->isEnabled());
    EXPECT_TRUE(w.isHidden());
}

TEST_F(TrackingTest, StripStaysOnScreenOverATuckedMainWindow)
{
    MainWindow& w = start();
    startCountdown(w);
    tick();
    t.setDockedEdge(&docking::Flags::top, true);
    w.moveTwips(3000, 90 - 2850);
    w.command4Click();
    ASSERT_NE(strip(), nullptr);
    EXPECT_EQ(strip()->topTwips(), 0);
    EXPECT_TRUE(strip()->isVisible());
}
