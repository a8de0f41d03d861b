// The phone remote's protocol against the whole program on virtual time: what the pages are told,
// and that a press on a phone is the teacher's click on the screen.
#include "ui/remote/RemoteBridge.h"

#include "platform/Timer.h"
#include "support/FindControl.h"
#include "support/MainWindowControls.h"
#include "support/TestProgram.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/draw/NameListDraw.h"
#include "ui/draw/SequenceDraw.h"
#include "ui/main/MainWindow.h"
#include "ui/remote/RemoteMessages.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr quint64 kPhone = 1;
constexpr quint64 kOtherPhone = 2;
constexpr quint64 kClock = 3;

class RemoteBridgeTest : public ::testing::Test {
protected:
    RemoteBridgeTest()
    {
        main = &t.start();
        bridge = std::make_unique<RemoteBridge>(*t.program);
        QObject::connect(bridge.get(), &RemoteBridge::toClient,
                         [this](quint64 client, const QByteArray& m) { got(client, m); });
        QObject::connect(bridge.get(), &RemoteBridge::toControls, [this](const QByteArray& m) {
            for (quint64 client : controls)
                got(client, m);
        });
        QObject::connect(bridge.get(), &RemoteBridge::toClocks, [this](const QByteArray& m) {
            for (quint64 client : clocks)
                got(client, m);
        });
    }

    void got(quint64 client, const QByteArray& message)
    {
        const QJsonObject decoded = remote::decode(message);
        messages[client].append(decoded);
        if (decoded.value("type") == "question" && answerQuestion) {
            // The phone answers once the question has reached it, as a person does.
            const auto answer = answerQuestion;
            QTimer::singleShot(0, [answer, decoded] { answer(decoded); });
        }
    }

    void joinPhone(quint64 client)
    {
        controls.append(client);
        bridge->join(client, true, "http://192.168.1.5:8765/c/clock");
    }
    void joinClock(quint64 client)
    {
        clocks.append(client);
        bridge->join(client, false);
    }

    void press(const char* control, quint64 client = kPhone)
    {
        bridge->receive(client, remote::encode({{"type", "press"}, {"control", control}}));
        TestProgram::settle();
    }
    void answer(quint64 client, const QJsonObject& question, bool yes)
    {
        bridge->receive(client,
                        remote::encode({{"type", "answer"}, {"id", question.value("id")}, {"yes", yes}}));
    }

    QList<QJsonObject> ofType(quint64 client, const char* type) const
    {
        QList<QJsonObject> found;
        const auto it = messages.find(client);
        if (it != messages.end()) {
            for (const QJsonObject& m : it->second)
                if (m.value("type") == type)
                    found.append(m);
        }
        return found;
    }
    QJsonObject lastState(quint64 client = kPhone) const
    {
        const auto states = ofType(client, "state");
        return states.isEmpty() ? QJsonObject() : states.last();
    }
    // The page's button of that id in the last state.
    static QJsonObject pageButton(const QJsonObject& state, const char* id)
    {
        QJsonArray all = state.value("buttons").toArray();
        for (const char* group : {"presets"})
            for (const auto& b : state.value(group).toArray())
                all.append(b);
        for (const char* draw : {"sequence", "names"})
            for (const auto& b : state.value(draw).toObject().value("buttons").toArray())
                all.append(b);
        for (const auto& b : all)
            if (b.toObject().value("id") == id)
                return b.toObject();
        return {};
    }

    TestProgram t;
    MainWindow* main = nullptr;
    std::unique_ptr<RemoteBridge> bridge;
    QList<quint64> controls;
    QList<quint64> clocks;
    std::map<quint64, QList<QJsonObject>> messages;
    std::function<void(const QJsonObject&)> answerQuestion;
};

} // namespace

