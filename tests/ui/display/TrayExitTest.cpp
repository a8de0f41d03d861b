#include "StandIns.h"
#include "platform/Timer.h"
#include "platform/dialogs/DesktopFolder.h"
#include "support/FindControl.h"
#include "support/TestProgram.h"
#include "ui/display/ToolStrip.h"
#include "ui/display/Tray.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QMenu>
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

void clickExit(MainWindow& w)
{
    control<QPushButton>(&w, "Command7")->click();
}

// The main window's desktop tracking (docking, show scan, F9/F11).
Timer* trackingTimer(MainWindow& w)
{
    return control<Timer>(&w, "Timer2");
}

Tray& trayOf(MainWindow& w)
{
    Tray* tray = Tray::of(&w);
    if (!tray)
        throw std::runtime_error("the main window has no tray icon");
    return *tray;
}

// A right click opens the menu; its last entry is the way out.
void chooseQuit(Tray& tray)
{
    tray.click(Tray::Right);
    if (!tray.menu()->isVisible())
        throw std::runtime_error("a right click did not open the tray's menu");
    tray.quitAction()->trigger();
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

    // The menu's first entry shows the data folder, and asks nothing.
    QStringList shown;
    desktopfolder::setShowForTesting([&](const QString& folder) {
        shown << folder;
        return true;
    });
    tray.click(Tray::Right);
    ASSERT_TRUE(tray.menu()->isVisible());
    EXPECT_EQ(tray.openFolderAction()->text(), QStringLiteral("打开程序文件夹"));
    tray.openFolderAction()->trigger();
    desktopfolder::setShowForTesting({});
    EXPECT_EQ(shown, QStringList{t.program->dataFolder()});
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    tray.menu()->hide();

    QPointer<Tray> alive(&tray);
    t.program->unload(WindowKind::Main);
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
        std::function<void(TestProgram&, MainWindow&, ProgramWindow*)> arrange;
    };
    const Case cases[] = {
        {"strip",
         [](TestProgram&, MainWindow& w, ProgramWindow* strip) {
             w.hide();
             strip->show();
         }},
        {"tip",
         [](TestProgram&, MainWindow& w, ProgramWindow* strip) {
             w.hide();
             strip->show();
             strip->setHeightTwips(2000);
         }},
        {"hidden",
         [](TestProgram&, MainWindow& w, ProgramWindow* strip) {
             w.hide();
             strip->hide();
         }},
        {"docked",
         [](TestProgram& t, MainWindow& w, ProgramWindow*) {
             t.setDockedEdge(&docking::Flags::left, true);
             w.moveTwips(90 - w.widthTwips(), 3000);
         }},
    };
    for (const Case& c : cases) {
        TestProgram t;
        standIn(*t.program, {WindowKind::ToolStrip});
        MainWindow& w = t.start();
        ProgramWindow* strip = t.program->window(WindowKind::ToolStrip);
        c.arrange(t, w, strip);
        t.setDockedEdge(&docking::Flags::top, true);

        trayOf(w).click(Tray::Left);
        EXPECT_TRUE(w.isVisible()) << c.name;
        EXPECT_FALSE(w.isMinimized()) << c.name;
        EXPECT_TRUE(atStandardPlace(t, w)) << c.name;
        EXPECT_FALSE(strip->isVisible()) << c.name;
        EXPECT_FALSE(t.program->tracking().isDocked()) << c.name;
        EXPECT_TRUE(t.dialogs.shown.isEmpty()) << c.name;
    }
}

