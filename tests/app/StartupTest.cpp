#include "platform/Timer.h"
#include "support/TestProgram.h"
#include "ui/ClickableLabel.h"
#include "ui/main/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

TEST(Startup, MainWindowComesUpStoppedWithPresetOne)
{
    TestProgram t;
    MainWindow& w = t.start();
    EXPECT_TRUE(t.program->countdown().isStopped());
    EXPECT_EQ(t.program->enlargedNotice(), EnlargedNotice::None);
    EXPECT_FALSE(t.program->instructionShow().isOpen());
    EXPECT_EQ(t.program->instructionShow().deck(), "MYPPT.PPT");
    EXPECT_FALSE(t.program->tracking().isDocked());

    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Vantrel工具    程序载入， 请稍候…");
    EXPECT_NEAR(w.heightTwips(), 2850, 15);
    EXPECT_NEAR(w.topTwips(), 2000, 15);
    EXPECT_NEAR(w.leftTwips(), (t.windows.screenSizeTwips().width() - w.widthTwips()) / 2, 15);
    EXPECT_TRUE(t.windows.topMost.contains("Form1"));

    EXPECT_EQ(w.Text1->text(), "01");
    EXPECT_EQ(w.Text4->text(), "00");
    EXPECT_EQ(w.Text2->text(), "00");
    EXPECT_EQ(w.Text5->text(), "30");
    EXPECT_TRUE(w.Option1->isChecked());
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{w.Label3, w.Label5, w.Label6, w.Label8, w.Label18, w.Label31})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_TRUE(w.Command1->isEnabled());
    EXPECT_TRUE(w.Command5->isEnabled());
    EXPECT_FALSE(w.Command2->isEnabled());
    EXPECT_FALSE(w.Command3->isEnabled());
    EXPECT_FALSE(w.Command4->isEnabled());
    EXPECT_EQ(w.Label18->text(), "正在计时");

    EXPECT_TRUE(w.Timer2->isEnabled());
    for (Timer* off : {w.Timer1, w.Timer3, w.Timer4, w.Timer5})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    EXPECT_EQ(w.soundDevice().fileName(), "ding.WAV");
}

TEST(Startup, ControlsSitWhereTheLayoutSays)
{
    TestProgram t;
    MainWindow& w = t.start();
    auto rect = [&](QWidget* c) {
        const auto r = twips::controlRect(c, 15);
        return QList<double>{r.left, r.top, r.width, r.height};
    };
    EXPECT_EQ(rect(w.Text1), (QList<double>{2040, 270, 600, 435}));
    EXPECT_EQ(rect(w.Text5), (QList<double>{2940, 810, 600, 435}));
    EXPECT_EQ(rect(w.Command1), (QList<double>{330, 1815, 585, 315}));
    EXPECT_EQ(rect(w.Command7), (QList<double>{4575, 1785, 585, 315}));
    EXPECT_EQ(rect(w.Label3), (QList<double>{810, 60, 2655, 765}));
    EXPECT_EQ(w.Text1->toolTip(), "定时时间须大于0，最多两位数字");
    EXPECT_EQ(w.Text2->toolTip(), "提前提醒时间须小于定时时间，也可以为0");
    EXPECT_EQ(w.Command1->toolTip(), "启动定时器，开始计时");
    EXPECT_EQ(w.Label3->toolTip(), "显示剩余的时间,双击数字可放大计时窗口");
    EXPECT_EQ(w.Text1->maxLength(), 2);
    EXPECT_EQ(w.Label3->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(w.Label8->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_DOUBLE_EQ(w.Label3->font().pointSizeF(), 38.25);
    EXPECT_TRUE(w.Label3->font().bold());
    EXPECT_EQ(w.Command5->text(), "抽签");
    EXPECT_EQ(w.Command6->text(), "帮助");
    EXPECT_EQ(w.Command7->text(), "退出");
}

TEST(Startup, SecondCopyShowsTheNoticeAndEndsWithoutTouchingAnything)
{
    TestProgram t;
    t.onlyCopy = false;
    t.program->form(WindowKind::Main);
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