TEST_F(RemoteBridgeTest, APhoneIsToldItsWordsAndTheScreenAsItStands)
{
    joinPhone(kPhone);
    const auto& first = messages[kPhone];
    ASSERT_GE(first.size(), 2);
    EXPECT_EQ(first[0].value("type"), "texts");
    const QJsonObject texts = first[0].value("texts").toObject();
    EXPECT_EQ(texts.value("yes"), "是");
    EXPECT_EQ(texts.value("clockAddress"), "http://192.168.1.5:8765/c/clock");
    // Every word a page shows comes from the program, in its language: none is empty or English.
    for (const auto& value : texts) {
        if (value.toString().startsWith("http"))
            continue;
        EXPECT_FALSE(value.toString().isEmpty());
        EXPECT_FALSE(value.toString().contains(QRegularExpression("[A-Za-z]{3,}")) &&
                     !value.toString().startsWith("Vantrel"))
            << value.toString().toStdString();
    }

    // Stopped, the screen shows the entry boxes: the phone the time they hold.
    MainWindowControls c(*main);
    EXPECT_EQ(lastState().value("count").toString(),
              QStringLiteral("%1 : %2")
                  .arg(c.totalMinutes()->text().toInt(), 2, 10, QChar('0'))
                  .arg(c.totalSeconds()->text().toInt(), 2, 10, QChar('0')));
    c.totalMinutes()->setText("7");
    c.totalSeconds()->setText("5");
    t.advance(RemoteBridge::kWatchMs);
    const QJsonObject state = lastState();
    EXPECT_EQ(state.value("count").toString(), "07 : 05");
    EXPECT_EQ(state.value("stateText"), "未在计时");
    EXPECT_EQ(pageButton(state, "start").value("text"), "开始");
    EXPECT_TRUE(pageButton(state, "start").value("enabled").toBool());
    EXPECT_FALSE(pageButton(state, "pause").value("enabled").toBool());
    EXPECT_FALSE(pageButton(state, "stop").value("enabled").toBool());
    EXPECT_EQ(pageButton(state, "fold").value("text"), "缩小");
    EXPECT_EQ(pageButton(state, "enlarge").value("text"), "放大");
    // The presets with their times, the first one chosen.
    EXPECT_TRUE(pageButton(state, "preset1").value("checked").toBool());
    EXPECT_TRUE(
        pageButton(state, "preset2")
            .value("text")
            .toString()
            .endsWith(
                QStringLiteral("%1:%2")
                    .arg(main->presets().text(1, PresetStore::TotalMinutes).toInt(), 2, 10, QChar('0'))
                    .arg(main->presets().text(1, PresetStore::TotalSeconds).toInt(), 2, 10, QChar('0'))));
    EXPECT_FALSE(state.value("sequence").toObject().value("open").toBool());
    EXPECT_FALSE(state.value("names").toObject().value("open").toBool());
}

TEST_F(RemoteBridgeTest, StartPauseAndResumeFromThePhoneActOnTheScreen)
{
    joinPhone(kPhone);
    joinClock(kClock);
    MainWindowControls c(*main);

    press("start");
    EXPECT_TRUE(t.program->countdown().isCounting());
    EXPECT_FALSE(c.startButton()->isEnabled());
    EXPECT_FALSE(c.totalMinutes()->isVisible());
    EXPECT_TRUE(pageButton(lastState(), "pause").value("enabled").toBool());
    EXPECT_FALSE(pageButton(lastState(), "start").value("enabled").toBool());

    // The count reaches the phone and the web clock with every change, not later.
    const QString started = c.countLabel()->text();
    t.advance(2000);
    const QString running = c.countLabel()->text();
    EXPECT_NE(running, started);
    EXPECT_EQ(lastState().value("count").toString(), running);
    EXPECT_EQ(ofType(kClock, "clock").last().value("count").toString(), running);
    EXPECT_EQ(lastState().value("stateText").toString(), "正在计时");

    press("pause");
    EXPECT_TRUE(t.program->countdown().isPaused());
    EXPECT_EQ(c.pauseButton()->text(), "继续");
    EXPECT_EQ(pageButton(lastState(), "pause").value("text").toString(), "继续");
    EXPECT_EQ(ofType(kClock, "clock").last().value("stateText").toString(), "暂停计时");
    t.advance(3000);
    EXPECT_EQ(c.countLabel()->text(), running);
    EXPECT_EQ(lastState().value("count").toString(), running);

    press("pause");
    EXPECT_TRUE(t.program->countdown().isCounting());
    EXPECT_EQ(c.pauseButton()->text(), "暂停");
    t.advance(2000);
    EXPECT_NE(c.countLabel()->text(), running);
    EXPECT_EQ(lastState().value("count").toString(), c.countLabel()->text());

    // The web clock is told the count and nothing else, and is not listened to.
    for (const QJsonObject& m : messages[kClock])
        EXPECT_TRUE(m.value("type") == "clock" || m.value("type") == "texts");
    bridge->receive(kClock, remote::encode({{"type", "press"}, {"control", "stop"}}));
    TestProgram::settle();
    EXPECT_TRUE(t.program->countdown().isCounting());
}

