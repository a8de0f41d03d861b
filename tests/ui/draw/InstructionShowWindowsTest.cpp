#include "DrawTestSupport.h"
#include "models/draw/InstructionShow.h"
#include "platform/Timer.h"
#include "support/TestProgram.h"
#include "ui/main/MainWindow.h"

#include <gtest/gtest.h>

namespace {

// The windows around the program's instruction show: the main window comes back over a started show
// and after a close, and the exit ends a running show.
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
        MainControls(&t.main()).trackingTimer->setEnabled(false);
        t.main().hide();
    }

    bool mainWindowIsBack()
    {
        return t.main().isVisible() && MainControls(&t.main()).trackingTimer->isEnabled();
    }

    InstructionShow& show() { return t.program->instructionShow(); }

    TestProgram t;
};

TEST_F(InstructionShowWindows, AStartedShowBringsTheMainWindowBackAtItsHelpHeight)
{
    show().play(QStringLiteral("Note1.PPT"));
    EXPECT_EQ(t.presentations.runningShows(), 1);
    EXPECT_TRUE(mainWindowIsBack());
    EXPECT_NEAR(t.main().heightTwips(), MainWindow::kHelpHeight, 15);
    EXPECT_TRUE(t.dialogs.shown.isEmpty());

    // A deck that cannot be opened says nothing and still brings the main window back.
    leaveMainWindow();
    show().play(QStringLiteral("Missing.PPT"));
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_TRUE(mainWindowIsBack());
}

TEST_F(InstructionShowWindows, ACloseBringsBackTheTaskbarAndTheMainWindow)
{
    show().play(QStringLiteral("Note1.PPT"));
    leaveMainWindow();
    const int taskbar = t.windows.taskbarShown;
    show().close();
    EXPECT_EQ(t.windows.taskbarShown, taskbar + 1);
    EXPECT_TRUE(mainWindowIsBack());
    EXPECT_EQ(t.presentations.alive, 0);
}

TEST_F(InstructionShowWindows, ExitWhileAShowRunsClosesIt)
{
    show().play(QStringLiteral("Note1.PPT"));
    t.dialogs.answerNext(Answer::Yes);
    MainControls(&t.main()).exitButton->click();
    TestProgram::settle();
    EXPECT_EQ(t.quitCode, 0);
    EXPECT_EQ(t.presentations.log.last(), "quit Note1.PPT");
    EXPECT_EQ(t.presentations.alive, 0);
    EXPECT_FALSE(show().isOpen());
}

} // namespace
