#include "platform/Timer.h"
#include "support/TestProgram.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/draw/NotePlayer.h"
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
        t.main().Command5->click();
        auto* form = t.program->loadedAs<DrawLauncher>(WindowKind::DrawLauncher);
        EXPECT_NE(form, nullptr);
        return *form;
    }

    TestProgram t;
};

TEST_F(DecksFromLauncher, TheTwoInstructionDecksNeverRunTogether)
{
    launcher().Command1->click();
    EXPECT_TRUE(t.program->instructionShow().isOpen());
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_TRUE(t.main().Timer2->isEnabled());

    launcher().Command2->click();
    TestProgram::settle();
    EXPECT_EQ(t.presentations.log, QStringList({"open Note1.PPT", "run Note1.PPT", "quit Note1.PPT",
                                                "open Note2.PPT", "run Note2.PPT"}));
    EXPECT_EQ(t.presentations.runningShows(), 1);
    EXPECT_EQ(t.presentations.alive, 1);
    EXPECT_TRUE(t.program->instructionShow().isOpen());
    auto* player = t.program->loadedAs<NotePlayer>(WindowKind::InstructionPlayer);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->presentation(), t.presentations.latest);
}

TEST_F(DecksFromLauncher, TheSlideDrawClosesARunningInstructionShowFirst)
{
    launcher().Command1->click();
    launcher().Command12->click();
    TestProgram::settle();
    EXPECT_EQ(t.presentations.log, QStringList({"open Note1.PPT", "run Note1.PPT", "quit Note1.PPT",
                                                "open MYPPT.ppt", "run MYPPT.ppt"}));
    EXPECT_FALSE(t.program->instructionShow().isOpen());
    EXPECT_FALSE(t.program->isLoaded(WindowKind::InstructionPlayer));
    auto* draw = t.program->loadedAs<SlideDraw>(WindowKind::SlideDraw);
    ASSERT_NE(draw, nullptr);
    EXPECT_TRUE(draw->isVisible());
    EXPECT_FALSE(t.main().isVisible());

    draw->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    t.advance(50);
    draw->findChild<QPushButton*>(QStringLiteral("Command4"))->click();
    EXPECT_TRUE(draw->findChild<QLineEdit*>(QStringLiteral("Text1"))->text().endsWith("/30"));
    draw->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    TestProgram::settle();
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_TRUE(t.main().Timer2->isEnabled());
    EXPECT_EQ(t.presentations.alive, 0);
}

} // namespace
