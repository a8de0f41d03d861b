#include "StandIns.h"
#include "app/MainWindow.h"
#include "display/ToolStrip.h"
#include "display/Tray.h"
#include "platform/Timer.h"
#include "support/TestProgram.h"

#include <QPushButton>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>

namespace {

const QString kQuestion = QStringLiteral("确实要退出Vantrel程序吗?");

bool atStandardPlace(TestProgram& t, MainWindow& w)
{
    return std::abs(w.leftTwips() - (t.windows.screen.width() - w.widthTwips()) / 2) < 15 &&
           std::abs(w.topTwips() - MainWindow::kStandardTop) < 15;
}

Tray& trayOf(MainWindow& w)
{
    Tray* tray = Tray::of(&w);
    if (!tray)
        throw std::runtime_error("the main window has no tray icon");
    return *tray;
}

} // namespace

TEST(Tray, IsTheBellWithItsTipForAsLongAsTheMainWindowIsLoaded)
{
    TestProgram t;
    Tray::setHostAvailableForTesting([] { return true; });
    MainWindow& w = t.start();
    Tray& tray = trayOf(w);
    EXPECT_EQ(tray.icon()->toolTip(), QStringLiteral("点击鼠标左键显示计时主窗口，按右键退出本程序"));
    EXPECT_FALSE(tray.icon()->icon().isNull());
    EXPECT_TRUE(tray.icon()->isVisible());
    EXPECT_TRUE(trayAvailable(*t.program));

    QPointer<Tray> alive(&tray);
    t.program->unload(FormId::Form1);
    EXPECT_FALSE(trayAvailable(*t.program));
    TestProgram::settle();
    EXPECT_TRUE(alive.isNull());
    Tray::setHostAvailableForTesting({});
}

TEST(Tray, WithoutANotificationAreaTheTrayIsNotAWayBack)
{
    TestProgram t;
    Tray::setHostAvailableForTesting([] { return false; });
    t.start();
    EXPECT_FALSE(trayAvailable(*t.program));
    Tray::setHostAvailableForTesting({});
}

TEST(Tray, LeftClickBringsTheMainWindowBackFromTheStripTipHiddenAndDockedStates)
{
    struct Case {
        const char* name;
        std::function<void(TestProgram&, MainWindow&, Form*)> arrange;
    };
    const Case cases[] = {
        {"strip",
         [](TestProgram&, MainWindow& w, Form* strip) {
             w.hide();
             strip->show();
         }},
        {"tip",
         [](TestProgram&, MainWindow& w, Form* strip) {
             w.hide();
             strip->show();
             strip->setHeightTwips(2000);
         }},
        {"hidden",
         [](TestProgram&, MainWindow& w, Form* strip) {
             w.hide();
             strip->hide();
         }},
        {"docked",
         [](TestProgram& t, MainWindow& w, Form*) {
             t.program->state().DockedLeft = 1;
             w.moveTwips(90 - w.widthTwips(), 3000);
         }},
    };
    for (const Case& c : cases) {
        TestProgram t;
        standIn(*t.program, {FormId::Form3});
        MainWindow& w = t.start();
        Form* strip = t.program->form(FormId::Form3);
        c.arrange(t, w, strip);
        t.program->state().DockedTop = 1;

        trayOf(w).mouseEvent(Tray::Left);
        EXPECT_TRUE(w.isVisible()) << c.name;
        EXPECT_FALSE(w.isMinimized()) << c.name;
        EXPECT_TRUE(atStandardPlace(t, w)) << c.name;
        EXPECT_FALSE(strip->isVisible()) << c.name;
        const ProgramState& s = t.program->state();
        EXPECT_EQ(s.DockedTop + s.DockedLeft + s.DockedRight, 0) << c.name;
        EXPECT_TRUE(t.dialogs.shown.isEmpty()) << c.name;
    }
}

