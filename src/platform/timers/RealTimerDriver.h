#pragma once

#include "platform/Timer.h"

#include <memory>
#include <unordered_map>
#include <vector>

class QSocketNotifier;

// Drives timers without drift on a clock that goes on while the machine sleeps (CLOCK_BOOTTIME): the
// k-th tick of a timer enabled at t0 is due at t0 + k * interval, whatever the time its handlers took.
// All timers share one timer file descriptor, set to the earliest due tick: a tick costs one wake-up
// and at most one re-arming, never a timer registered anew. When the event loop was blocked, a
// counting timer catches up on every missed tick in order; a pacing timer skips to the next due
// time. After a sleep (the boot-time clock jumped ahead of the monotonic one) a counting timer with
// a wake handler gets its missed ticks in one call instead.
class RealTimerDriver : public TimerDriver {
public:
    RealTimerDriver();
    ~RealTimerDriver() override;
    RealTimerDriver(const RealTimerDriver&) = delete;
    RealTimerDriver& operator=(const RealTimerDriver&) = delete;

    void start(Timer& timer) override;
    void stop(Timer& timer) override;
    void forget(Timer& timer) override;
    void yieldToEvents() override;
    qint64 nowMs() const override;

    // How often the wake-up has been set so far.
    quint64 armings() const { return armings_; }
    // Moves the driver's clock ahead as a resume from a sleep of that length would, without sleeping.
    void simulateSleepForTesting(qint64 ms);

private:
    struct Schedule {
        qint64 epochNs = 0;  // when the timer was enabled
        qint64 nextTick = 1; // number of the next tick due
        quint64 order = 0;   // ties between timers due at the same instant go by this
    };

    qint64 clockNs() const;
    qint64 dueNs(const Timer& timer, const Schedule& schedule) const;
    // The timer whose tick is due first, if it is due by limitNs.
    Timer* earliestDue(qint64 limitNs);
    void dispatch();
    void catchUpAfterSleep(qint64 nowNs);
    // Sets the wake-up to the earliest due tick (or clears it) unless it is set there already.
    void rearm();

    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::unordered_map<Timer*, Schedule> schedules_;
    qint64 originNs_ = 0;         // boot-time clock at construction
    qint64 simulatedSleepNs_ = 0; // added to the clock by simulateSleepForTesting()
    qint64 bootAheadNs_ = 0;      // how far the boot-time clock is ahead of the monotonic one
    qint64 armedNs_ = -1;         // the due time the wake-up is set to, -1 when clear
    quint64 nextOrder_ = 0;
    quint64 armings_ = 0;
};
