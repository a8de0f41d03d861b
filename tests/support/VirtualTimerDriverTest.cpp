#include "support/VirtualTimerDriver.h"

#include <QObject>
#include <gtest/gtest.h>
#include <vector>

TEST(VirtualTimerDriver, FiresDueTimersInTimeOrder)
{
    VirtualTimerDriver driver;
    QObject owner;
    std::vector<QString> log;
    Timer fast(driver, "fast", 300, TickPolicy::Pacing, &owner);
    Timer slow(driver, "slow", 1000, TickPolicy::Counting, &owner);
    fast.onTick([&] { log.push_back(QString("fast@%1").arg(driver.nowMs())); });
    slow.onTick([&] { log.push_back(QString("slow@%1").arg(driver.nowMs())); });
    fast.setEnabled(true);
    slow.setEnabled(true);

    driver.advance(1000);
    EXPECT_EQ(log, (std::vector<QString>{"fast@300", "fast@600", "fast@900", "slow@1000"}));
}

TEST(VirtualTimerDriver, EnablingStartsAFreshIntervalAndDisablingStops)
{
    VirtualTimerDriver driver;
    QObject owner;
    int ticks = 0;
    Timer t(driver, "t", 100, TickPolicy::Pacing, &owner);
    t.onTick([&] { ++ticks; });
    t.setEnabled(true);
    driver.advance(250);
    EXPECT_EQ(ticks, 2);
    t.setEnabled(false);
    driver.advance(1000);
    EXPECT_EQ(ticks, 2);
    t.setEnabled(true); // fresh interval from 1250
    driver.advance(99);
    EXPECT_EQ(ticks, 2);
    driver.advance(1);
    EXPECT_EQ(ticks, 3);
    // Turning on a running timer does not restart it.
    driver.advance(50);
    t.setEnabled(true);
    driver.advance(50);
    EXPECT_EQ(ticks, 4);
}

TEST(VirtualTimerDriver, HandlerThatStopsItselfAndNestedAdvance)
{
    VirtualTimerDriver driver;
    QObject owner;
    int outer = 0, inner = 0;
    Timer other(driver, "other", 100, TickPolicy::Pacing, &owner);
    Timer self(driver, "self", 1000, TickPolicy::Pacing, &owner);
    other.onTick([&] { ++inner; });
    self.onTick([&] {
        ++outer;
        // A question that stays open for 500 ms: the other timer goes on, this one is not re-entered.
        driver.advance(1500);
        self.setEnabled(false);
    });
    other.setEnabled(true);
    self.setEnabled(true);
    driver.advance(1000);
    EXPECT_EQ(outer, 1);
    EXPECT_EQ(inner, 25);
    EXPECT_EQ(driver.nowMs(), 2500);
}

TEST(VirtualTimerDriver, ASleepTellsCatchingUpTimersTheirMissedTicksAtOnce)
{
    VirtualTimerDriver driver;
    QObject owner;
    std::vector<qint64> woken;
    int counted = 0, replayed = 0, paced = 0;
    Timer catching(driver, "catching", 100, TickPolicy::Counting, &owner);
    Timer replaying(driver, "replaying", 100, TickPolicy::Counting, &owner);
    Timer pacing(driver, "pacing", 100, TickPolicy::Pacing, &owner);
    catching.onTick([&] { ++counted; });
    catching.onWake([&](qint64 missed) { woken.push_back(missed); });
    replaying.onTick([&] { ++replayed; });
    pacing.onTick([&] { ++paced; });
    for (Timer* t : {&catching, &replaying, &pacing})
        t->setEnabled(true);
    driver.advance(250);

    driver.suspend(1000); // asleep from 250 to 1250: ticks due at 300 ... 1200
    EXPECT_EQ(driver.nowMs(), 1250);
    EXPECT_EQ(woken, std::vector<qint64>{10});
    EXPECT_EQ(counted, 2);
    EXPECT_EQ(replayed, 12);
    EXPECT_EQ(paced, 3);

    // All three are back on their schedule.
    driver.advance(50);
    EXPECT_EQ(counted, 3);
    EXPECT_EQ(replayed, 13);
    EXPECT_EQ(paced, 4);
}

TEST(VirtualTimerDriver, AfterAStallEveryCountingTickRunsOnTheClockAsItStandsAndPacingTicksOnce)
{
    // As the real driver after a blocked loop: no wake-up call, the missed ticks in a burst, late.
    VirtualTimerDriver driver;
    QObject owner;
    std::vector<qint64> counted;
    int woken = 0, paced = 0;
    Timer counting(driver, "counting", 100, TickPolicy::Counting, &owner);
    Timer pacing(driver, "pacing", 100, TickPolicy::Pacing, &owner);
    counting.onTick([&] { counted.push_back(driver.nowMs()); });
    counting.onWake([&](qint64) { ++woken; });
    pacing.onTick([&] { ++paced; });
    counting.setEnabled(true);
    pacing.setEnabled(true);
    driver.advance(250);

    driver.stall(1000); // stood still from 250 to 1250: ticks due at 300 ... 1200
    EXPECT_EQ(driver.nowMs(), 1250);
    EXPECT_EQ(woken, 0);
    std::vector<qint64> expected{100, 200};
    expected.insert(expected.end(), 10, 1250);
    EXPECT_EQ(counted, expected);
    EXPECT_EQ(paced, 3);
    driver.advance(50);
    EXPECT_EQ(counted.size(), 13u);
    EXPECT_EQ(paced, 4);
}

TEST(VirtualTimerDriver, AStoppedTimerSleepsThroughAndAShortSleepMissesNothing)
{
    VirtualTimerDriver driver;
    QObject owner;
    int woken = 0, ticks = 0;
    Timer t(driver, "t", 1000, TickPolicy::Counting, &owner);
    t.onTick([&] { ++ticks; });
    t.onWake([&](qint64) { ++woken; });
    t.setEnabled(true);
    driver.advance(200);
    driver.suspend(500);
    EXPECT_EQ(woken, 0);
    driver.advance(300);
    EXPECT_EQ(ticks, 1);

    t.setEnabled(false);
    driver.suspend(60'000);
    EXPECT_EQ(woken, 0);
    EXPECT_EQ(ticks, 1);
}
