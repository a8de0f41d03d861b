#include "models/draw/RandomSource.h"

#include <gtest/gtest.h>
#include <set>

namespace {

RandomSource::Clock frozenClock()
{
    return [] { return std::uint64_t(1234567); };
}

} // namespace

TEST(RandomSource, ValuesStayInTheHalfOpenUnitInterval)
{
    RandomSource random(7, frozenClock());
    double lowest = 1, highest = 0;
    for (int i = 0; i < 100000; ++i) {
        const double r = random.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_LT(lowest, 0.001);
    EXPECT_GT(highest, 0.999);
}

TEST(RandomSource, MixingAFrozenClockNeverRestartsTheSequence)
{
    // Within one clock reading every mix must leave the sequence going on, or the rejection loop
    // of a draw would see the same number over and over.
    RandomSource random(11, frozenClock());
    std::set<double> seen;
    for (int i = 0; i < 1000; ++i) {
        random.mixClock();
        seen.insert(random.next());
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(RandomSource, TheClockAddsToTheSeededStateInsteadOfReplacingIt)
{
    std::uint64_t tick = 0;
    auto sharedClock = [&tick] { return tick; };
    RandomSource a(1, sharedClock);
    RandomSource b(2, sharedClock);
    int equal = 0;
    for (tick = 0; tick < 200; ++tick) {
        a.mixClock();
        b.mixClock();
        equal += a.next() == b.next() ? 1 : 0;
    }
    EXPECT_EQ(equal, 0);
}

TEST(RandomSource, ANewClockReadingChangesWhatComesNext)
{
    std::uint64_t tick = 5;
    RandomSource mixed(3, [&tick] { return tick; });
    RandomSource plain(3, [] { return std::uint64_t(5); });
    mixed.mixClock();
    plain.mixClock();
    EXPECT_EQ(mixed.next(), plain.next());
    tick = 6;
    mixed.mixClock();
    plain.mixClock();
    EXPECT_NE(mixed.next(), plain.next());
}

TEST(RandomSource, AFixedSeedRepeatsAndTheSharedSourceIsSeededOnce)
{
    RandomSource a(42, frozenClock());
    RandomSource b(42, frozenClock());
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(a.nextBits(), b.nextBits());

    EXPECT_EQ(&RandomSource::shared(), &RandomSource::shared());
    RandomSource fixed(42, frozenClock());
    EXPECT_NE(RandomSource::shared().nextBits(), fixed.nextBits());
}
