#include "models/draw/DrawRound.h"
#include "models/draw/RandomSource.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

RandomSource ticking(std::uint64_t seed)
{
    auto tick = std::make_shared<std::uint64_t>(0);
    return RandomSource(seed, [tick] { return ++*tick; });
}

} // namespace

TEST(RoundCorrections, AnAbsentPersonLeavesTheOrderAndIsNeverDrawnAgainInTheRound)
{
    RandomSource random = ticking(11);
    DrawRound round(random);
    round.start(5);
    const int first = round.draw();
    const int second = round.draw();
    ASSERT_TRUE(round.canMarkAbsent());
    ASSERT_TRUE(round.markLastAbsent());
    EXPECT_EQ(round.drawn(), std::vector<int>{first}) << "the next draw takes the absent one's place";
    EXPECT_EQ(round.absent(), std::vector<int>{second});
    EXPECT_FALSE(round.canMarkAbsent()) << "an absence corrects one draw, once";
    EXPECT_FALSE(round.markLastAbsent());
    EXPECT_EQ(round.remaining(), 3);

    std::set<int> rest;
    while (!round.isOver())
        rest.insert(round.draw());
    EXPECT_FALSE(rest.count(second));
    EXPECT_FALSE(rest.count(first));
    EXPECT_EQ(rest.size(), 3u);
    EXPECT_EQ(round.drawnCount(), 4) << "four present, one absent";
}

TEST(RoundCorrections, UndoPutsTheLastDrawBackIntoThePotAndItCanBeDrawnAgain)
{
    RandomSource random = ticking(12);
    DrawRound round(random);
    round.start(3);
    const int first = round.draw();
    const int second = round.draw();
    EXPECT_EQ(round.undoLast(), second);
    EXPECT_EQ(round.drawn(), std::vector<int>{first});
    EXPECT_TRUE(round.pot().holds(second));
    EXPECT_EQ(round.remaining(), 2);
    EXPECT_TRUE(round.canMarkAbsent()) << "the draw before is the last step again";

    std::vector<int> all{first};
    while (!round.isOver())
        all.push_back(round.draw());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<int>{1, 2, 3})) << "the undone entry is drawn in this round after all";
}

TEST(RoundCorrections, UndoTakesBackAnAbsenceWithItsDrawThenTheDrawsBefore)
{
    RandomSource random = ticking(13);
    DrawRound round(random);
    round.start(4);
    const int first = round.draw();
    const int second = round.draw();
    round.markLastAbsent();
    EXPECT_EQ(round.undoLast(), second);
    EXPECT_TRUE(round.absent().empty());
    EXPECT_EQ(round.drawn(), std::vector<int>{first});
    EXPECT_TRUE(round.pot().holds(second));
    EXPECT_EQ(round.undoLast(), first);
    EXPECT_TRUE(round.drawn().empty());
    EXPECT_EQ(round.remaining(), 4);
    EXPECT_EQ(round.undoLast(), 0) << "nothing left to take back";
    EXPECT_FALSE(round.canUndo());
    EXPECT_FALSE(round.canMarkAbsent());
}

TEST(RoundCorrections, ANewRoundForgetsTheCorrectionsOfTheLast)
{
    RandomSource random = ticking(14);
    DrawRound round(random);
    round.start(3);
    round.draw();
    round.markLastAbsent();
    round.restart();
    EXPECT_TRUE(round.absent().empty());
    EXPECT_FALSE(round.canUndo());
    EXPECT_EQ(round.remaining(), 3);
}

TEST(WeightedDraw, EveryEntryIsDrawnOnceAndHeavierEntriesComeEarlier)
{
    RandomSource random = ticking(15);
    // Entry 4 weighs 1000 times the others: it comes first nearly always, yet every entry is drawn.
    const std::vector<double> weights{1, 1, 1, 1000, 1};
    int fourFirst = 0;
    for (int trial = 0; trial < 200; ++trial) {
        DrawRound round(random);
        round.start(5);
        std::vector<int> order;
        while (!round.isOver())
            order.push_back(round.drawWeighted(weights));
        if (order.front() == 4)
            ++fourFirst;
        std::sort(order.begin(), order.end());
        ASSERT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5}));
    }
    EXPECT_GT(fourFirst, 190);
    EXPECT_LT(fourFirst, 200) << "the others keep a chance";
}

TEST(WeightedDraw, MissingOrBrokenWeightsLeaveNobodyOut)
{
    RandomSource random = ticking(16);
    const std::vector<double> weights{0, -3, std::numeric_limits<double>::quiet_NaN()};
    std::set<int> seen;
    DrawRound round(random);
    round.start(4); // entry 4 has no weight at all
    while (!round.isOver())
        seen.insert(round.drawWeighted(weights));
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(round.drawWeighted(weights), 0);
}
