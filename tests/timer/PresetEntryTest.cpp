#include "models/countdown/TimeEntry.h"
#include "support/TestProgram.h"
#include "ui/ClickableLabel.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList boxes(MainWindow& w)
{
    return {w.Text1->text(), w.Text4->text(), w.Text2->text(), w.Text5->text()};
}

class PresetEntry : public ::testing::Test {
protected:
    void SetUp() override
    {
        w = &t.start();
        QApplication::setActiveWindow(w);
    }
    TestProgram t;
    MainWindow* w = nullptr;
};

} // namespace

TEST_F(PresetEntry, SelectingAPresetFillsTheBoxesColoursItAndFocusesMinutes)
{
    QTest::mouseClick(w->Option2, Qt::LeftButton);
    EXPECT_EQ(boxes(*w), (QStringList{"01", "01", "00", "31"}));
    EXPECT_EQ(w->Option2->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(w->Option1->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(w->focusWidget(), w->Text1);

    QTest::mouseClick(w->Option1, Qt::LeftButton);
    EXPECT_EQ(boxes(*w), (QStringList{"01", "00", "00", "30"}));
}

TEST_F(PresetEntry, EditsStayWithThePresetThatWasSelected)
{
    QTest::mouseClick(w->Option3, Qt::LeftButton);
    w->Text1->selectAll();
    QTest::keyClicks(w->Text1, "05");
    QTest::mouseClick(w->Option1, Qt::LeftButton);
    EXPECT_EQ(w->Text1->text(), "01");
    QTest::mouseClick(w->Option3, Qt::LeftButton);
    EXPECT_EQ(w->Text1->text(), "05");
    EXPECT_EQ(w->presets().text(2, PresetStore::TotalMinutes), "05");
    EXPECT_EQ(w->presets().text(0, PresetStore::TotalMinutes), "01");
}

TEST_F(PresetEntry, BoxesTakeTwoDigitsOnly)
{
    w->Text1->clear();
    QTest::keyClicks(w->Text1, "a7b89");
    EXPECT_EQ(w->Text1->text(), "78");
}

TEST_F(PresetEntry, SecondsAboveFiftyNineKeepTheFocusAndBlockTheClick)
{
    w->Text4->setFocus();
    w->Text4->selectAll();
    QTest::keyClicks(w->Text4, "75");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].title, EntryMessages::kSecondsTitle);
    EXPECT_EQ(t.dialogs.shown[0].text, EntryMessages::kSecondsRange);
    EXPECT_EQ(w->focusWidget(), w->Text4);
    // The click on Start did not get through.
    EXPECT_TRUE(t.program->countdown().isStopped());

    w->Text4->selectAll();
    QTest::keyClicks(w->Text4, "00");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.program->countdown().isCounting());
}

TEST_F(PresetEntry, SecondsCheckAlsoGuardsTheTabKey)
{
    w->Text5->setFocus();
    w->Text5->selectAll();
    QTest::keyClicks(w->Text5, "60");
    QTest::keyClick(w->Text5, Qt::Key_Tab);
    QCoreApplication::processEvents();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(w->focusWidget(), w->Text5);
}

TEST_F(PresetEntry, StartRefusedBelowTwentySeconds)
{
    w->Text1->setText("00");
    w->Text4->setText("19");
    w->Text5->setText("00");
    w->moveTwips(300, 300);
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].title, "Vantrel工具");
    EXPECT_EQ(t.dialogs.shown[0].text, "请输入定时时间，定时时间至少需大于20秒");
    EXPECT_EQ(t.dialogs.shown[0].icon, MessageIcon::Information);
    EXPECT_TRUE(t.program->countdown().isStopped());
    EXPECT_TRUE(w->Command1->isEnabled());
    EXPECT_FALSE(w->Label3->isVisible());
    EXPECT_NEAR(w->topTwips(), 2000, 15);

    w->Text4->setText("20");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_TRUE(t.program->countdown().isCounting());
}

TEST_F(PresetEntry, StartRefusedWhenTheReminderIsTooCloseAndReminderMinutesReset)
{
    QTest::mouseClick(w->Option2, Qt::LeftButton);
    w->Text4->setText("00");
    w->Text2->setText("00");
    w->Text5->setText("51");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].title, "Vantrel工具提示：");
    EXPECT_EQ(t.dialogs.shown[0].text, "“定时时间”需大于“提前提醒时间”至少10秒，请重新输入");
    EXPECT_EQ(w->Text2->text(), "0");
    EXPECT_EQ(w->presets().text(1, PresetStore::ReminderMinutes), "0");
    EXPECT_TRUE(t.program->countdown().isStopped());

    w->Text5->setText("50");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_TRUE(t.program->countdown().isCounting());
    EXPECT_EQ(w->Label8->text(), "定时二");
}

TEST_F(PresetEntry, EmptyMinutesCountAsZero)
{
    w->Text1->clear();
    w->Text4->setText("30");
    w->Text5->setText("00");
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    EXPECT_TRUE(t.program->countdown().isCounting());
    EXPECT_EQ(w->Label3->text(), "00 : 30");
}
