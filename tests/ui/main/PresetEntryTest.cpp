#include "models/countdown/TimeEntry.h"
#include "support/MainWindowControls.h"
#include "support/TestProgram.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList boxes(const MainWindowControls& c)
{
    return {c.totalMinutes()->text(), c.totalSeconds()->text(), c.reminderMinutes()->text(),
            c.reminderSeconds()->text()};
}

class PresetEntry : public ::testing::Test {
protected:
    void SetUp() override { QApplication::setActiveWindow(w); }

    TestProgram t;
    MainWindow* w = &t.start();
    MainWindowControls c{*w};
};

} // namespace

TEST_F(PresetEntry, SelectingAPresetFillsTheBoxesColoursItAndFocusesMinutes)
{
    QTest::mouseClick(c.preset(1), Qt::LeftButton);
    EXPECT_EQ(boxes(c), (QStringList{"01", "01", "00", "31"}));
    EXPECT_EQ(c.preset(1)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(c.preset(0)->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(w->focusWidget(), c.totalMinutes());

    QTest::mouseClick(c.preset(0), Qt::LeftButton);
    EXPECT_EQ(boxes(c), (QStringList{"01", "00", "00", "30"}));
}

TEST_F(PresetEntry, EditsStayWithThePresetThatWasSelected)
{
    QTest::mouseClick(c.preset(2), Qt::LeftButton);
    c.totalMinutes()->selectAll();
    QTest::keyClicks(c.totalMinutes(), "05");
    QTest::mouseClick(c.preset(0), Qt::LeftButton);
    EXPECT_EQ(c.totalMinutes()->text(), "01");
    QTest::mouseClick(c.preset(2), Qt::LeftButton);
    EXPECT_EQ(c.totalMinutes()->text(), "05");
    EXPECT_EQ(w->presets().text(2, PresetStore::TotalMinutes), "05");
    EXPECT_EQ(w->presets().text(0, PresetStore::TotalMinutes), "01");
}

TEST_F(PresetEntry, BoxesTakeTwoDigitsOnly)
{
    c.totalMinutes()->clear();
    QTest::keyClicks(c.totalMinutes(), "a7b89");
    EXPECT_EQ(c.totalMinutes()->text(), "78");
    // Pasted text too, and no other script's digits, sign or space.
    for (const QString& refused :
         {QStringLiteral("１"), QStringLiteral("٢"), QStringLiteral("-1"), QStringLiteral(" 1")}) {
        c.totalMinutes()->clear();
        c.totalMinutes()->insert(refused);
        EXPECT_EQ(c.totalMinutes()->text(), "") << qPrintable(refused);
    }
    c.totalMinutes()->insert(QStringLiteral("09"));
    EXPECT_EQ(c.totalMinutes()->text(), "09");
}

TEST_F(PresetEntry, SecondsAboveFiftyNineKeepTheFocusAndBlockTheClick)
{
    c.totalSeconds()->setFocus();
    c.totalSeconds()->selectAll();
    QTest::keyClicks(c.totalSeconds(), "75");
    QTest::mouseClick(c.startButton(), Qt::LeftButton);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].title, EntryMessages::kSecondsTitle);
    EXPECT_EQ(t.dialogs.shown[0].text, EntryMessages::kSecondsRange);
    EXPECT_EQ(w->focusWidget(), c.totalSeconds());
    // The click on Start did not get through.
    EXPECT_TRUE(t.program->countdown().isStopped());

    c.totalSeconds()->selectAll();
    QTest::keyClicks(c.totalSeconds(), "00");
    QTest::mouseClick(c.startButton(), Qt::LeftButton);
    EXPECT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.program->countdown().isCounting());
}

TEST_F(PresetEntry, SecondsCheckAlsoGuardsTheTabKey)
{
    c.reminderSeconds()->setFocus();
    c.reminderSeconds()->selectAll();
    QTest::keyClicks(c.reminderSeconds(), "60");
    QTest::keyClick(c.reminderSeconds(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(w->focusWidget(), c.reminderSeconds());
}

TEST_F(PresetEntry, StartRefusedBelowTwentySeconds)
{
    c.totalMinutes()->setText("00");
    c.totalSeconds()->setText("19");
    c.reminderSeconds()->setText("00");
    w->moveTwips(300, 300);
    QTest::mouseClick(c.startButton(), Qt::LeftButton);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].title, "Vantrel工具");
    EXPECT_EQ(t.dialogs.shown[0].text, "请输入定时时间，定时时间至少需大于20秒");
    EXPECT_EQ(t.dialogs.shown[0].icon, MessageIcon::Information);
    EXPECT_TRUE(t.program->countdown().isStopped());
    EXPECT_TRUE(c.startButton()->isEnabled());
    EXPECT_FALSE(c.countLabel()->isVisible());
    EXPECT_NEAR(w->topTwips(), 2000, 15);
}

TEST_F(PresetEntry, StartRefusedWhenTheReminderIsTooCloseAndReminderMinutesReset)
{
    QTest::mouseClick(c.preset(1), Qt::LeftButton);
    c.totalSeconds()->setText("00");
    c.reminderMinutes()->setText("00");
    c.reminderSeconds()->setText("51");
    QTest::mouseClick(c.startButton(), Qt::LeftButton);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].title, "Vantrel工具提示：");
    EXPECT_EQ(t.dialogs.shown[0].text, "“定时时间”需大于“提前提醒时间”至少10秒，请重新输入");
    EXPECT_EQ(c.reminderMinutes()->text(), "0");
    EXPECT_EQ(w->presets().text(1, PresetStore::ReminderMinutes), "0");
    EXPECT_TRUE(t.program->countdown().isStopped());

    c.reminderSeconds()->setText("50");
    QTest::mouseClick(c.startButton(), Qt::LeftButton);
    EXPECT_TRUE(t.program->countdown().isCounting());
    EXPECT_EQ(c.presetNameLabel()->text(), "定时二");
}

TEST_F(PresetEntry, EmptyMinutesCountAsZero)
{
    c.totalMinutes()->clear();
    c.totalSeconds()->setText("30");
    c.reminderSeconds()->setText("00");
    QTest::mouseClick(c.startButton(), Qt::LeftButton);
    EXPECT_TRUE(t.program->countdown().isCounting());
    EXPECT_EQ(c.countLabel()->text(), "00 : 30");
}
