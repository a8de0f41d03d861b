#include "TrackingFixture.h"
#include "models/display/CountdownMirror.h"
#include "platform/Timer.h"
#include "support/FindControl.h"
#include "ui/ClickableLabel.h"
#include "ui/display/Compositing.h"
#include "ui/display/Tray.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTextDocument>

namespace {

QString text(QWidget* window, const char* label)
{
    return control<QLabel>(window, label)->text();
}

// The strip's face: the time line, or the tip panel.
bool showsTimeLine(ToolStrip& bar)
{
    return !control<QLabel>(&bar, "Label1")->isHidden();
}

bool showsTip(ToolStrip& bar)
{
    return !control<QGroupBox>(&bar, "Frame1")->isHidden();
}

// Where a control lies, in its window's coordinates.
QRect inWindow(const QWidget* control)
{
    return QRect(control->mapTo(control->window(), QPoint(0, 0)), control->size());
}

bool mirrors(ToolStrip& bar)
{
    return bar.isMirroring();
}

void clickIcon(ToolStrip& bar, const char* image)
{
    QTest::mouseClick(control<QLabel>(&bar, image), Qt::LeftButton);
}

void clickButton(QWidget* window, const char* button)
{
    control<QPushButton>(window, button)->click();
}

} // namespace

TEST_F(TrackingTest, StripLineMirrorsTheCountAndItsPause)
{
    MainWindow& w = start();
    startCountdown(w, QStringLiteral("09"), QStringLiteral("00"));
    ToolStrip& bar = fold(w);
    t.advance(2100); // two seconds of counting
    EXPECT_EQ(text(&w, "Label3"), QStringLiteral("08 : 59"));
    EXPECT_EQ(text(&bar, "Label1"), QStringLiteral("定时09分00秒,剩余08分59秒"));

    clickButton(&w, "Command2"); // pause
    t.advance(200);
    EXPECT_EQ(text(&bar, "Label1"), QStringLiteral("  当前计时状态：暂停计时"));
}

TEST_F(TrackingTest, TipFaceAndBackToTheStrip)
{
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    bar.activateWindow();

    clickIcon(bar, "Image2");
    EXPECT_EQ(bar.heightTwips(), ToolStrip::kTipHeight);
    EXPECT_EQ(bar.windowTitle(), QStringLiteral("Vantrel工具"));
    EXPECT_FALSE(showsTimeLine(bar));
    EXPECT_TRUE(showsTip(bar));
    EXPECT_EQ(t.windows.opacity.value(QStringLiteral("Form3")), 255);
    EXPECT_EQ(bar.focusWidget(), control<QPushButton>(&bar, "Command1"));
    EXPECT_EQ(control<QGroupBox>(&bar, "Frame1")->title(), QStringLiteral("温馨提示："));
    QTextDocument tip;
    tip.setHtml(text(&bar, "Label2"));
    EXPECT_EQ(tip.toPlainText(),
              QStringLiteral("点击“确认”按钮将隐藏半透明工具栏和程序主窗口。要恢复显示计时主窗口，可点击任务"
                             "栏“托盘区”的钟形图标，或者按功能键F11."));

    // The time line is left alone while the tip is open.
    const QString line = text(&bar, "Label1");
    t.advance(2000);
    EXPECT_EQ(text(&bar, "Label1"), line);

    clickButton(&bar, "Command2");
    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(bar.heightTwips(), ToolStrip::kStripHeight);
    EXPECT_TRUE(bar.windowTitle().isEmpty());
    EXPECT_TRUE(showsTimeLine(bar));
    EXPECT_FALSE(showsTip(bar));
    EXPECT_EQ(t.windows.opacity.value(QStringLiteral("Form3")), 150);
    EXPECT_TRUE(mirrors(bar));
    t.advance(200);
    EXPECT_NE(text(&bar, "Label1"), line);
}

