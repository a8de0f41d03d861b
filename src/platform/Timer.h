#pragma once

#include <QObject>
#include <QString>
#include <functional>

class TimerDriver;

// How a timer treats ticks it could not run on time (the event loop was blocked).
enum class TickPolicy {
    Counting, // every missed tick is run, in order: the countdown must stay true to the clock
    Pacing,   // missed ticks are dropped: animations simply go on from now
};

// A periodic window timer with an interval, an on/off switch and a tick handler, named like the
// window's control (objectName "Timer1" ... "Timer5"), so tests find it with findChild<Timer*>.
// The driver decides when ticks happen: real time in the program, virtual time in tests.
class Timer : public QObject {
    Q_OBJECT
public:
    Timer(TimerDriver& driver, const QString& name, int intervalMs, TickPolicy policy, QObject* owner);
    ~Timer() override;

    void onTick(std::function<void()> handler) { handler_ = std::move(handler); }
    // After the machine slept, a counting timer with a wake handler is told at once how many ticks
    // fell due meanwhile, instead of running them one by one in a burst. Without one, its missed
    // ticks run in order as after a blocked event loop.
    void onWake(std::function<void(qint64 missedTicks)> handler) { wakeHandler_ = std::move(handler); }
    bool catchesUpAfterSleep() const { return policy_ == TickPolicy::Counting && bool(wakeHandler_); }

    // Turning on a stopped timer starts a fresh interval; turning on a running one changes nothing.
    void setEnabled(bool on);
    bool isEnabled() const { return enabled_; }

    // A new interval restarts a running timer from now.
    void setInterval(int ms);
    int interval() const { return intervalMs_; }
    TickPolicy policy() const { return policy_; }

    // Runs the tick handler. A handler that is still running (it opened a question, say) is not
    // entered a second time; that tick is skipped.
    void fire();
    // Runs the wake handler with the ticks missed during a sleep; like fire(), never re-entered.
    void wake(qint64 missedTicks);

private:
    TimerDriver& driver_;
    int intervalMs_;
    TickPolicy policy_;
    bool enabled_ = false;
    bool inHandler_ = false;
    std::function<void()> handler_;
    std::function<void(qint64)> wakeHandler_;
};

// Runs the program's timers. One driver serves the whole program.
class TimerDriver {
public:
    virtual ~TimerDriver() = default;

    virtual void start(Timer& timer) = 0;
    virtual void stop(Timer& timer) = 0;
    virtual void forget(Timer& timer) = 0;

    // Lets pending window events run (the system's "DoEvents").
    virtual void yieldToEvents() = 0;

    // Milliseconds on the driver's clock, which goes on while the machine sleeps.
    virtual qint64 nowMs() const = 0;
};
