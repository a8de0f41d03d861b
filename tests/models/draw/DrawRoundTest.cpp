#include "models/draw/DrawRound.h"

#include "models/draw/RandomSource.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <vector>

namespace {

// A deterministic source whose clock moves on every reading, as the real one does between attempts.
RandomSource ticking(std::uint64_t seed)
{
    auto tick = std::make_shared<std::uint64_t>(0);
    return RandomSource(seed, [tick] { return ++*tick; });
}

} // namespace

TEST(DrawRound, ARoundDrawsEveryEntryOnceInTheOrderItRecords)
{
    RandomSource random = ticking(1);
    DrawRound round(random);
    round.start(6);
    EXPECT_EQ(round.remaining(), 6);
    EXPECT_TRUE(round.drawn().empty());
    EXPECT_EQ(round.lastDrawn(), 0);
    EXPECT_FALSE(round.isOpen()) << "nothing drawn yet: leaving loses nothing";
    EXPECT_FALSE(round.isOver());

    std::vector<int> returned;
    for (int i = 1; i <= 6; ++i) {
        returned.push_back(round.draw());
        EXPECT_EQ(round.lastDrawn(), returned.back());
        EXPECT_EQ(round.drawnCount(), i);
        EXPECT_EQ(round.remaining(), 6 - i);
        EXPECT_FALSE(round.pot().holds(returned.back()));
        EXPECT_EQ(round.isOpen(), i < 6) << i;
        EXPECT_EQ(round.isOver(), i == 6) << i;
    }
    EXPECT_EQ(round.drawn(), returned);
    std::vector<int> sorted = returned;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<int>{1, 2, 3, 4, 5, 6}));

    // An over round draws nothing more and keeps its record for the display.
    EXPECT_EQ(round.draw(), 0);
    EXPECT_EQ(round.drawn(), returned);
}

TEST(DrawRound, TheNextRoundStartsEmptyOverTheSameCount)
{
    RandomSource random = ticking(2);
    DrawRound round(random);
    round.start(3);
    round.draw();
    ASSERT_TRUE(round.isOpen());
    round.restart();
    EXPECT_DOUBLE_EQ(round.count(), 3);
    EXPECT_EQ(round.remaining(), 3);
    EXPECT_TRUE(round.drawn().empty());
    EXPECT_FALSE(round.isOpen());

    // A different count replaces the old one.
    round.start(4);
    std::set<int> seen;
    while (!round.isOver())
        seen.insert(round.draw());
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4}));
}

TEST(DrawRound, DrawsFollowTheRuleRetryingWhileTheEntryIsOut)
{
    // k = floor(n x r + 1), the clock mixed in before every attempt, again while k is already out: a
    // twin source fed the same seed and clock must name the same entries.
    const int n = 7;
    RandomSource random = ticking(3);
    RandomSource twin = ticking(3);
    DrawRound round(random);
    round.start(n);
    std::set<int> out;
    while (!round.isOver()) {
        int k = 0;
        do {
            twin.mixClock();
            k = int(std::floor(n * twin.next() + 1));
        } while (out.count(k) != 0);
        out.insert(k);
        ASSERT_EQ(round.draw(), k);
    }
}

TEST(DrawRound, RollingNamesAnyEntryAndTakesNoneOut)
{
    RandomSource random = ticking(4);
    DrawRound round(random);
    round.start(5);
    round.draw();
    std::set<int> rolled;
    for (int i = 0; i < 300; ++i) {
        const int k = round.roll();
        ASSERT_GE(k, 1);
        ASSERT_LE(k, 5);
        rolled.insert(k);
    }
    EXPECT_EQ(rolled.size(), 5u) << "drawn entries still roll by";
    EXPECT_EQ(round.remaining(), 4);
    EXPECT_EQ(round.drawnCount(), 1);
}

TEST(DrawRound, AFractionalCountDrawsItsWholeEntries)
{
    RandomSource random = ticking(5);
    DrawRound round(random);
    for (int i = 0; i < 50; ++i) {
        round.start(2.5);
        std::vector<int> order{round.draw(), round.draw()};
        std::sort(order.begin(), order.end());
        ASSERT_EQ(order, (std::vector<int>{1, 2}));
        ASSERT_TRUE(round.isOver());
    }
}
