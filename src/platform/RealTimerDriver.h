#pragma once

#include "platform/Timer.h"

#include <QElapsedTimer>
#include <QTimer>
#include <memory>
#include <unordered_map>

// Drives timers on the monotonic clock without drift: the k-th tick of a timer enabled at t0 is due
// at t0 + k * interval, whatever the time its handlers took. When the event loop was blocked, a
// counting timer catches up on every missed tick in order; a pacing timer skips to the next due time.
class RealTimerDriver : public TimerDriver {
public:
    RealTimerDriver();
    ~RealTimerDriver() override;

    void start(Timer& timer) override;
    void stop(Timer& timer) override;
    void forget(Timer& timer) override;
    void yieldToEvents() override;
    qint64 nowMs() const override;

private:
    struct Schedule {
        qint64 epochNs = 0;  // when the timer was enabled
        qint64 nextTick = 1; // number of the next tick due
        QTimer wakeup;
        quint64 generation = 0;
    };
    void arm(Timer& timer, Schedule& schedule);
    void onWakeup(Timer& timer, quint64 generation);
    qint64 dueNs(const Timer& timer, const Schedule& schedule) const;

    QElapsedTimer clock_;
    std::unordered_map<Timer*, std::unique_ptr<Schedule>> schedules_;
};
