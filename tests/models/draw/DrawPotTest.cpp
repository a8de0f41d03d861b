#include "models/draw/DrawPot.h"

#include "models/draw/RandomSource.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <vector>

namespace {

// A deterministic source whose clock moves on every reading, as the real one does between attempts.
RandomSource seeded(std::uint64_t seed)
{
    auto tick = std::make_shared<std::uint64_t>(0);
    return RandomSource(seed, [tick] { return ++*tick; });
}

std::vector<int> wholeRound(DrawPot& pot, RandomSource& random)
{
    std::vector<int> order;
    while (!pot.isEmpty())
        order.push_back(pot.draw(random));
    return order;
}

// Pearson's statistic of observed counts against equal expectation.
double chiSquare(const std::vector<int>& observed)
{
    const double total = std::accumulate(observed.begin(), observed.end(), 0.0);
    const double expected = total / double(observed.size());
    double sum = 0;
    for (int o : observed)
        sum += (o - expected) * (o - expected) / expected;
    return sum;
}

} // namespace

TEST(DrawPot, FillHoldsEntriesOneToCountAndNothingElse)
{
    DrawPot pot;
    pot.fill(5);
    EXPECT_EQ(pot.remaining(), 5);
    for (int k = 1; k <= 5; ++k)
        EXPECT_TRUE(pot.holds(k)) << k;
    EXPECT_FALSE(pot.holds(0));
    EXPECT_FALSE(pot.holds(6));
    EXPECT_FALSE(pot.holds(-1));

    pot.take(3);
    EXPECT_FALSE(pot.holds(3));
    EXPECT_EQ(pot.remaining(), 4);

    // Refilling starts a new round with the full set.
    pot.fill(5);
    EXPECT_TRUE(pot.holds(3));

    pot.fill(250);
    EXPECT_EQ(pot.remaining(), DrawPot::kMaxEntries);
    EXPECT_FALSE(pot.holds(201));
}

TEST(DrawPot, EveryRoundFromTwoToTwoHundredIsAPermutation)
{
    RandomSource random = seeded(1);
    DrawPot pot;
    for (int n = 2; n <= DrawPot::kMaxEntries; ++n) {
        pot.fill(n);
        std::vector<int> order = wholeRound(pot, random);
        std::sort(order.begin(), order.end());
        std::vector<int> expected(static_cast<std::size_t>(n));
        std::iota(expected.begin(), expected.end(), 1);
        ASSERT_EQ(order, expected) << "N = " << n;
    }
}

TEST(DrawPot, AnEmptyPotAnswersZeroAtOnce)
{
    RandomSource random = seeded(2);
    DrawPot pot;
    EXPECT_EQ(pot.draw(random), 0);
    pot.fill(0.5);
    EXPECT_EQ(pot.draw(random), 0);
    pot.fill(2);
    wholeRound(pot, random);
    EXPECT_EQ(pot.draw(random), 0);
    EXPECT_EQ(pot.lastAttempts(), 0);
}

TEST(DrawPot, AFractionalCountDrawsItsWholeEntriesAndRetriesTheOvershoot)
{
    // 2.5 holds 1 and 2; the formula also names 3 (r >= 0.8), which is never in the pot.
    RandomSource random = seeded(3);
    DrawPot pot;
    int overshoots = 0;
    for (int round = 0; round < 200; ++round) {
        pot.fill(2.5);
        EXPECT_EQ(pot.remaining(), 2);
        std::vector<int> order = wholeRound(pot, random);
        overshoots += pot.lastAttempts() - 1;
        std::sort(order.begin(), order.end());
        ASSERT_EQ(order, (std::vector<int>{1, 2}));
    }
    EXPECT_GT(overshoots, 0);
}

TEST(DrawPot, TheLastOfTwoHundredIsFoundInABoundedNumberOfAttempts)
{
    RandomSource random = seeded(4);
    DrawPot pot;
    int worst = 0;
    long total = 0;
    const int rounds = 300;
    for (int round = 0; round < rounds; ++round) {
        pot.fill(200);
        for (int k = 1; k <= 199; ++k)
            pot.take((k * 37 + round) % 200 + 1);
        ASSERT_EQ(pot.remaining(), 1);
        const int left = [&] {
            for (int k = 1; k <= 200; ++k)
                if (pot.holds(k))
                    return k;
            return 0;
        }();
        ASSERT_EQ(pot.draw(random), left);
        worst = std::max(worst, pot.lastAttempts());
        total += pot.lastAttempts();
    }
    // One chance in 200 per attempt: about 200 attempts on average, a few thousand at the very worst.
    EXPECT_LT(worst, 4000);
    EXPECT_GT(double(total) / rounds, 130.0);
    EXPECT_LT(double(total) / rounds, 270.0);
}

TEST(DrawPot, FirstDrawAndEveryPositionAreUniform)
{
    // 99.9th percentile of chi-square with 9 degrees of freedom.
    const double critical = 27.88;
    const int n = 10;
    const int rounds = 20000;
    RandomSource random = seeded(5);
    DrawPot pot;
    std::vector<std::vector<int>> byPosition(std::size_t(n), std::vector<int>(std::size_t(n), 0));
    for (int round = 0; round < rounds; ++round) {
        pot.fill(n);
        const std::vector<int> order = wholeRound(pot, random);
        for (std::size_t position = 0; position < order.size(); ++position)
            ++byPosition[position][std::size_t(order[position] - 1)];
    }
    for (std::size_t position = 0; position < byPosition.size(); ++position)
        EXPECT_LT(chiSquare(byPosition[position]), critical) << "position " << position + 1;
}

TEST(DrawPot, FirstDrawOfTwoHundredIsUniform)
{
    // 99.9th percentile of chi-square with 199 degrees of freedom.
    const double critical = 267.0;
    RandomSource random = seeded(6);
    DrawPot pot;
    std::vector<int> counts(200, 0);
    for (int round = 0; round < 100000; ++round) {
        pot.fill(200);
        ++counts[std::size_t(pot.draw(random) - 1)];
    }
    EXPECT_LT(chiSquare(counts), critical);
}

TEST(DrawPot, AllSixOrdersOfThreeOccurEvenly)
{
    RandomSource random = seeded(7);
    DrawPot pot;
    std::map<std::vector<int>, int> orders;
    const int rounds = 6000;
    for (int round = 0; round < rounds; ++round) {
        pot.fill(3);
        ++orders[wholeRound(pot, random)];
    }
    ASSERT_EQ(orders.size(), 6u);
    std::vector<int> counts;
    for (const auto& [order, count] : orders)
        counts.push_back(count);
    // 99.9th percentile of chi-square with 5 degrees of freedom.
    EXPECT_LT(chiSquare(counts), 20.52);
}

TEST(PickNumber, StaysWithinOneToCountForWholeCounts)
{
    RandomSource random = seeded(8);
    for (int n : {2, 3, 7, 199, 200}) {
        std::vector<int> seen(std::size_t(n) + 2, 0);
        for (int i = 0; i < 20 * n; ++i) {
            const int k = pickNumber(n, random);
            ASSERT_GE(k, 1);
            ASSERT_LE(k, n);
            ++seen[std::size_t(k)];
        }
        EXPECT_EQ(std::count(seen.begin() + 1, seen.begin() + n + 1, 0), 0) << "N = " << n;
    }
}