TEST(Tray, LeftClickFoldsTheRealStripAwayAndTheMainWindowComesBack)
{
    TestProgram t;
    MainWindow& w = t.start();
    auto* strip = t.program->formAs<ToolStrip>(FormId::Form3);
    ASSERT_NE(strip, nullptr);
    w.hide();
    strip->showStrip();
    ASSERT_TRUE(strip->isVisible());
    trayOf(w).mouseEvent(Tray::Left);
    EXPECT_FALSE(strip->isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(atStandardPlace(t, w));
}

TEST(Tray, LeftClickClosesTheLauncherAndLeavesTrackingOff)
{
    TestProgram t;
    auto log = standIn(*t.program, {FormId::Form2});
    MainWindow& w = t.start();
    t.program->form(FormId::Form2);
    // The launcher hides the main window and stops its tracking while it is open.
    w.hide();
    w.Timer2->setEnabled(false);

    trayOf(w).mouseEvent(Tray::Left);
    EXPECT_FALSE(t.program->isLoaded(FormId::Form2));
    EXPECT_EQ(*log, QStringList{QStringLiteral("unload Form2")});
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.Timer2->isEnabled());
    t.advance(1000);
    EXPECT_FALSE(w.Timer2->isEnabled());
}

TEST(Tray, OtherButtonsDoNothing)
{
    TestProgram t;
    MainWindow& w = t.start();
    w.hide();
    w.moveTwips(0, 0);
    trayOf(w).mouseEvent(3);
    trayOf(w).mouseEvent(0);
    EXPECT_FALSE(w.isVisible());
    EXPECT_NEAR(w.topTwips(), 0, 15);
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

TEST(Tray, RightClickAsksWithoutMovingATuckedWindowAndPlacesAFreeOne)
{
    TestProgram t;
    MainWindow& w = t.start();
    t.program->state().DockedRight = 1;
    const double tuckedLeft = t.windows.screen.width() - 90;
    w.moveTwips(tuckedLeft, 3000);
    bool stayedTucked = false;
    t.dialogs.answerNext(Answer::No, [&] { stayedTucked = std::abs(w.leftTwips() - tuckedLeft) < 15; });
    trayOf(w).mouseEvent(Tray::Right);
    EXPECT_TRUE(stayedTucked);
    EXPECT_EQ(t.program->state().DockedRight, 1);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].kind, ScriptedDialogs::Kind::Ask);
    EXPECT_EQ(t.dialogs.shown[0].title, QStringLiteral("Vantrel工具提示："));
    EXPECT_EQ(t.dialogs.shown[0].text, kQuestion);
    EXPECT_EQ(t.dialogs.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(t.quitCode, -1);

    t.program->state().DockedRight = 0;
    w.moveTwips(0, 0);
    bool placedFirst = false;
    t.dialogs.answerNext(Answer::No, [&] { placedFirst = atStandardPlace(t, w); });
    trayOf(w).mouseEvent(Tray::Right);
    EXPECT_TRUE(placedFirst);
    EXPECT_TRUE(t.program->isLoaded(FormId::Form1));
    EXPECT_EQ(t.quitCode, -1);
}

TEST(Exit, TrayYesAndExitButtonYesUnloadEveryWindowInOrderThenEndWithCodeZero)
{
    for (bool fromTray : {true, false}) {
        TestProgram t;
        auto log = standIn(*t.program, {FormId::Form2, FormId::Form3, FormId::Form4, FormId::Form5,
                                        FormId::Form6, FormId::Form7, FormId::Form8});
        MainWindow& w = t.start();
        for (FormId id : {FormId::Form2, FormId::Form3, FormId::Form4, FormId::Form5, FormId::Form6,
                          FormId::Form7, FormId::Form8})
            t.program->form(id);
        bool allUnloadedAtQuit = false;
        t.program->onQuit([&](int code) {
            t.quitCode = code;
            allUnloadedAtQuit = true;
            for (int id = 1; id <= 8; ++id)
                allUnloadedAtQuit = allUnloadedAtQuit && !t.program->isLoaded(FormId(id));
        });
        t.dialogs.answerNext(Answer::Yes);
        if (fromTray)
            trayOf(w).mouseEvent(Tray::Right);
        else
            w.Command7->click();

        EXPECT_EQ(*log, (QStringList{"unload Form5", "unload Form6", "unload Form7", "unload Form8",
                                     "unload Form4", "unload Form3", "unload Form2"}))
            << fromTray;
        EXPECT_EQ(t.quitCode, 0) << fromTray;
        EXPECT_TRUE(allUnloadedAtQuit) << fromTray;
        EXPECT_GE(t.windows.taskbarShown, 1) << fromTray;
    }
}

