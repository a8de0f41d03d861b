#include "models/display/ScreenPlacement.h"
#include "support/FindControl.h"
#include "support/TestProgram.h"
#include "ui/display/EnlargedWindow.h"
#include "ui/display/ToolStrip.h"
#include "ui/main/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QRect pixelsToTwips(int x, int y, int w, int h)
{
    return {x * 15, y * 15, w * 15, h * 15};
}
const QRect kLeft = pixelsToTwips(0, 0, 1920, 1080);
const QRect kRight = pixelsToTwips(1920, 0, 1920, 1080);
const QString kShow = QStringLiteral("PowerPoint 幻灯片放映 - deck");

QRectF outer(const ProgramWindow* w)
{
    return {w->leftTwips(), w->topTwips(), w->widthTwips(), w->heightTwips()};
}

void startTenMinutes(MainWindow& w)
{
    control<QLineEdit>(&w, "Text1")->setText(QStringLiteral("10"));
    control<QLineEdit>(&w, "Text4")->setText(QStringLiteral("00"));
    control<QLineEdit>(&w, "Text2")->setText(QStringLiteral("00"));
    control<QLineEdit>(&w, "Text5")->setText(QStringLiteral("00"));
    control<QPushButton>(&w, "Command1")->click();
}

// A laptop screen on the left and a projector on the right.
void twoScreens(TestProgram& t)
{
    t.windows.screen = kLeft.size();
    t.windows.screenAreas = {kLeft, kRight};
}

// The controls that reach outside their parent by more than the zoom may round by.
QStringList controlsOutside(const QWidget* window, double factor)
{
    QStringList outside;
    const int slack = int(std::ceil(factor));
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        if (control->isWindow() || !control->isVisible() || !control->parentWidget())
            continue;
        const QRect within = control->parentWidget()->rect().adjusted(-slack, -slack, slack, slack);
        if (!within.contains(control->geometry()))
            outside.append(control->objectName());
    }
    return outside;
}

// What is in the first list and not in the second.
QStringList newIn(QStringList zoomed, const QStringList& designed)
{
    for (const QString& name : designed)
        zoomed.removeAll(name);
    return zoomed;
}

// The one-line texts of labels and buttons that do not fit their control.
QStringList cutOffTexts(const QWidget* window)
{
    QStringList cut;
    auto check = [&cut](const QWidget* control, const QString& text) {
        if (text.isEmpty() || text.contains(QLatin1Char('\n')) || control->isHidden())
            return;
        if (control->fontMetrics().horizontalAdvance(text) > control->width() + 2)
            cut.append(control->objectName());
    };
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->wordWrap() && label->pixmap().isNull())
            check(label, label->text());
    }
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        check(button, button->text());
    return cut;
}

struct ZoomedWindow {
    WindowKind kind;
    const char* name;
};
const ZoomedWindow kZoomable[] = {
    {WindowKind::Main, "main window"},           {WindowKind::DrawLauncher, "draw launcher"},
    {WindowKind::ToolStrip, "tool strip"},       {WindowKind::EnlargedCountdown, "enlarged countdown"},
    {WindowKind::SequenceDraw, "sequence draw"}, {WindowKind::NameListDraw, "name-list draw"},
};

// Loads and shows one window of the program at the zoom; nullptr when it does not load.
ProgramWindow* showAt(TestProgram& t, WindowKind kind, int percent)
{
    t.program->zoom().setPercent(windowRoleName(kind), percent);
    MainWindow& main = t.start();
    ProgramWindow* w = kind == WindowKind::Main ? &main : t.program->window(kind);
    if (!w)
        return nullptr;
    if (auto* strip = qobject_cast<ToolStrip*>(w))
        strip->showStrip();
    else
        w->show();
    TestProgram::settle();
    return w;
}

} // namespace