TEST(Tray, LeftClickFoldsTheRealStripAwayAndTheMainWindowComesBack)
{
    TestProgram t;
    MainWindow& w = t.start();
    auto* strip = t.program->window<ToolStrip>();
    ASSERT_NE(strip, nullptr);
    w.hide();
    strip->showStrip();
    ASSERT_TRUE(strip->isVisible());
    trayOf(w).click(Tray::Left);
    EXPECT_FALSE(strip->isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(atStandardPlace(t, w));
}

TEST(Tray, LeftClickClosesTheLauncherAndLeavesTrackingOff)
{
    TestProgram t;
    auto log = standIn(*t.program, {WindowKind::DrawLauncher});
    MainWindow& w = t.start();
    t.program->window(WindowKind::DrawLauncher);
    // The launcher hides the main window and stops its tracking while it is open.
    w.hide();
    trackingTimer(w)->setEnabled(false);

    trayOf(w).click(Tray::Left);
    EXPECT_FALSE(t.program->isLoaded(WindowKind::DrawLauncher));
    EXPECT_EQ(*log, QStringList{QStringLiteral("unload Form2")});
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(trackingTimer(w)->isEnabled());
    t.advance(1000);
    EXPECT_FALSE(trackingTimer(w)->isEnabled());
}

TEST(Tray, OtherButtonsDoNothing)
{
    TestProgram t;
    MainWindow& w = t.start();
    w.hide();
    w.moveTwips(0, 0);
    trayOf(w).click(3);
    trayOf(w).click(0);
    EXPECT_FALSE(w.isVisible());
    EXPECT_NEAR(w.topTwips(), 0, 15);
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

TEST(Tray, RightClickAsksWithoutMovingATuckedWindowAndPlacesAFreeOne)
{
    TestProgram t;
    MainWindow& w = t.start();
    t.setDockedEdge(&docking::Flags::right, true);
    const double tuckedLeft = t.windows.screen.width() - 90;
    w.moveTwips(tuckedLeft, 3000);
    bool stayedTucked = false;
    t.dialogs.answerNext(Answer::No, [&] { stayedTucked = std::abs(w.leftTwips() - tuckedLeft) < 15; });
    chooseQuit(trayOf(w));
    EXPECT_TRUE(stayedTucked);
    EXPECT_TRUE(t.program->tracking().docked().right);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].kind, ScriptedDialogs::Kind::Ask);
    EXPECT_EQ(t.dialogs.shown[0].title, QStringLiteral("Vantrel工具提示："));
    EXPECT_EQ(t.dialogs.shown[0].text, kQuestion);
    EXPECT_EQ(t.dialogs.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(t.quitCode, -1);

    t.setDockedEdge(&docking::Flags::right, false);
    w.moveTwips(0, 0);
    bool placedFirst = false;
    t.dialogs.answerNext(Answer::No, [&] { placedFirst = atStandardPlace(t, w); });
    chooseQuit(trayOf(w));
    EXPECT_TRUE(placedFirst);
    EXPECT_TRUE(t.program->isLoaded(WindowKind::Main));
    EXPECT_EQ(t.quitCode, -1);
}

TEST(Exit, TrayYesAndExitButtonYesUnloadEveryWindowInOrderThenEndWithCodeZero)
{
    for (bool fromTray : {true, false}) {
        const std::initializer_list<WindowKind> others = {
            WindowKind::DrawLauncher, WindowKind::ToolStrip,         WindowKind::NameListDraw,
            WindowKind::SlideDraw,    WindowKind::EnlargedCountdown, WindowKind::SequenceDraw};
        TestProgram t;
        auto log = standIn(*t.program, others);
        MainWindow& w = t.start();
        for (WindowKind id : others)
            t.program->window(id);
        bool allUnloadedAtQuit = false;
        t.program->onQuit([&](int code) {
            t.quitCode = code;
            allUnloadedAtQuit = !t.program->isLoaded(WindowKind::Main);
            for (WindowKind id : others)
                allUnloadedAtQuit = allUnloadedAtQuit && !t.program->isLoaded(id);
        });
        t.dialogs.answerNext(Answer::Yes);
        if (fromTray)
            chooseQuit(trayOf(w));
        else
            clickExit(w);

        EXPECT_EQ(*log, (QStringList{"unload Form5", "unload Form6", "unload Form7", "unload Form4",
                                     "unload Form3", "unload Form2"}))
            << fromTray;
        EXPECT_EQ(t.quitCode, 0) << fromTray;
        EXPECT_TRUE(allUnloadedAtQuit) << fromTray;
        EXPECT_GE(t.windows.taskbarShown, 1) << fromTray;
    }
}

TEST(Exit, UnloadingAllReleasesEveryWindowMainLastWithoutQuitting)
{
    const std::initializer_list<WindowKind> all = {WindowKind::Main,        WindowKind::DrawLauncher,
                                                   WindowKind::ToolStrip,   WindowKind::NameListDraw,
                                                   WindowKind::SlideDraw,   WindowKind::EnlargedCountdown,
                                                   WindowKind::SequenceDraw};
    TestProgram t;
    auto log = standIn(*t.program, all);
    for (WindowKind id : all)
        t.program->window(id);
    t.program->unloadAll();
    EXPECT_EQ(*log, (QStringList{"unload Form5", "unload Form6", "unload Form7", "unload Form4",
                                 "unload Form3", "unload Form2", "unload Form1"}));
    for (WindowKind id : all)
        EXPECT_FALSE(t.program->isLoaded(id)) << windowObjectName(id).toStdString();
    EXPECT_EQ(t.quitCode, -1);
    EXPECT_FALSE(t.program->hasQuit());

    // Nothing is left to unload a second time.
    t.program->unloadAll();
    EXPECT_EQ(log->size(), 7);
}

// The unload order is the program's one list of windows: every kind that has an object name is in
// it once, so no window is left loaded at the end, and the program registers a window for each.
TEST(Exit, TheUnloadOrderListsEveryWindowOnceMainLast)
{
    QStringList named;
    for (int k = 0; !windowObjectName(static_cast<WindowKind>(k)).isEmpty(); ++k)
        named << windowObjectName(static_cast<WindowKind>(k));
    QStringList listed;
    for (WindowKind kind : kWindowsInUnloadOrder)
        listed << windowObjectName(kind);
    EXPECT_EQ(listed.size(), named.size());
    for (const QString& name : named)
        EXPECT_EQ(listed.count(name), 1) << name.toStdString();
    EXPECT_EQ(kWindowsInUnloadOrder.back(), WindowKind::Main);

    TestProgram t;
    for (WindowKind kind : kWindowsInUnloadOrder)
        EXPECT_TRUE(t.program->isAvailable(kind)) << windowObjectName(kind).toStdString();
}

TEST(Exit, ARunningInstructionShowIsClosedBeforeAnyWindowIsUnloaded)
{
    for (bool fromTray : {true, false}) {
        TestProgram t;
        auto log = standIn(*t.program, {WindowKind::SlideDraw});
        MainWindow& w = t.start();
        t.program->window(WindowKind::SlideDraw);
        t.program->instructionShow().setOpen(true);
        t.dialogs.answerNext(Answer::Yes);
        if (fromTray)
            chooseQuit(trayOf(w));
        else
            clickExit(w);
        ASSERT_FALSE(log->isEmpty()) << fromTray;
        EXPECT_EQ(*log, (QStringList{"close the instruction show", "unload Form5"})) << fromTray;
        EXPECT_EQ(t.quitCode, 0) << fromTray;
    }
}

TEST(Exit, AnOpenInstructionShowWithNoOtherWindowLoadedStillEnds)
{
    TestProgram t;
    MainWindow& w = t.start();
    t.program->instructionShow().setOpen(true);
    t.dialogs.answerNext(Answer::Yes);
    clickExit(w);
    EXPECT_FALSE(t.program->isLoaded(WindowKind::Main));
    EXPECT_EQ(t.quitCode, 0);
}

TEST(Exit, ButtonAnsweredNoShowsTheTaskbarAndReplacesTheWindowOnly)
{
    TestProgram t;
    auto log = standIn(*t.program, {WindowKind::ToolStrip});
    MainWindow& w = t.start();
    t.program->window(WindowKind::ToolStrip)->show();
    t.setDockedEdge(&docking::Flags::top, true);
    w.moveTwips(1000, -2500);
    const int taskbarBefore = t.windows.taskbarShown;

    bool placedBeforeQuestion = false;
    t.dialogs.answerNext(Answer::No, [&] { placedBeforeQuestion = atStandardPlace(t, w); });
    clickExit(w);

    EXPECT_TRUE(placedBeforeQuestion);
    EXPECT_EQ(t.windows.taskbarShown, taskbarBefore + 1);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].title, QStringLiteral("Vantrel工具"));
    EXPECT_EQ(t.dialogs.shown[0].text, kQuestion);
    EXPECT_EQ(t.quitCode, -1);
    EXPECT_TRUE(log->isEmpty());
    EXPECT_TRUE(t.program->window(WindowKind::ToolStrip)->isVisible());
    EXPECT_TRUE(t.program->tracking().docked().top);
    EXPECT_TRUE(trackingTimer(w)->isEnabled());
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
        clickExit(w);
        TestProgram::settle();
    });
    chooseQuit(tray);
    EXPECT_EQ(quits, 1);
}