// Run at several scale factors: the tip must read whole, beside the icons, whatever the fonts need.
TEST_F(TrackingTest, TipFaceShowsItsWholeTextClearOfTheIcons)
{
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    clickIcon(bar, "Image2");

    const auto* tip = control<QLabel>(&bar, "Label2");
    EXPECT_LE(tip->heightForWidth(tip->width()), tip->height()) << "the tip's last lines are cut off";
    const QRect window = bar.rect();
    const QRect panel = inWindow(control<QGroupBox>(&bar, "Frame1"));
    const QRect text = inWindow(tip);
    EXPECT_TRUE(window.contains(panel));
    EXPECT_TRUE(panel.contains(text));
    int iconsShown = 0;
    for (const char* name : {"Image1", "Image2"}) {
        const auto* icon = control<QLabel>(&bar, name);
        if (!icon->isVisible())
            continue;
        ++iconsShown;
        EXPECT_TRUE(window.contains(inWindow(icon))) << name;
        EXPECT_FALSE(inWindow(icon).intersects(panel)) << name << " is drawn over the tip";
    }
    EXPECT_EQ(iconsShown, 1) << "the restore icon stays a way back";
    for (const char* name : {"Command1", "Command2"}) {
        const QRect button = inWindow(control<QPushButton>(&bar, name));
        EXPECT_TRUE(panel.contains(button)) << name;
        EXPECT_FALSE(button.intersects(text)) << name << " covers the tip";
    }

    // Back on the strip, the icon that opens the tip is there again.
    clickButton(&bar, "Command2");
    EXPECT_TRUE(control<QLabel>(&bar, "Image2")->isVisible());
}

TEST_F(TrackingTest, WithoutATrayConfirmingKeepsTheStripAsTheWayBack)
{
    Tray::setHostAvailableForTesting([] { return false; });
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    clickIcon(bar, "Image2");
    clickButton(&bar, "Command1");
    Tray::setHostAvailableForTesting({});
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].text, ToolStrip::kNoTrayNotice);
    EXPECT_TRUE(bar.isVisible());
    EXPECT_FALSE(showsTip(bar));
    EXPECT_EQ(bar.heightTwips(), 510);
    EXPECT_TRUE(mirrors(bar));
    EXPECT_TRUE(w.isHidden());
}

TEST_F(TrackingTest, TipConfirmedHidesEverythingAndF9ShowsTheStripFace)
{
    Tray::setHostAvailableForTesting([] { return true; });
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    clickIcon(bar, "Image2");
    clickButton(&bar, "Command1");
    Tray::setHostAvailableForTesting({});
    EXPECT_TRUE(bar.isHidden());
    EXPECT_TRUE(w.isHidden());
    EXPECT_FALSE(mirrors(bar));

    t.windows.keysDown = {Keys::F9};
    tick();
    t.windows.keysDown.clear();
    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(bar.heightTwips(), 510);
    EXPECT_FALSE(showsTip(bar));
    EXPECT_TRUE(showsTimeLine(bar));
    EXPECT_EQ(t.windows.opacity.value(QStringLiteral("Form3")), 150);
}

TEST_F(TrackingTest, TipHiddenByF9ComesBackShortWithTheTipContent)
{
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    clickIcon(bar, "Image2");
    t.windows.keysDown = {Keys::F9};
    tick();
    EXPECT_TRUE(bar.isHidden());
    t.windows.keysDown.clear();
    tick();
    t.windows.keysDown = {Keys::F9};
    tick();
    t.windows.keysDown.clear();
    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(bar.heightTwips(), 510);
    EXPECT_TRUE(showsTip(bar));
    EXPECT_FALSE(showsTimeLine(bar));
}

TEST_F(TrackingTest, RestoreIconBringsTheMainWindowCentredOverADraggedStrip)
{
    MainWindow& w = start();
    const double W = w.widthTwips();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    bar.moveTwips(7500, 9000); // dragged by the user
    t.setDockedEdge(&docking::Flags::top, true);

    clickIcon(bar, "Image1");
    EXPECT_TRUE(bar.isHidden());
    EXPECT_TRUE(w.isVisible());
    EXPECT_NEAR(w.leftTwips(), 7500 - (W - 5085) / 2.0, 15);
    EXPECT_EQ(w.topTwips(), 9000);
    EXPECT_FALSE(t.program->tracking().docked().top);
    EXPECT_TRUE(mirrors(bar)) << "only the window is hidden";
}