TEST(Exit, ARunningInstructionShowIsClosedBeforeAnyWindowIsUnloaded)
{
    for (bool fromTray : {true, false}) {
        TestProgram t;
        auto log = standIn(*t.program, {FormId::Form5, FormId::Form8});
        MainWindow& w = t.start();
        t.program->form(FormId::Form5);
        t.program->state().NoteShowState = QStringLiteral("H");
        t.dialogs.answerNext(Answer::Yes);
        if (fromTray)
            trayOf(w).mouseEvent(Tray::Right);
        else
            w.Command7->click();
        ASSERT_FALSE(log->isEmpty()) << fromTray;
        EXPECT_EQ(log->first(), QStringLiteral("closeNoteShow")) << fromTray;
        EXPECT_TRUE(log->contains(QStringLiteral("unload Form8"))) << fromTray;
        EXPECT_EQ(t.quitCode, 0) << fromTray;
    }
}

TEST(Exit, WithoutAnInstructionPlayerTheShutdownStillCompletes)
{
    TestProgram t;
    MainWindow& w = t.start();
    t.program->state().NoteShowState = QStringLiteral("H");
    t.dialogs.answerNext(Answer::Yes);
    w.Command7->click();
    EXPECT_FALSE(t.program->isLoaded(FormId::Form1));
    EXPECT_EQ(t.quitCode, 0);
}

TEST(Exit, ButtonAnsweredNoShowsTheTaskbarAndReplacesTheWindowOnly)
{
    TestProgram t;
    auto log = standIn(*t.program, {FormId::Form3});
    MainWindow& w = t.start();
    t.program->form(FormId::Form3)->show();
    t.program->state().DockedTop = 1;
    w.moveTwips(1000, -2500);
    const int taskbarBefore = t.windows.taskbarShown;

    bool placedBeforeQuestion = false;
    t.dialogs.answerNext(Answer::No, [&] { placedBeforeQuestion = atStandardPlace(t, w); });
    w.Command7->click();

    EXPECT_TRUE(placedBeforeQuestion);
    EXPECT_EQ(t.windows.taskbarShown, taskbarBefore + 1);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].title, QStringLiteral("Vantrel工具"));
    EXPECT_EQ(t.dialogs.shown[0].text, kQuestion);
    EXPECT_EQ(t.quitCode, -1);
    EXPECT_TRUE(log->isEmpty());
    EXPECT_TRUE(t.program->form(FormId::Form3)->isVisible());
    EXPECT_EQ(t.program->state().DockedTop, 1);
    EXPECT_TRUE(w.Timer2->isEnabled());
}

TEST(Exit, TrayQuestionAnsweredAfterTheProgramEndedOtherwiseDoesNothingMore)
{
    TestProgram t;
    MainWindow& w = t.start();
    int quits = 0;
    t.program->onQuit([&](int) { ++quits; });
    Tray& tray = trayOf(w);
    // While the tray's question is open, the exit button's question is answered Yes.
    t.dialogs.answerNext(Answer::Yes, [&] {
        t.dialogs.answerNext(Answer::Yes);
        w.Command7->click();
        TestProgram::settle();
    });
    tray.mouseEvent(Tray::Right);
    EXPECT_EQ(quits, 1);
}
