#include "../draw/DrawTestSupport.h"
#include "models/announce/SpokenTexts.h"
#include "ui/WindowContext.h"
#include "ui/announce/Announcer.h"
#include "ui/draw/NameListDraw.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// What the screen reader was handed, and when (virtual milliseconds since the fixture began).
struct Heard {
    qint64 atMs;
    QString text;
};

class Announcements : public ::testing::Test, public DrawFixture {
protected:
    Announcements()
    {
        QObject::connect(&t.program->announcer(), &Announcer::announced, [this](const QString& text) {
            heard.push_back({nowMs, text});
        });
    }

    void advanceInSteps(qint64 ms, qint64 step = 100)
    {
        for (qint64 passed = 0; passed < ms; passed += step) {
            t.advance(step);
            nowMs += step;
        }
    }

    void startCount(const QString& minutes, const QString& seconds, const QString& remMinutes,
                    const QString& remSeconds)
    {
        MainWindowControls c = mainControls();
        c.totalMinutes()->setText(minutes);
        c.totalSeconds()->setText(seconds);
        c.reminderMinutes()->setText(remMinutes);
        c.reminderSeconds()->setText(remSeconds);
        c.startButton()->click();
        ASSERT_TRUE(t.program->countdown().isCounting());
    }

    std::vector<Heard> heard;
    qint64 nowMs = 0;
};

} // namespace

TEST(SpokenTexts, SayTheTimeInWordsWithoutZerosThatAreNotThere)
{
    EXPECT_EQ(spokenReminder(1, 0), "还剩 1 分钟");
    EXPECT_EQ(spokenReminder(1, 30), "还剩 1 分 30 秒");
    EXPECT_EQ(spokenReminder(0, 11), "还剩 11 秒");
    EXPECT_EQ(spokenRemaining(4, 12), "剩余 4 分 12 秒");
    EXPECT_EQ(spokenRemaining(0, 0), "剩余 0 秒");
    EXPECT_EQ(spokenRemaining(10, 0), "剩余 10 分钟");
    EXPECT_EQ(spokenDraw("7", false), "抽中 7");
    EXPECT_EQ(spokenDraw("张三", true), "抽中 张三，本轮抽签结束");
}

TEST_F(Announcements, ACountIsHeardAtItsReminderAndItsTimeUpOnlyNotOnEverySecond)
{
    startCount("00", "22", "00", "11");
    advanceInSteps(35000);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].text, "还剩 11 秒");
    EXPECT_EQ(heard[1].text, "时间到");
    // The reminder with the display at 00 : 11, the time-up at 00 : 00: a tick after 11 and 22 s.
    EXPECT_GE(heard[0].atMs, 11000);
    EXPECT_LE(heard[0].atMs, 12500);
    EXPECT_GE(heard[1].atMs, 22000);
    EXPECT_LE(heard[1].atMs, 23500);

    // A second run is heard again, at its own thresholds.
    heard.clear();
    startCount("00", "30", "00", "20");
    advanceInSteps(12000);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].text, "还剩 20 秒");
}

TEST_F(Announcements, APausedCountIsSilentAndAStoppedOneSaysItsQuestionOnly)
{
    startCount("00", "40", "00", "30");
    mainControls().pauseButton()->click();
    advanceInSteps(30000);
    EXPECT_TRUE(heard.empty());
    t.dialogs.answerNext(Answer::Yes);
    mainControls().stopButton()->click();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].text, "确实要停止计时吗?");
    advanceInSteps(30000);
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(Announcements, EveryMessageIsHeardWithItsText)
{
    MainWindowControls c = mainControls();
    c.totalMinutes()->setText("00");
    c.totalSeconds()->setText("19");
    c.startButton()->click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].text, t.dialogs.shown[0].text);
}

TEST_F(Announcements, EachNumberDrawnIsHeardAndTheLastSaysTheRoundIsOver)
{
    SequenceDraw& d = openDraw("3");
    const SequenceControls s(&d);
    advanceInSteps(1000);
    heard.clear();
    QStringList drawn;
    for (int k = 0; k < 3; ++k) {
        s.drawButton->click();
        drawn << s.number->text();
        advanceInSteps(500);
        if (k < 2)
            s.nextButton->click();
        advanceInSteps(500);
    }
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0].text, "抽中 " + drawn[0]);
    EXPECT_EQ(heard[1].text, "抽中 " + drawn[1]);
    EXPECT_EQ(heard[2].text, "抽中 " + drawn[2] + "，本轮抽签结束");
    // The rolling display in between says nothing.
    s.nextRoundButton->click();
    advanceInSteps(3000);
    EXPECT_EQ(heard.size(), 3u);
}

TEST_F(Announcements, EachNameDrawnIsHeard)
{
    const QString list = QDir(t.dataDir.path()).filePath(QStringLiteral("name.xls"));
    QFile(list).open(QIODevice::WriteOnly);
    t.spreadsheet.putWorkbook(
        list, FakeSpreadsheet::nameList(CellValue::fromNumber(2), {{"1", "张三"}, {"2", "李四"}}));
    mainControls().drawButton()->click();
    LauncherControls(launcher()).nameListDraw->click();
    auto* names = t.program->loaded<NameListDraw>();
    ASSERT_NE(names, nullptr);
    control<QPushButton>(names, "Command1")->click();
    advanceInSteps(500);
    heard.clear();
    auto* nameBox = control<QLineEdit>(names, "Text2");
    control<QPushButton>(names, "CommandQq")->click();
    const QString first = nameBox->text();
    control<QPushButton>(names, "CommandZb")->click();
    advanceInSteps(500);
    control<QPushButton>(names, "CommandQq")->click();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].text, "抽中 " + first);
    EXPECT_EQ(heard[1].text, "抽中 " + nameBox->text() + "，本轮抽签结束");
    EXPECT_NE(first, nameBox->text());
}

TEST_F(Announcements, TheCountTellsItsTimeInWords)
{
    startCount("05", "00", "00", "30");
    QLabel* count = mainControls().countLabel();
    for (int s = 0; s < 60 && count->text() != "04 : 12"; ++s)
        advanceInSteps(1000);
    ASSERT_EQ(count->text(), "04 : 12");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(count);
    ASSERT_NE(accessible, nullptr);
    // Its name stays the digits the window shows; the words come after them.
    EXPECT_EQ(accessible->text(QAccessible::Name), "04 : 12");
    EXPECT_EQ(accessible->text(QAccessible::Description), "剩余 4 分 12 秒");
    EXPECT_EQ(accessible->role(), QAccessible::StaticText);
    // The ticking count sent nothing to be spoken.
    EXPECT_TRUE(heard.empty());
}
