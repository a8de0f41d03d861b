#include "models/draw/InstructionShow.h"

#include "support/FakePresentation.h"
#include "support/VirtualTimerDriver.h"

#include <QCoreApplication>
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
        QObject::connect(&show, &InstructionShow::preparing,
                         [this](const QString& deck) { heard << QStringLiteral("preparing ") + deck; });
        QObject::connect(&show, &InstructionShow::failed,
                         [this](const QString& why) { heard << QStringLiteral("failed ") + why; });
    }

    // The deck opens from the event loop.
    void play(const QString& deck)
    {
        show.play(deck);
        QCoreApplication::processEvents();
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
    play(QStringLiteral("Note1.PPT"));
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
    play(QStringLiteral("Note1.PPT"));
    play(QStringLiteral("Note2.PPT"));
    EXPECT_EQ(presentations.log, QStringList({"open Note1.PPT", "run Note1.PPT", "quit Note1.PPT",
                                              "open Note2.PPT", "run Note2.PPT"}));
    EXPECT_EQ(presentations.runningShows(), 1);
    EXPECT_EQ(presentations.alive, 1);
    EXPECT_EQ(heard, QStringList({"started Note1.PPT open", "closed", "started Note2.PPT open"}));
}

TEST_F(InstructionShowTest, AMissingDeckLeavesTheShowOpenUntilTheCloseReleasesTheEngine)
{
    presentations.decks.remove(QStringLiteral("Note2.PPT"));
    play(QStringLiteral("Note2.PPT"));
    EXPECT_TRUE(show.isOpen());
    EXPECT_EQ(presentations.runningShows(), 0);
    EXPECT_EQ(presentations.alive, 1) << "the engine stays until the close";
    EXPECT_EQ(heard, QStringList({"started Note2.PPT open", "failed 找不到文件"}));

    show.close();
    EXPECT_EQ(presentations.alive, 0);
    EXPECT_FALSE(show.isOpen());
}

TEST_F(InstructionShowTest, ADeckToConvertFirstIsAnnouncedAndItsShowStartsWhenItIsReady)
{
    presentations.unconverted.insert(QStringLiteral("Note1.PPT"));
    play(QStringLiteral("Note1.PPT"));
    EXPECT_TRUE(show.isOpen());
    EXPECT_TRUE(show.isPreparing());
    EXPECT_EQ(presentations.runningShows(), 0);
    EXPECT_EQ(heard, QStringList{"preparing Note1.PPT"});

    presentations.finishConversions();
    EXPECT_FALSE(show.isPreparing());
    EXPECT_EQ(presentations.runningShows(), 1);
    EXPECT_EQ(heard, QStringList({"preparing Note1.PPT", "started Note1.PPT open"}));
}

TEST_F(InstructionShowTest, ACloseOrAnotherDeckAbandonsAConversionUnderWay)
{
    presentations.unconverted.insert(QStringLiteral("Note1.PPT"));
    presentations.unconverted.insert(QStringLiteral("Note2.PPT"));
    play(QStringLiteral("Note1.PPT"));
    play(QStringLiteral("Note2.PPT"));
    EXPECT_EQ(presentations.conversionsCancelled, 1);
    EXPECT_EQ(presentations.alive, 1);
    show.close();
    EXPECT_EQ(presentations.conversionsCancelled, 2);
    EXPECT_EQ(presentations.alive, 0);
    presentations.finishConversions();
    QCoreApplication::processEvents();
    EXPECT_EQ(heard, QStringList({"preparing Note1.PPT", "closed", "preparing Note2.PPT", "closed"}))
        << "nothing starts after the close";
    EXPECT_EQ(presentations.runningShows(), 0);
}

TEST_F(InstructionShowTest, TheDeckIsFoundWhateverTheCaseOfItsName)
{
    presentations.decks.clear();
    presentations.decks[QStringLiteral("note1.ppt")] = 3;
    QFile file(dataDir.filePath(QStringLiteral("note1.ppt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    play(QStringLiteral("Note1.PPT"));
    EXPECT_EQ(presentations.runningShows(), 1);
}

TEST_F(InstructionShowTest, EndingTheSlidesByHandLeavesTheShowOpenUntilTheClose)
{
    play(QStringLiteral("Note1.PPT"));
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