TEST_F(TrackingTest, ReminderHidesTheStripAndShowsItAgain)
{
    MainWindow& w = start();
    control<QLineEdit>(&w, "Text1")->setText(QStringLiteral("01"));
    control<QLineEdit>(&w, "Text4")->setText(QStringLiteral("00"));
    control<QLineEdit>(&w, "Text2")->setText(QStringLiteral("00"));
    control<QLineEdit>(&w, "Text5")->setText(QStringLiteral("50"));
    clickButton(&w, "Command1");
    ToolStrip& bar = fold(w);

    t.advance(11000 - 100 + 300); // the reminder fires with the 11th second
    EXPECT_TRUE(control<Timer>(&w, "Timer4")->isEnabled());
    EXPECT_TRUE(bar.isHidden());
    t.advance(13 * 300);
    EXPECT_FALSE(control<Timer>(&w, "Timer4")->isEnabled());
    EXPECT_TRUE(bar.isVisible());
    EXPECT_TRUE(mirrors(bar));
    EXPECT_EQ(text(&bar, "Label1"), stripTimeLine(t.program->countdown()));
    EXPECT_TRUE(w.isHidden());
}

TEST_F(TrackingTest, StripStaysOnScreenOverATuckedMainWindow)
{
    MainWindow& w = start();
    startCountdown(w);
    tick();
    t.setDockedEdge(&docking::Flags::top, true);
    w.moveTwips(3000, 90 - 2850);
    clickButton(&w, "Command4");
    ASSERT_NE(strip(), nullptr);
    EXPECT_EQ(strip()->topTwips(), 0);
    EXPECT_TRUE(strip()->isVisible());
}

// Under a compositor the window stays opaque and only its background is painted see-through, so
// that the red time line stays red over a bright slide; the tip face is solid. Without a compositor
// the window's opacity is the strip's translucency, as it always was.
TEST_F(TrackingTest, UnderACompositorOnlyTheStripsBackgroundIsTranslucent)
{
    setCompositorRunsForTesting([] { return true; });
    MainWindow& w = start();
    startCountdown(w);
    ToolStrip& bar = fold(w);
    EXPECT_TRUE(bar.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(t.windows.opacity.value(QStringLiteral("Form3")), 255);
    EXPECT_EQ(bar.backgroundAlpha(), ToolStrip::kStripAlpha);

    // As drawn: the background lets the slide through, the text does not.
    const QImage drawn = bar.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    int seeThrough = 0, solidRed = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor pixel = drawn.pixelColor(x, y);
            seeThrough += pixel.alpha() == ToolStrip::kStripAlpha;
            solidRed += pixel.alpha() == 255 && pixel.red() > 200 && pixel.green() < 60 && pixel.blue() < 60;
        }
    }
    EXPECT_GT(seeThrough, drawn.width() * drawn.height() / 3);
    EXPECT_GT(solidRed, 20) << "the time line is drawn opaque";

    clickIcon(bar, "Image2");
    EXPECT_EQ(bar.backgroundAlpha(), 255);
    EXPECT_EQ(t.windows.opacity.value(QStringLiteral("Form3")), 255);
    clickButton(&bar, "Command2");
    EXPECT_EQ(bar.backgroundAlpha(), ToolStrip::kStripAlpha);

    // The compositor went away: the strip falls back on the window's opacity, with a solid background.
    setCompositorRunsForTesting([] { return false; });
    clickIcon(bar, "Image2");
    clickButton(&bar, "Command2");
    EXPECT_EQ(bar.backgroundAlpha(), 255);
    EXPECT_EQ(t.windows.opacity.value(QStringLiteral("Form3")), ToolStrip::kStripAlpha);
    setCompositorRunsForTesting({});
}