TEST(Screens, WithAShowOnTheProjectorTheStripAndTheEnlargedCountdownGoThere)
{
    TestProgram t;
    twoScreens(t);
    MainWindow& w = t.start();
    EXPECT_TRUE(QRectF(kLeft).contains(outer(&w)));
    startTenMinutes(w);

    // The show runs full screen on the right screen; the tracking tick sees it.
    t.windows.titles = {kShow};
    t.windows.windowRects[kShow] = kRight;
    t.advance(200);

    auto* strip = t.program->window<ToolStrip>();
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(QRectF(kRight).contains(outer(strip)));

    QTest::mouseDClick(control<QLabel>(&w, "Label3"), Qt::LeftButton);
    auto* enlarged = t.program->loaded<EnlargedWindow>();
    ASSERT_NE(enlarged, nullptr);
    EXPECT_TRUE(QRectF(kRight).contains(outer(enlarged)));
    // The teacher's main window stays where it was put.
    EXPECT_TRUE(QRectF(kLeft).contains(outer(&w)));

    // The reminder's place, the time-up's slide: on the screen the class sees.
    w.show();
    w.centreOn(w.classScreenTwips(), MainWindow::kStandardTop);
    EXPECT_TRUE(QRectF(kRight).contains(outer(&w)));
}

TEST(Screens, WithoutAShowOrWithOneScreenEverythingStaysOnTheMainWindowsScreen)
{
    TestProgram t;
    twoScreens(t);
    MainWindow& w = t.start();
    startTenMinutes(w);
    // A show on a window that is nowhere to be found counts as no screen of its own.
    t.windows.titles = {kShow};
    t.advance(200);
    auto* strip = t.program->window<ToolStrip>();
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(QRectF(kLeft).contains(outer(strip)));

    TestProgram single;
    MainWindow& alone = single.start();
    startTenMinutes(alone);
    single.windows.titles = {kShow};
    single.windows.windowRects[kShow] = QRect(QPoint(0, 0), single.windows.screen);
    single.advance(200);
    EXPECT_EQ(alone.classScreenTwips(), QRectF(QRect(QPoint(0, 0), single.windows.screen)));
}

TEST(Screens, TheEnlargedCountdownFromAMainWindowInTheBottomRightCornerIsWholeOnASmallScreen)
{
    TestProgram t;
    t.windows.screen = QSize(1280 * 15, 720 * 15);
    MainWindow& w = t.start();
    startTenMinutes(w);
    w.moveTwips(1280 * 15 - w.widthTwips(), 720 * 15 - w.heightTwips());
    QTest::mouseDClick(control<QLabel>(&w, "Label3"), Qt::LeftButton);
    auto* enlarged = t.program->loaded<EnlargedWindow>();
    ASSERT_NE(enlarged, nullptr);
    const QRectF screen(0, 0, 1280 * 15, 720 * 15);
    EXPECT_TRUE(screen.contains(outer(enlarged)));
    // Below the main window it would not fit: it rises just enough.
    EXPECT_NEAR(outer(enlarged).bottom(), screen.bottom(), 15);
}

TEST(Screens, AtTwiceTheSizeEveryWindowKeepsItsControlsInsideAndItselfOnItsScreen)
{
    for (const ZoomedWindow& kind : kZoomable) {
        SCOPED_TRACE(kind.name);
        TestProgram normal;
        normal.windows.screen = kLeft.size();
        ProgramWindow* designed = showAt(normal, kind.kind, 100);
        TestProgram zoomed;
        zoomed.windows.screen = kLeft.size();
        ProgramWindow* large = showAt(zoomed, kind.kind, 200);
        ASSERT_NE(designed, nullptr);
        ASSERT_NE(large, nullptr);

        // As large as asked, or the largest step that still fits the screen.
        const double factor = large->zoomFactor();
        EXPECT_GT(factor, 1.0);
        EXPECT_LE(factor, 2.0);
        EXPECT_NEAR(large->width(), designed->width() * factor, 2 + factor);
        EXPECT_NEAR(large->height(), designed->height() * factor, 2 + factor);
        EXPECT_TRUE(QRectF(kLeft).contains(outer(large)))
            << outer(large).x() << "," << outer(large).y() << " " << outer(large).width() << "x"
            << outer(large).height();
        // Whatever lies inside its parent and whatever text fits as designed still does when zoomed.
        const QStringList newlyOutside = newIn(controlsOutside(large, factor), controlsOutside(designed, 1));
        EXPECT_TRUE(newlyOutside.isEmpty()) << newlyOutside.join(u',').toStdString();
        const QStringList newlyCut = newIn(cutOffTexts(large), cutOffTexts(designed));
        EXPECT_TRUE(newlyCut.isEmpty()) << newlyCut.join(u',').toStdString();
    }
}

