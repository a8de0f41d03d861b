#include "DrawTestSupport.h"
#include "models/draw/InstructionShow.h"
#include "platform/Timer.h"
#include "support/TestProgram.h"
#include "ui/draw/DeckConversionNotice.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// The windows around the program's instruction show: the main window comes back over a started show
// and after a close, a deck converted first is waited for with a notice, a deck that cannot be shown
// is told, and the exit ends a running show.
class InstructionShowWindows : public ::testing::Test {
protected:
    InstructionShowWindows()
    {
        t.presentations.decks[QStringLiteral("Note1.PPT")] = 6;
        t.start();
        leaveMainWindow();
    }

    // As while the launcher is open.
    void leaveMainWindow()
    {
        MainWindowControls(t.main()).trackingTimer()->setEnabled(false);
        t.main().hide();
    }

    bool mainWindowIsBack()
    {
        return t.main().isVisible() && MainWindowControls(t.main()).trackingTimer()->isEnabled();
    }

    InstructionShow& show() { return t.program->instructionShow(); }

    void play(const QString& deck)
    {
        show().play(deck);
        TestProgram::settle();
    }

    static DeckConversionNotice* notice()
    {
        TestProgram::settle();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<DeckConversionNotice*>(window); found && found->isVisible())
                return found;
        }
        return nullptr;
    }

    TestProgram t;
};

TEST_F(InstructionShowWindows, AStartedShowBringsTheMainWindowBackAtItsHelpHeight)
{
    play(QStringLiteral("Note1.PPT"));
    EXPECT_EQ(t.presentations.runningShows(), 1);
    EXPECT_TRUE(mainWindowIsBack());
    EXPECT_NEAR(t.main().heightTwips(), MainWindow::kHelpHeight, 15);
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_EQ(notice(), nullptr) << "a deck ready at once needs no notice";
}

TEST_F(InstructionShowWindows, ADeckThatCannotBeShownIsToldAndTheMainWindowComesBack)
{
    // Missing, and (as the engine reports them) empty or damaged.
    t.presentations.decks[QStringLiteral("Note2.PPT")] = 0;
    for (const char* deck : {"Missing.PPT", "Note2.PPT"}) {
        SCOPED_TRACE(deck);
        leaveMainWindow();
        t.dialogs.shown.clear();
        play(QString::fromLatin1(deck));
        ASSERT_EQ(t.dialogs.shown.size(), 1);
        EXPECT_EQ(t.dialogs.shown[0].title, MainWindow::kNoticeTitle);
        EXPECT_TRUE(t.dialogs.shown[0].text.contains(QString::fromLatin1(deck)));
        EXPECT_EQ(t.dialogs.shown[0].folder, t.program->dataFolder()) << "it offers the deck's folder";
        EXPECT_TRUE(t.dialogs.shown[0].text.contains(t.presentations.latest->errorText()))
            << "the engine's reason, in its words";
        EXPECT_TRUE(mainWindowIsBack());
        EXPECT_EQ(t.presentations.runningShows(), 0);
    }
    show().close();
    EXPECT_EQ(t.presentations.alive, 0);
}

TEST_F(InstructionShowWindows, AConversionIsWaitedForWithANoticeAndTheCountdownInView)
{
    t.presentations.unconverted.insert(QStringLiteral("Note1.PPT"));
    play(QStringLiteral("Note1.PPT"));
    DeckConversionNotice* shown = notice();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->text().contains(QStringLiteral("Note1.PPT")));
    EXPECT_TRUE(mainWindowIsBack()) << "the countdown stays in view while the deck converts";
    EXPECT_TRUE(show().isPreparing());
    EXPECT_EQ(t.presentations.runningShows(), 0);

    t.presentations.finishConversions();
    EXPECT_EQ(notice(), nullptr);
    EXPECT_EQ(t.presentations.runningShows(), 1);
    EXPECT_NEAR(t.main().heightTwips(), MainWindow::kHelpHeight, 15);
    EXPECT_FALSE(show().isPreparing());
}

TEST_F(InstructionShowWindows, CancellingTheConversionClosesTheShowAndLeavesTheMainWindow)
{
    t.presentations.unconverted.insert(QStringLiteral("Note1.PPT"));
    play(QStringLiteral("Note1.PPT"));
    DeckConversionNotice* shown = notice();
    ASSERT_NE(shown, nullptr);
    const int taskbar = t.windows.taskbarShown;
    shown->findChild<QPushButton*>(QStringLiteral("CancelConversion"))->click();
    EXPECT_EQ(notice(), nullptr);
    EXPECT_FALSE(show().isOpen());
    EXPECT_EQ(t.presentations.conversionsCancelled, 1);
    EXPECT_EQ(t.presentations.alive, 0);
    EXPECT_EQ(t.windows.taskbarShown, taskbar + 1);
    EXPECT_TRUE(mainWindowIsBack());
    EXPECT_TRUE(t.dialogs.shown.isEmpty()) << "a cancel is no failure";
}

TEST_F(InstructionShowWindows, ACloseBringsBackTheTaskbarAndTheMainWindow)
{
    play(QStringLiteral("Note1.PPT"));
    leaveMainWindow();
    const int taskbar = t.windows.taskbarShown;
    show().close();
    EXPECT_EQ(t.windows.taskbarShown, taskbar + 1);
    EXPECT_TRUE(mainWindowIsBack());
    EXPECT_EQ(t.presentations.alive, 0);
}

TEST_F(InstructionShowWindows, ExitWhileAShowRunsOrConvertsClosesIt)
{
    for (const bool converting : {false, true}) {
        SCOPED_TRACE(converting ? "converting" : "running");
        TestProgram fresh;
        fresh.presentations.decks[QStringLiteral("Note1.PPT")] = 6;
        if (converting)
            fresh.presentations.unconverted.insert(QStringLiteral("Note1.PPT"));
        fresh.start();
        fresh.program->instructionShow().play(QStringLiteral("Note1.PPT"));
        TestProgram::settle();
        fresh.dialogs.answerNext(Answer::Yes);
        MainWindowControls(fresh.main()).exitButton()->click();
        TestProgram::settle();
        EXPECT_EQ(fresh.quitCode, 0);
        EXPECT_EQ(fresh.presentations.log.last(), "quit Note1.PPT");
        EXPECT_EQ(fresh.presentations.alive, 0);
        EXPECT_EQ(fresh.presentations.conversionsCancelled, converting ? 1 : 0);
        EXPECT_FALSE(fresh.program->instructionShow().isOpen());
        EXPECT_EQ(notice(), nullptr);
    }
}

} // namespace
