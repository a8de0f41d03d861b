#include "models/draw/InstructionShow.h"

#include "platform/VirtualTimerDriver.h"
#include "support/FakePresentation.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class InstructionShowTest : public ::testing::Test {
protected:
    InstructionShowTest() : show(timers, presentations.factory(), dataDir.path())
    {
        presentations.decks[QStringLiteral("Note1.PPT")] = 6;
        presentations.decks[QStringLiteral("Note2.PPT")] = 5;
        QObject::connect(&show, &InstructionShow::started, [this] {
            heard << QStringLiteral("started ") + show.deck() + (show.isOpen() ? " open" : " closed");
        });
        QObject::connect(&show, &InstructionShow::closed,
                         [this] { heard << QString::fromLatin1(show.isOpen() ? "closed open" : "closed"); });
    }

    VirtualTimerDriver timers;
    FakePresentations presentations;
    QTemporaryDir dataDir;
    InstructionShow show;
    QStringList heard;
};

TEST_F(InstructionShowTest, PlayRunsTheDeckAndCloseQuitsItOnce)
{
    EXPECT_TRUE(show.isAvailable());
    show.play(QStringLiteral("Note1.PPT"));
    EXPECT_EQ(presentations.log, QStringList({"open Note1.PPT", "run Note1.PPT"}));
    EXPECT_TRUE(show.isOpen());
    EXPECT_EQ(show.deck(), "Note1.PPT");
    EXPECT_EQ(show.presentation(), presentations.latest);
    EXPECT_EQ(heard, QStringList{"started Note1.PPT open"});

    show.close();
    EXPECT_EQ(presentations.log.count("quit Note1.PPT"), 1);
    EXPECT_EQ(presentations.alive, 0);
    EXPECT_EQ(show.presentation(), nullptr);
    EXPECT_FALSE(show.isOpen());
    EXPECT_EQ(heard, QStringList({"started Note1.PPT open", "closed"}));
}

TEST_F(InstructionShowTest, TwoDecksNeverRunTogether)
{
    show.play(QStringLiteral("Note1.PPT"));
    show.play(QStringLiteral("Note2.PPT"));
    EXPECT_EQ(presentations.log, QStringList({"open Note1.PPT", "run Note1.PPT", "quit Note1.PPT",
                                              "open Note2.PPT", "run Note2.PPT"}));
    EXPECT_EQ(presentations.runningShows(), 1);
    EXPECT_EQ(presentations.alive, 1);
    EXPECT_EQ(heard, QStringList({"started Note1.PPT open", "closed", "started Note2.PPT open"}));
}

TEST_F(InstructionShowTest, AMissingDeckLeavesTheShowOpenUntilTheCloseReleasesTheEngine)
{
    presentations.decks.remove(QStringLiteral("Note2.PPT"));
    show.play(QStringLiteral("Note2.PPT"));
    EXPECT_TRUE(show.isOpen());
    EXPECT_EQ(presentations.runningShows(), 0);
    EXPECT_EQ(presentations.alive, 1) << "the engine stays until the close";
    EXPECT_EQ(heard, QStringList{"started Note2.PPT open"});

    show.close();
    EXPECT_EQ(presentations.alive, 0);
    EXPECT_FALSE(show.isOpen());
}

TEST_F(InstructionShowTest, TheDeckIsFoundWhateverTheCaseOfItsName)
{
    presentations.decks.clear();
    presentations.decks[QStringLiteral("note1.ppt")] = 3;
    QFile file(dataDir.filePath(QStringLiteral("note1.ppt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    show.play(QStringLiteral("Note1.PPT"));
    EXPECT_EQ(presentations.runningShows(), 1);
}

TEST_F(InstructionShowTest, EndingTheSlidesByHandLeavesTheShowOpenUntilTheClose)
{
    show.play(QStringLiteral("Note1.PPT"));
    presentations.endShowsByUser();
    timers.advance(500);
    EXPECT_TRUE(show.isOpen());
    show.close();
    EXPECT_EQ(presentations.alive, 0);
    EXPECT_FALSE(show.isOpen());
}

TEST(InstructionShowWithoutEngine, IsNotAvailable)
{
    VirtualTimerDriver timers;
    InstructionShow show(timers, {}, QString());
    EXPECT_FALSE(show.isAvailable());
    EXPECT_EQ(show.presentation(), nullptr);
}

} // namespace
