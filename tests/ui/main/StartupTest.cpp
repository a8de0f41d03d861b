#include "platform/Timer.h"
#include "support/MainWindowControls.h"
#include "support/TestProgram.h"
#include "ui/flow/FlowConductor.h"
#include "ui/main/MainWindow.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

TEST(Startup, MainWindowComesUpStoppedWithPresetOne)
{
    TestProgram t;
    MainWindow& w = t.start();
    const MainWindowControls c(w);
    EXPECT_TRUE(t.program->countdown().isStopped());
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::None);
    EXPECT_FALSE(t.program->instructionShow().isOpen());
    EXPECT_EQ(t.program->instructionShow().deck(), "MYPPT.PPT");
    EXPECT_FALSE(t.program->tracking().isDocked());

    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Vantrel工具");
    EXPECT_NEAR(w.heightTwips(), 2850, 15);
    EXPECT_NEAR(w.topTwips(), 2000, 15);
    EXPECT_NEAR(w.leftTwips(), (t.windows.screenSizeTwips().width() - w.widthTwips()) / 2, 15);
    EXPECT_TRUE(t.windows.topMost.contains("Form1"));

    EXPECT_EQ(c.totalMinutes()->text(), "01");
    EXPECT_EQ(c.totalSeconds()->text(), "00");
    EXPECT_EQ(c.reminderMinutes()->text(), "00");
    EXPECT_EQ(c.reminderSeconds()->text(), "30");
    EXPECT_TRUE(c.preset(0)->isChecked());
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{c.countLabel(), c.timeUpLabel(), c.reminderLabel(),
                                         c.presetNameLabel(), c.runStateLabel(), c.summaryLabel()})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_TRUE(c.startButton()->isEnabled());
    EXPECT_TRUE(c.drawButton()->isEnabled());
    EXPECT_FALSE(c.pauseButton()->isEnabled());
    EXPECT_FALSE(c.stopButton()->isEnabled());
    EXPECT_FALSE(c.foldButton()->isEnabled());
    EXPECT_EQ(c.runStateLabel()->text(), "正在计时");

    EXPECT_TRUE(c.trackingTimer()->isEnabled());
    EXPECT_FALSE(t.program->countdown().isTicking());
    for (Timer* off : {c.slideTimer(), c.reminderBlinkTimer(), c.pauseBlinkTimer()})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    ASSERT_NE(t.program->conductor().cues().countCue(), nullptr);
    EXPECT_EQ(t.program->conductor().cues().countCue()->fileName(), "ding.WAV");
}

TEST(Startup, ControlsSitWhereTheLayoutSays)
{
    TestProgram t;
    MainWindow& w = t.start();
    const MainWindowControls c(w);
    auto rect = [&](QWidget* control) {
        const auto r = twips::controlRect(control, 15);
        return QList<double>{r.left, r.top, r.width, r.height};
    };
    EXPECT_EQ(rect(c.totalMinutes()), (QList<double>{2040, 270, 600, 435}));
    EXPECT_EQ(rect(c.reminderSeconds()), (QList<double>{2940, 810, 600, 435}));
    EXPECT_EQ(rect(c.startButton()), (QList<double>{330, 1815, 585, 315}));
    EXPECT_EQ(rect(c.exitButton()), (QList<double>{4575, 1785, 585, 315}));
    EXPECT_EQ(rect(c.countLabel()), (QList<double>{810, 60, 2655, 765}));
    EXPECT_EQ(c.totalMinutes()->toolTip(), "定时时间须大于0，最多两位数字");
    EXPECT_EQ(c.reminderMinutes()->toolTip(), "提前提醒时间须小于定时时间，也可以为0");
    EXPECT_EQ(c.startButton()->toolTip(), "启动定时器，开始计时");
    EXPECT_EQ(c.countLabel()->toolTip(), "显示剩余的时间,双击数字可放大计时窗口");
    EXPECT_EQ(c.totalMinutes()->maxLength(), 2);
    EXPECT_EQ(c.countLabel()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(c.presetNameLabel()->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_DOUBLE_EQ(c.countLabel()->font().pointSizeF(), 38.25);
    EXPECT_TRUE(c.countLabel()->font().bold());
    EXPECT_EQ(c.drawButton()->text(), "抽签");
    EXPECT_EQ(c.helpButton()->text(), "帮助");
    EXPECT_EQ(c.exitButton()->text(), "退出");
}

TEST(Startup, SecondCopyShowsTheNoticeAndEndsWithoutTouchingAnything)
{
    TestProgram t;
    t.onlyCopy = false;
    t.program->start();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].kind, ScriptedDialogs::Kind::Notice);
    EXPECT_EQ(t.dialogs.shown[0].title, "Vantrel工具提示：");
    EXPECT_EQ(t.dialogs.shown[0].text,
              "\r    您好，本软件已运行，请点击任务栏托盘区的钟形图标显示程序界面！    \r\n");
    EXPECT_EQ(t.dialogs.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(t.quitCode, 0);
    EXPECT_FALSE(t.program->isLoaded(WindowKind::Main));
    EXPECT_TRUE(t.sounds.log.commands.filter("Play").isEmpty());
    EXPECT_TRUE(t.sounds.log.commands.filter("Open").isEmpty());
}

// Every control asks for a face that is installed, by its own name: a face the toolkit has to find
// fallbacks for costs a search through every font on the machine, at each new face and style.
TEST(Startup, ControlsAskForInstalledFaces)
{
    TestProgram t;
    MainWindow& w = t.start();
    QList<QWidget*> widgets = w.findChildren<QWidget*>();
    widgets.prepend(&w);
    for (QWidget* widget : widgets) {
        const QFont font = widget->font();
        EXPECT_EQ(QFontInfo(font).family().toLower().toStdString(), font.family().toLower().toStdString())
            << widget->objectName().toStdString();
    }
}
