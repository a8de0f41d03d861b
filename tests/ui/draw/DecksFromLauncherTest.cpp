#include "DrawTestSupport.h"
#include "platform/Timer.h"
#include "support/TestProgram.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/draw/SlideDraw.h"
#include "ui/main/MainWindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// The decks reached as a teacher does: through the main window's 抽签 and the launcher's buttons.
class DecksFromLauncher : public ::testing::Test {
protected:
    DecksFromLauncher()
    {
        t.presentations.decks[QStringLiteral("Note1.PPT")] = 6;
        t.presentations.decks[QStringLiteral("Note2.PPT")] = 6;
        t.presentations.decks[QStringLiteral("MYPPT.ppt")] = 30;
        t.start();
    }

    DrawLauncher& launcher()
    {
        MainWindowControls(t.main()).drawButton()->click();
        auto* form = t.program->loaded<DrawLauncher>();
        EXPECT_NE(form, nullptr);
        return *form;
    }

    TestProgram t;
};

TEST_F(DecksFromLauncher, TheTwoInstructionDecksNeverRunTogether)
{
    LauncherControls(&launcher()).deckOne->click();
    TestProgram::settle();
    EXPECT_TRUE(t.program->instructionShow().isOpen());
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_TRUE(MainWindowControls(t.main()).trackingTimer()->isEnabled());

    LauncherControls(&launcher()).deckTwo->click();
    TestProgram::settle();
    EXPECT_EQ(t.presentations.log, QStringList({"open Note1.PPT", "run Note1.PPT", "quit Note1.PPT",
                                                "open Note2.PPT", "run Note2.PPT"}));
    EXPECT_EQ(t.presentations.runningShows(), 1);
    EXPECT_EQ(t.presentations.alive, 1);
    EXPECT_TRUE(t.program->instructionShow().isOpen());
    EXPECT_EQ(t.program->instructionShow().presentation(), t.presentations.latest);
}

TEST_F(DecksFromLauncher, TheSlideDrawClosesARunningInstructionShowFirst)
{
    LauncherControls(&launcher()).deckOne->click();
    TestProgram::settle();
    LauncherControls(&launcher()).slideDraw->click();
    TestProgram::settle();
    EXPECT_EQ(t.presentations.log, QStringList({"open Note1.PPT", "run Note1.PPT", "quit Note1.PPT",
                                                "open MYPPT.ppt", "run MYPPT.ppt"}));
    EXPECT_FALSE(t.program->instructionShow().isOpen());
    EXPECT_EQ(t.program->instructionShow().presentation(), nullptr);
    auto* draw = t.program->loaded<SlideDraw>();
    ASSERT_NE(draw, nullptr);
    EXPECT_TRUE(draw->isVisible());
    EXPECT_FALSE(t.main().isVisible());

    control<QPushButton>(draw, "Command3")->click(); // 准备
    t.advance(50);
    control<QPushButton>(draw, "Command4")->click(); // 抽签
    t.advance(0);
    EXPECT_TRUE(control<QLineEdit>(draw, "Text1")->text().endsWith("/30"));
    control<QPushButton>(draw, "Command1")->click(); // 退出
    TestProgram::settle();
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_TRUE(MainWindowControls(t.main()).trackingTimer()->isEnabled());
    EXPECT_EQ(t.presentations.alive, 0);
}

} // namespace
