#include "platform/RealTimerDriver.h"
#include "platform/VirtualTimerDriver.h"

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
