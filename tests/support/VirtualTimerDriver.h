#pragma once

#include "platform/Timer.h"

#include <map>

// Virtual time for tests: nothing ticks until advance() is called, then every timer that falls due
// fires in time order (timers due at the same instant in the order they were enabled). A tick handler
// may itself advance time (a question that stays open while the countdown goes on). suspend() lets
// the machine sleep: time goes on without a tick, and on waking the timers catch up as on a real
// resume.
class VirtualTimerDriver : public TimerDriver {
public:
    void start(Timer& timer) override;
    void stop(Timer& timer) override;
    void forget(Timer& timer) override;
    void yieldToEvents() override;
    qint64 nowMs() const override { return nowMs_; }

    void advance(qint64 ms);
    // The machine sleeps for ms and wakes: a counting timer with a wake handler is told its missed
    // ticks in one call, a pacing timer ticks once, other counting timers run every missed tick.
    void suspend(qint64 ms);
    // The program stands still for ms (a stopped process, a blocked event loop) while the clock goes
    // on, then runs what fell due as the real driver does: a counting timer every missed tick in
    // order, a pacing timer its last one.
    void stall(qint64 ms);
    int yieldCount() const { return yields_; }

private:
    struct Due {
        qint64 at;
        quint64 order;
    };
    qint64 nowMs_ = 0;
    quint64 nextOrder_ = 0;
    int yields_ = 0;
    std::map<Timer*, Due> due_;
};