TEST_F(RemoteBridgeTest, TheStopQuestionIsAskedOnThePhoneThatPressedAndItsAnswerCounts)
{
    joinPhone(kPhone);
    joinPhone(kOtherPhone);
    press("start");
    ASSERT_TRUE(t.program->countdown().isCounting());
    const int before =
        t.program->countdown().remainingMinutes() * 60 + t.program->countdown().remainingSeconds();

    // Answered No after time passed under the question: the count went on and goes on.
    answerQuestion = [this](const QJsonObject& q) {
        t.advance(3000);
        answer(kPhone, q, false);
    };
    press("stop");
    const auto asked = ofType(kPhone, "question");
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].value("text"), "确实要停止计时吗?");
    EXPECT_EQ(asked[0].value("title"), QString(MainWindow::kNoticeTitle));
    EXPECT_TRUE(ofType(kOtherPhone, "question").isEmpty());
    EXPECT_EQ(ofType(kPhone, "questionOver").size(), 1);
    // Nothing was asked on the screen.
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_TRUE(t.program->countdown().isCounting());
    EXPECT_EQ(t.program->countdown().remainingMinutes() * 60 + t.program->countdown().remainingSeconds(),
              before - 3);

    // Another phone's answer is not this phone's; then Yes stops the count as on the screen.
    answerQuestion = [this](const QJsonObject& q) {
        answer(kOtherPhone, q, true);
        QTimer::singleShot(0, [this, q] {
            EXPECT_TRUE(bridge->isAsking());
            answer(kPhone, q, true);
        });
    };
    press("stop");
    EXPECT_TRUE(t.program->countdown().isStopped());
    EXPECT_TRUE(MainWindowControls(*main).startButton()->isEnabled());
    EXPECT_TRUE(pageButton(lastState(), "start").value("enabled").toBool());
    EXPECT_TRUE(t.dialogs.shown.isEmpty());

    // The screen asks its own questions again once the phone is done.
    t.dialogs.answerNext(Answer::Yes);
    press("start");
    MainWindowControls(*main).stopButton()->click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].text, "确实要停止计时吗?");
}

TEST_F(RemoteBridgeTest, APhoneThatLeavesUnderAQuestionAnswersNoAndOthersWaitMeanwhile)
{
    joinPhone(kPhone);
    joinPhone(kOtherPhone);
    press("start");
    answerQuestion = [this](const QJsonObject&) {
        // Another phone's press while the question is open is refused, not queued.
        bridge->receive(kOtherPhone, remote::encode({{"type", "press"}, {"control", "pause"}}));
        QTimer::singleShot(0, [this] {
            TestProgram::settle();
            bridge->leave(kPhone);
        });
    };
    press("stop");
    EXPECT_TRUE(t.program->countdown().isCounting());
    EXPECT_FALSE(bridge->isAsking());
    ASSERT_EQ(ofType(kOtherPhone, "refused").size(), 1);
    EXPECT_EQ(ofType(kOtherPhone, "refused")[0].value("control"), "pause");
}

TEST_F(RemoteBridgeTest, WhatCannotBePressedOnTheScreenIsRefusedAndChangesNothing)
{
    joinPhone(kPhone);
    for (const char* control : {"pause", "stop", "fold", "sequence-draw", "names-draw", "no-such", ""})
        press(control);
    EXPECT_EQ(ofType(kPhone, "refused").size(), 7);
    EXPECT_TRUE(t.program->countdown().isStopped());
    // Garbage is not a message.
    bridge->receive(kPhone, "{\"type\":\"press\",");
    bridge->receive(kPhone, "[1,2]");
    TestProgram::settle();
    EXPECT_EQ(ofType(kPhone, "refused").size(), 7);
    // A page that never joined is not listened to.
    bridge->receive(99, remote::encode({{"type", "press"}, {"control", "start"}}));
    TestProgram::settle();
    EXPECT_TRUE(t.program->countdown().isStopped());
}

TEST_F(RemoteBridgeTest, APresetChosenOnThePhoneIsChosenOnTheScreenAndItsTimeStarts)
{
    joinPhone(kPhone);
    MainWindowControls c(*main);
    c.preset(2)->click();
    c.totalMinutes()->setText("7");
    c.totalSeconds()->setText("30");
    c.preset(0)->click();

    press("preset3");
    EXPECT_TRUE(c.preset(2)->isChecked());
    EXPECT_EQ(c.totalMinutes()->text(), "7");
    EXPECT_TRUE(pageButton(lastState(), "preset3").value("checked").toBool());
    EXPECT_TRUE(pageButton(lastState(), "preset3").value("text").toString().endsWith("07:30"));
    press("start");
    EXPECT_EQ(t.program->countdown().startedMinutes(), 7);
    // While the count runs the presets cannot be chosen, there as here.
    EXPECT_FALSE(pageButton(lastState(), "preset1").value("enabled").toBool());
    press("preset1");
    EXPECT_TRUE(c.preset(2)->isChecked());
}

