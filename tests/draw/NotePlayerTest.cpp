#include "ui/draw/NotePlayer.h"

#include "DrawTestSupport.h"
#include "platform/Timer.h"
#include "support/TestProgram.h"
#include "ui/main/MainWindow.h"

#include <QMetaObject>
#include <gtest/gtest.h>

namespace {

class NotePlayerTest : public ::testing::Test {
protected:
    NotePlayerTest()
    {
        t.presentations.decks[QStringLiteral("Note1.PPT")] = 6;
        t.presentations.decks[QStringLiteral("Note2.PPT")] = 5;
        MainWindow& main = t.start();
        // As while the launcher is open.
        MainControls(&main).trackingTimer->setEnabled(false);
        main.hide();
    }

    // What the launcher's instruction buttons do.
    void play(const QString& deck)
    {
        t.program->instructionShow().setDeck(deck);
        ASSERT_TRUE(
            QMetaObject::invokeMethod(t.program->form(WindowKind::InstructionPlayer), "startNoteShow"));
    }

    // What the callers of the close do, through the same entry point.
    void close()
    {
        ASSERT_TRUE(
            QMetaObject::invokeMethod(t.program->form(WindowKind::InstructionPlayer), "closeNoteShow"));
        TestProgram::settle();
    }

    TestProgram t;
};

TEST_F(NotePlayerTest, StartRunsTheDeckAndBringsTheMainWindowBack)
{
    play(QStringLiteral("Note1.PPT"));
    EXPECT_EQ(t.presentations.log, QStringList({"open Note1.PPT", "run Note1.PPT"}));
    EXPECT_TRUE(t.program->instructionShow().isOpen());
    EXPECT_EQ(t.presentations.runningShows(), 1);
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_NEAR(t.main().heightTwips(), MainWindow::kHelpHeight, 15);
    EXPECT_TRUE(MainControls(&t.main()).trackingTimer->isEnabled());
    auto* player = t.program->loadedAs<NotePlayer>(WindowKind::InstructionPlayer);
    ASSERT_NE(player, nullptr);
    EXPECT_FALSE(player->isVisible()) << "the holder never shows itself";
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

TEST_F(NotePlayerTest, CloseQuitsTheShowOnceAndReturnsToTheMainWindow)
{
    play(QStringLiteral("Note1.PPT"));
    MainControls(&t.main()).trackingTimer->setEnabled(false);
    t.main().hide();

    close();
    // The close ran whole before control came back to the caller.
    EXPECT_EQ(t.presentations.log.count("quit Note1.PPT"), 1);
    EXPECT_EQ(t.presentations.alive, 0);
    EXPECT_FALSE(t.program->instructionShow().isOpen());
    EXPECT_FALSE(t.program->isLoaded(WindowKind::InstructionPlayer));
    EXPECT_EQ(t.windows.taskbarShown, 1);
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_TRUE(MainControls(&t.main()).trackingTimer->isEnabled());
}

TEST_F(NotePlayerTest, AMissingDeckSaysNothingAndTheNextCloseReleasesTheEngine)
{
    t.presentations.decks.remove(QStringLiteral("Note2.PPT"));
    play(QStringLiteral("Note2.PPT"));
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_TRUE(t.program->instructionShow().isOpen());
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_TRUE(MainControls(&t.main()).trackingTimer->isEnabled());
    EXPECT_EQ(t.presentations.runningShows(), 0);
    EXPECT_EQ(t.presentations.alive, 1) << "the engine stays until the close";

    close();
    EXPECT_EQ(t.presentations.alive, 0);
    EXPECT_FALSE(t.program->instructionShow().isOpen());
}

TEST_F(NotePlayerTest, TheDeckIsFoundWhateverTheCaseOfItsName)
{
    t.presentations.decks.clear();
    t.presentations.decks[QStringLiteral("note1.ppt")] = 3;
    QFile file(t.dataDir.filePath(QStringLiteral("note1.ppt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    play(QStringLiteral("Note1.PPT"));
    EXPECT_EQ(t.presentations.runningShows(), 1);
}

TEST_F(NotePlayerTest, EndingTheShowByHandLeavesTheStateUntilTheClose)
{
    play(QStringLiteral("Note1.PPT"));
    t.presentations.endShowsByUser();
    t.advance(500);
    EXPECT_TRUE(t.program->instructionShow().isOpen());
    close();
    EXPECT_EQ(t.presentations.alive, 0);
    EXPECT_FALSE(t.program->instructionShow().isOpen());
}

TEST_F(NotePlayerTest, ExitWhileAShowRunsClosesIt)
{
    play(QStringLiteral("Note1.PPT"));
    t.dialogs.answerNext(Answer::Yes);
    MainControls(&t.main()).exitButton->click();
    TestProgram::settle();
    EXPECT_EQ(t.quitCode, 0);
    EXPECT_EQ(t.presentations.log.last(), "quit Note1.PPT");
    EXPECT_EQ(t.presentations.alive, 0);
}

} // namespace
