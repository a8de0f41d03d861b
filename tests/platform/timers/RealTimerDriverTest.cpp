#include "platform/timers/RealTimerDriver.h"
#include "support/VirtualTimerDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QThread>
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

namespace {
// Blocks the event loop, as a slow call into another program would.
void blockFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QThread::msleep(5);
}

void runEventsFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}
} // namespace

TEST(RealTimerDriver, CountingTimerCatchesUpAfterABlockedLoopPacingTimerSkips)
{
    RealTimerDriver driver;
    QObject owner;
    std::vector<qint64> counting;
    int pacing = 0;
    Timer count(driver, "count", 50, TickPolicy::Counting, &owner);
    Timer pace(driver, "pace", 50, TickPolicy::Pacing, &owner);
    count.onTick([&] { counting.push_back(driver.nowMs()); });
    pace.onTick([&] { ++pacing; });
    const qint64 start = driver.nowMs();
    count.setEnabled(true);
    pace.setEnabled(true);
    blockFor(520);
    runEventsFor(20);
    // Ten ticks fell due while blocked; all of them ran as soon as the loop was free again.
    EXPECT_GE(counting.size(), 10u);
    EXPECT_LE(pacing, 2);
    runEventsFor(300);
    count.setEnabled(false);
    pace.setEnabled(false);
    const qint64 elapsed = counting.back() - start;
    // No tick is lost and none is invented: the count matches the clock.
    EXPECT_NEAR(double(counting.size()), double(elapsed) / 50.0, 1.0);
}

TEST(RealTimerDriver, StoppedTimerDoesNotFire)
{
    RealTimerDriver driver;
    QObject owner;
    int ticks = 0;
    Timer t(driver, "t", 20, TickPolicy::Pacing, &owner);
    t.onTick([&] {
        ++ticks;
        t.setEnabled(false);
    });
    t.setEnabled(true);
    runEventsFor(150);
    EXPECT_EQ(ticks, 1);
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

TEST(RealTimerDriver, TicksAreNeverEarlyAndEachCostsOneSettingOfTheWakeUp)
{
    RealTimerDriver driver;
    QObject owner;
    std::vector<qint64> at;
    Timer t(driver, "t", 30, TickPolicy::Counting, &owner);
    t.onTick([&] {
        at.push_back(driver.nowMs());
        blockFor(8); // work in the handler does not push the schedule back
    });
    const qint64 start = driver.nowMs();
    const quint64 armingsBefore = driver.armings();
    t.setEnabled(true);
    runEventsFor(620);
    t.setEnabled(false);
    ASSERT_GE(at.size(), 10u);
    for (size_t k = 0; k < at.size(); ++k)
        EXPECT_GE(at[k], start + qint64(k + 1) * 30 - 1) << "tick " << k + 1;
    // Not a timer registered per tick: one setting of the shared wake-up per tick, one to start and
    // one to stop.
    EXPECT_LE(driver.armings() - armingsBefore, at.size() + 2);
    EXPECT_NEAR(double(at.size()), double(at.back() - start) / 30.0, 1.0);
}

TEST(RealTimerDriver, OtherTimersRunWhileAHandlerWaitsInANestedLoop)
{
    RealTimerDriver driver;
    QObject owner;
    int outer = 0, inner = 0;
    Timer other(driver, "other", 20, TickPolicy::Pacing, &owner);
    Timer self(driver, "self", 50, TickPolicy::Counting, &owner);
    other.onTick([&] { ++inner; });
    self.onTick([&] {
        ++outer;
        // A question that stays open for 300 ms.
        runEventsFor(300);
        self.setEnabled(false);
    });
    other.setEnabled(true);
    self.setEnabled(true);
    runEventsFor(400);
    other.setEnabled(false);
    EXPECT_EQ(outer, 1);
    EXPECT_GE(inner, 8);
}

TEST(RealTimerDriver, AfterASleepCatchingUpTimersAreToldPacingOnesTickOnce)
{
    RealTimerDriver driver;
    QObject owner;
    std::vector<qint64> woken;
    int counted = 0, paced = 0;
    Timer catching(driver, "catching", 100, TickPolicy::Counting, &owner);
    Timer pacing(driver, "pacing", 100, TickPolicy::Pacing, &owner);
    catching.onTick([&] { ++counted; });
    catching.onWake([&](qint64 missed) { woken.push_back(missed); });
    pacing.onTick([&] { ++paced; });
    const qint64 start = driver.nowMs();
    catching.setEnabled(true);
    pacing.setEnabled(true);
    runEventsFor(250);
    const int countedBefore = counted, pacedBefore = paced;
    ASSERT_GE(countedBefore, 1);

    driver.simulateSleepForTesting(3000);
    runEventsFor(30);
    ASSERT_EQ(woken.size(), 1u);
    EXPECT_GE(woken[0], 28);
    EXPECT_LE(counted - countedBefore, 1) << "no burst of ticks";
    EXPECT_LE(paced - pacedBefore, 1);

    // Back on the clock: every tick, told or run, matches the time that passed.
    runEventsFor(300);
    catching.setEnabled(false);
    pacing.setEnabled(false);
    EXPECT_NEAR(double(counted + woken[0]), double(driver.nowMs() - start) / 100.0, 1.5);
    EXPECT_EQ(woken.size(), 1u);
}
