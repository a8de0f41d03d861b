#pragma once

#include "models/countdown/TimeEntry.h"

#include <QObject>
#include <QString>

class Timer;
class TimerDriver;

// The countdown: the time entered at Start counted down once a second to 00 : 00, with an early
// reminder, a pause, and a stop that puts the entered time back. The strip and the enlarged window
// read its state and its count text; the main window follows its signals.
class Countdown : public QObject {
    Q_OBJECT
public:
    enum class State {
        Stopped,   // not started, stopped, or done with its time-up effect
        Running,   // counting, the reminder not reached yet
        Reminding, // counting, past the reminder
        Paused,
        TimeUp,   // 00 : 00 reached and the time-up effect under way
        Overtime, // past 00 : 00 and counting up (with overtime on), the time-up effect over
    };

    // How the time stands against the plan, for colours a glance can read: ahead while more than the
    // reminder time is left, closing in from the reminder on, over at 00 : 00 and past it. A paused
    // count keeps its pace; a stopped one has none.
    enum class Pace { None, Ahead, Closing, Over };

    // The most overtime counted: the display keeps two digits of minutes.
    static constexpr int kMaxOvertimeSeconds = 99 * 60 + 59;

    static constexpr int kTickMs = 1000;

    explicit Countdown(TimerDriver& timers, QObject* parent = nullptr);
    ~Countdown() override;

    State state() const { return state_; }
    // Counting down, a reminder included, and on 00 : 00 until the time-up effect begins; counting up
    // in overtime.
    bool isCounting() const
    {
        return state_ == State::Running || state_ == State::Reminding || state_ == State::Overtime;
    }
    bool isPaused() const { return state_ == State::Paused; }
    // Not started, stopped, or at the end of its time (the time-up effect included).
    bool isStopped() const { return state_ == State::Stopped || state_ == State::TimeUp; }
    // The one-second tick runs.
    bool isTicking() const;

    // Starts counting from the total when the entries pass the start check; otherwise nothing
    // changes. The first tick shows the entered time once more, the second one second less.
    StartCheck start(int totalMinutes, int totalSeconds, int reminderMinutes, int reminderSeconds);
    // Pause holds the count where it stands; resume goes on from there.
    void pause();
    void resume();
    // Ends the run at once and shows the entered total again.
    void stop();
    // The time-up effect takes over the 00 : 00 count: from now the countdown counts as stopped.
    void beginTimeUp();
    // The time-up effect is done: back to the entered total, stopped; with overtime on, the count
    // goes on upward instead.
    void finishTimeUp();

    // With overtime on, the count does not end at 00 : 00: it counts on upward ("+MM : SS") until it
    // is stopped. Takes effect at the next 00 : 00; a count already in overtime goes on.
    void setOvertime(bool on) { overtime_ = on; }
    bool overtime() const { return overtime_; }
    // Past 00 : 00 with overtime on: in the time-up effect, counting up, or paused there.
    bool isOverrun() const { return overrun_; }
    // How long past 00 : 00 the count stands.
    int overtimeSeconds() const { return overtimeSeconds_; }

    Pace pace() const { return pace_; }

    // The total time taken at the last accepted start.
    int startedMinutes() const { return startedMinutes_; }
    int startedSeconds() const { return startedSeconds_; }
    // The reminder of the last accepted start.
    int reminderMinutes() const { return reminderMinutes_; }
    int reminderSeconds() const { return reminderSeconds_; }
    // What the count stands at.
    int remainingMinutes() const { return minutes_; }
    int remainingSeconds() const { return seconds_; }

    // The count as the main window shows it, "MM : SS"; the strip and the enlarged window mirror it.
    const QString& countText() const { return countText_; }

signals:
    void stateChanged(Countdown::State state);
    void countTextChanged(const QString& text);
    // The count reached the reminder time (never for a reminder of 00 : 00). Not for a reminder time
    // the clock passed while the program stood still or slept: that moment is over.
    void reminderReached(int minutes, int seconds);
    // The count reached 00 : 00; the tick has stopped, unless overtime goes on counting.
    void timeUp();
    void paceChanged(Countdown::Pace pace);

private:
    void onTick();
    // After the machine slept through ticks: the count jumps to where the clock stands, without a
    // second-by-second replay. A reminder passed during the sleep is taken as given (no reminder
    // effect for a moment that is over); the latest tick then runs as usual, so an end reached or
    // passed during the sleep is time up, once.
    void catchUp(qint64 ticks);
    // Turns the tick on and notes where the count stands on the clock from then on.
    void startTicking();
    // The tick running now is one the clock passed a whole tick or more ago: the program stood still
    // (a stopped process, a blocked event loop) and its missed ticks run in a burst.
    bool isBehindTheClock() const;
    void setState(State state);
    void setCountText(const QString& text);
    void addOvertime(qint64 seconds);
    void updatePace();

    TimerDriver& timers_;
    Timer* tick_;
    // The driver's clock when the tick was last turned on, and the count (in seconds) then.
    qint64 tickingSinceMs_ = 0;
    qint64 countWhenTickingStarted_ = 0;
    State state_ = State::Stopped;
    // Paused after the reminder: resume goes back to Reminding.
    bool reminded_ = false;
    int startedMinutes_ = 0;
    int startedSeconds_ = 0;
    int reminderMinutes_ = 0;
    int reminderSeconds_ = 0;
    int minutes_ = 0;
    int seconds_ = 0;
    bool overtime_ = false;
    bool overrun_ = false;
    int overtimeSeconds_ = 0;
    Pace pace_ = Pace::None;
    QString countText_ = QStringLiteral("05 : 00");
};