TEST(Screens, CtrlPlusZoomsTheKindOfWindowInStepsAndCtrlZeroTakesItBack)
{
    TestProgram t;
    t.windows.screen = kLeft.size();
    MainWindow& w = t.start();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const QSize designed = w.size();
    const QFont designedFont = control<QLabel>(&w, "Label3")->font();

    QTest::keyClick(&w, Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(t.program->zoom().percent(QStringLiteral("main")), 125);
    EXPECT_NEAR(w.width(), designed.width() * 1.25, 2);
    EXPECT_DOUBLE_EQ(control<QLabel>(&w, "Label3")->font().pointSizeF(), designedFont.pointSizeF() * 1.25);
    // Other kinds keep their size.
    EXPECT_EQ(t.program->zoom().percent(QStringLiteral("enlarged-countdown")), 100);

    QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(t.program->zoom().percent(QStringLiteral("main")), 110);
    QTest::keyClick(&w, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(t.program->zoom().percent(QStringLiteral("main")), 100);
    EXPECT_NEAR(w.width(), designed.width(), 2);
    EXPECT_DOUBLE_EQ(control<QLabel>(&w, "Label3")->font().pointSizeF(), designedFont.pointSizeF());
}

TEST(Screens, AZoomThatWouldNotFitTheScreenStopsAtTheLargestThatDoes)
{
    TestProgram t;
    // The main window, 362 pixels wide as designed, fits an 800 × 600 screen up to 200 %.
    t.windows.screen = QSize(800 * 15, 600 * 15);
    MainWindow& w = t.start();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(&w, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(w.zoomFactor(), 2.0);
    EXPECT_TRUE(QRectF(0, 0, 800 * 15, 600 * 15).contains(outer(&w)));
    EXPECT_EQ(t.program->zoom().percent(QStringLiteral("main")), int(w.zoomFactor() * 100));
    // One step down makes it smaller at once.
    const int before = w.width();
    QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(w.width(), before);
}

TEST(Screens, TheStripsTipOpenedAtTheBottomOfTheScreenStaysWholeOnIt)
{
    TestProgram t;
    MainWindow& w = t.start();
    startTenMinutes(w);
    auto* strip = t.program->window<ToolStrip>();
    ASSERT_NE(strip, nullptr);
    strip->showStrip();
    const QRectF screen(QRect(QPoint(0, 0), t.windows.screen));
    strip->moveTwips(1500, screen.bottom() - strip->heightTwips());
    ASSERT_TRUE(screen.contains(outer(strip)));

    QTest::mouseClick(control<QLabel>(strip, "Image2"), Qt::LeftButton);
    ASSERT_GT(strip->heightTwips(), ToolStrip::kStripHeight);
    EXPECT_TRUE(screen.contains(outer(strip)));
    EXPECT_DOUBLE_EQ(strip->leftTwips(), 1500);
}

TEST(Screens, TheReminderAndTheTimeUpShowTheMainWindowOnTheShowsScreen)
{
    TestProgram t;
    twoScreens(t);
    MainWindow& w = t.start();
    control<QLineEdit>(&w, "Text1")->setText(QStringLiteral("00"));
    control<QLineEdit>(&w, "Text4")->setText(QStringLiteral("30"));
    control<QLineEdit>(&w, "Text2")->setText(QStringLiteral("00"));
    control<QLineEdit>(&w, "Text5")->setText(QStringLiteral("15"));
    control<QPushButton>(&w, "Command1")->click();
    t.windows.titles = {kShow};
    t.windows.windowRects[kShow] = kRight;
    t.advance(1000);
    w.moveTwips(3000, 6000); // where the teacher keeps it
    const QRectF teachers = outer(&w);
    EXPECT_TRUE(QRectF(kLeft).contains(teachers));

    t.advance(15000); // the reminder
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(QRectF(kRight).contains(outer(&w)));
    t.advance(4000); // over: back where the teacher had it
    EXPECT_EQ(outer(&w), teachers);

    t.advance(11500); // time up: the window slides across the right screen
    double leftmost = outer(&w).left(), rightmost = outer(&w).right();
    for (int i = 0; i < 40; ++i) {
        t.advance(50);
        EXPECT_TRUE(QRectF(kRight).contains(outer(&w)));
        leftmost = std::min(leftmost, outer(&w).left());
        rightmost = std::max(rightmost, outer(&w).right());
    }
    EXPECT_GT(rightmost - leftmost, outer(&w).width() + 1000);

    // Over: ready at the standard place of the teacher's screen, where F11 finds it too.
    t.advance(5000);
    EXPECT_TRUE(QRectF(kLeft).contains(outer(&w)));
    EXPECT_NEAR(outer(&w).center().x(), QRectF(kLeft).center().x(), 15);
    t.windows.keysDown = {Keys::F11};
    t.advance(200);
    EXPECT_TRUE(QRectF(kLeft).contains(outer(&w)));
}

// At 300 % the style's own sizes grow too: a radio button's dot, the frames' lines and the buttons'
// icons are three times as large, not 100 % controls beside 300 % text; back at 100 % they are as
// designed again.
TEST(Screens, AtThreeTimesTheSizeIndicatorsFramesAndIconsGrowWithTheWindow)
{
    TestProgram t;
    t.windows.screen = kLeft.size();
    MainWindow& w = t.start();
    w.show();
    auto* preset = control<QRadioButton>(&w, "Option1");
    auto* button = control<QPushButton>(&w, "Command1");
    const auto indicator = [](QWidget* widget) {
        return widget->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget);
    };
    const auto iconSize = [](QWidget* widget) {
        return widget->style()->pixelMetric(QStyle::PM_ButtonIconSize, nullptr, widget);
    };
    const auto frameWidth = [](QWidget* widget) {
        return widget->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget);
    };
    const int designedIndicator = indicator(preset);
    const int designedIcon = iconSize(button);
    const int designedFrame = frameWidth(button);
    ASSERT_GT(designedIndicator, 0);

    w.applyZoom(300);
    ASSERT_DOUBLE_EQ(w.zoomFactor(), 3.0);
    EXPECT_EQ(indicator(preset), designedIndicator * 3);
    EXPECT_EQ(iconSize(button), designedIcon * 3);
    EXPECT_EQ(frameWidth(button), std::max(1, designedFrame * 3));
    // The indicator is drawn at its new size: the radio button's hint makes room for it.
    QStyleOptionButton option;
    option.initFrom(preset);
    EXPECT_GE(preset->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, preset).width(),
              designedIndicator * 3);
    for (QFrame* frame : w.findChildren<QFrame*>()) {
        if (frame->frameShape() == QFrame::Box || frame->frameShape() == QFrame::Panel) {
            EXPECT_GE(frame->lineWidth(), 3) << frame->objectName().toStdString();
        }
    }

    w.applyZoom(100);
    EXPECT_EQ(indicator(preset), designedIndicator);
    EXPECT_EQ(iconSize(button), designedIcon);
}
