#include "platform/timers/RealTimerDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <gtest/gtest.h>
#include <vector>

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
