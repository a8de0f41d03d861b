#include "../draw/DrawTestSupport.h"
#include "ui/ZoomedStyle.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Keyboard : public ::testing::Test, public DrawFixture {
protected:
    // Shortcuts reach the active window only.
    static void activate(QWidget& window)
    {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

} // namespace

TEST_F(Keyboard, EnterInATimeBoxStartsAndEnterOnAFocusedButtonPressesIt)
{
    MainWindowControls c = mainControls();
    c.totalMinutes()->setText("01");
    c.totalSeconds()->setText("00");
    QTest::keyClick(c.totalSeconds(), Qt::Key_Return);
    ASSERT_TRUE(t.program->countdown().isCounting());

    // Enter on 暂停 pauses; Enter again (now 继续) goes on.
    c.pauseButton()->setFocus();
    QTest::keyClick(c.pauseButton(), Qt::Key_Return);
    EXPECT_TRUE(t.program->countdown().isPaused());
    QTest::keyClick(c.pauseButton(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(t.program->countdown().isPaused());

    // Esc: the main window has no way out to take; it stays, counting.
    QTest::keyClick(main, Qt::Key_Escape);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(t.program->countdown().isCounting());

    // Stopped, Enter from a box starts again; a box with a bad time is refused as 开始 refuses it.
    t.dialogs.answerNext(Answer::Yes);
    c.stopButton()->click();
    ASSERT_FALSE(t.program->countdown().isCounting());
    c.totalSeconds()->setFocus();
    c.totalMinutes()->setText("00");
    c.totalSeconds()->setText("19");
    QTest::keyClick(c.totalSeconds(), Qt::Key_Return);
    EXPECT_FALSE(t.program->countdown().isCounting());
    ASSERT_FALSE(t.dialogs.shown.isEmpty());
    EXPECT_EQ(t.dialogs.shown.last().text, "请输入定时时间，定时时间至少需大于20秒");
}

TEST_F(Keyboard, TheLauncherTakesItsCountWithEnterAndEscGoesBackWithoutLosingARound)
{
    LauncherControls l(&openLauncher());
    l.sequenceDraw->click();
    l.countBox->setText("3");
    QTest::keyClick(l.countBox, Qt::Key_Return);
    SequenceDraw* d = draw();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->isVisible());

    // One number drawn: the round is open, Esc asks through the launcher, whose Esc goes on drawing.
    SequenceControls s(d);
    s.drawButton->click();
    s.nextButton->click();
    QTest::keyClick(d, Qt::Key_Escape);
    ASSERT_TRUE(launcher()->isVisible());
    ASSERT_TRUE(l.continueDraw->isVisible());
    QTest::keyClick(launcher(), Qt::Key_Escape);
    TestProgram::settle();
    ASSERT_EQ(draw(), d);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(s.drawnList->toPlainText().size(), 1);
}

TEST_F(Keyboard, EscLeavesASequenceDrawBetweenRounds)
{
    SequenceDraw& d = openDraw("2");
    SequenceControls s(&d);
    s.drawButton->click();
    s.nextButton->click();
    s.drawButton->click();
    ASSERT_TRUE(s.nextRoundButton->isEnabled());
    QTest::keyClick(&d, Qt::Key_Escape);
    TestProgram::settle();
    EXPECT_EQ(draw(), nullptr);
    EXPECT_TRUE(main->isVisible());
}

TEST_F(Keyboard, AltKeysPressTheDrawsButtonsWithoutChangingTheirCaptions)
{
    SequenceDraw& d = openDraw("2");
    SequenceControls s(&d);
    activate(d);
    QTest::keyClick(&d, Qt::Key_D, Qt::AltModifier);
    ASSERT_FALSE(s.number->text().isEmpty());
    EXPECT_EQ(s.drawnList->toPlainText(), s.number->text());
    // 下一个 is the only way on; Alt+D does nothing until it is pressed.
    QTest::keyClick(&d, Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(s.drawnList->toPlainText(), s.number->text());
    QTest::keyClick(&d, Qt::Key_N, Qt::AltModifier);
    QTest::keyClick(&d, Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(s.drawnList->toPlainText().size(), 3);
    QTest::keyClick(&d, Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(s.drawnList->toPlainText().isEmpty());
    EXPECT_EQ(s.drawButton->text(), "抽  签");
    EXPECT_EQ(s.nextButton->text(), "下一个");
    EXPECT_EQ(s.nextRoundButton->text(), "下一轮");
    EXPECT_EQ(s.endButton->text(), "结  束");
    QTest::keyClick(&d, Qt::Key_E, Qt::AltModifier);
    TestProgram::settle();
    EXPECT_EQ(draw(), nullptr);
}

TEST(FocusFrame, GrowsWithTheZoomSoThatItIsSeenOnAProjector)
{
    // Columns of the highlight colour counted in from the left edge, halfway down.
    auto frameWidth = [](double factor) {
        ZoomedStyle style(factor);
        QImage image(90, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QStyleOptionFocusRect focus;
        focus.rect = image.rect();
        focus.state = QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
        focus.palette.setColor(QPalette::Highlight, QColor(0, 0, 255));
        QPainter painter(&image);
        style.drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter);
        painter.end();
        int width = 0;
        while (width < image.width() && image.pixelColor(width, 20) == QColor(0, 0, 255))
            ++width;
        return width;
    };
    EXPECT_GE(frameWidth(1.0), 1);
    EXPECT_GE(frameWidth(2.0), 2);
    EXPECT_GE(frameWidth(3.0), 3);
    EXPECT_LT(frameWidth(1.0), frameWidth(3.0));
}