TEST_F(RemoteBridgeTest, AMessageOfAPressIsShownOnThePhone)
{
    joinPhone(kPhone);
    MainWindowControls c(*main);
    c.totalMinutes()->setText("0");
    c.totalSeconds()->setText("0");
    press("start");
    EXPECT_TRUE(t.program->countdown().isStopped());
    ASSERT_EQ(ofType(kPhone, "notice").size(), 1);
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

TEST_F(RemoteBridgeTest, TheEnlargedCountAndTheStripComeAsFromTheirButtons)
{
    joinPhone(kPhone);
    press("enlarge");
    EXPECT_FALSE(main->isVisible());
    ASSERT_NE(t.program->loadedWindow(WindowKind::EnlargedCountdown), nullptr);
    EXPECT_TRUE(t.program->loadedWindow(WindowKind::EnlargedCountdown)->isVisible());
    EXPECT_FALSE(pageButton(lastState(), "enlarge").value("enabled").toBool());
}

TEST_F(RemoteBridgeTest, TheSequenceDrawsNextNumberFromThePhone)
{
    joinPhone(kPhone);
    MainWindowControls(*main).drawButton()->click();
    auto* launcher = t.program->loaded<DrawLauncher>();
    control<QPushButton>(launcher, "Command11")->click();
    control<QLineEdit>(launcher, "Text2")->setText("3");
    control<QPushButton>(launcher, "Command5")->click();
    SequenceDraw* draw = t.program->loaded<SequenceDraw>();
    ASSERT_NE(draw, nullptr);
    t.advance(RemoteBridge::kWatchMs);
    ASSERT_TRUE(lastState().value("sequence").toObject().value("open").toBool());

    QSet<int> drawn;
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            press("sequence-next");
        t.advance(320);
        press("sequence-draw");
        EXPECT_FALSE(draw->round().remaining() == 3 - i);
        const QString number = control<QLabel>(draw, "Label1")->text();
        EXPECT_EQ(lastState().value("sequence").toObject().value("number"), number);
        drawn.insert(number.toInt());
    }
    EXPECT_EQ(drawn, (QSet<int>{1, 2, 3}));
}

TEST_F(RemoteBridgeTest, TheNameListDrawsFromThePhoneAndTheNameIsShownThere)
{
    const QString list = QDir(t.dataDir.path()).filePath("name.xls");
    QFile(list).open(QIODevice::WriteOnly);
    t.spreadsheet.putWorkbook(
        list, FakeSpreadsheet::nameList(CellValue::fromNumber(2), {{"1", "张三"}, {"2", "李四"}}));
    joinPhone(kPhone);
    MainWindowControls(*main).drawButton()->click();
    control<QPushButton>(t.program->loaded<DrawLauncher>(), "Command10")->click();
    NameListDraw* draw = t.program->loaded<NameListDraw>();
    ASSERT_NE(draw, nullptr);

    press("names-start");
    EXPECT_TRUE(draw->isListLoaded());
    t.advance(300);
    press("names-draw");
    const QString first = control<QLineEdit>(draw, "Text2")->text();
    EXPECT_TRUE(first == "张三" || first == "李四");
    EXPECT_EQ(lastState().value("names").toObject().value("name"), first);
    EXPECT_EQ(t.spreadsheet.liveCell(draw->lastDrawn() + 2, 3), CellValue::fromNumber(1));

    press("names-next");
    t.advance(300);
    press("names-draw");
    const QString second = control<QLineEdit>(draw, "Text2")->text();
    EXPECT_NE(second, first);
    EXPECT_EQ(lastState().value("names").toObject().value("name"), second);
}

TEST_F(RemoteBridgeTest, TheWindowsAreWatchedOnlyWhileAPhoneIsOpen)
{
    Timer* watch = bridge->findChild<Timer*>("RemoteWatch");
    ASSERT_NE(watch, nullptr);
    EXPECT_FALSE(watch->isEnabled());
    joinPhone(kPhone);
    EXPECT_TRUE(watch->isEnabled());
    bridge->leave(kPhone);
    EXPECT_FALSE(watch->isEnabled());
}
