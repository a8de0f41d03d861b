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
        TimeUp, // 00 : 00 reached and the time-up effect under way
    };

    static constexpr int kTickMs = 1000;

    explicit Countdown(TimerDriver& timers, QObject* parent = nullptr);
    ~Countdown() override;

    State state() const { return state_; }
    // Counting down, a reminder included, and on 00 : 00 until the time-up effect begins.
    bool isCounting() const { return state_ == State::Running || state_ == State::Reminding; }
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
    // The time-up effect is done: back to the entered total, stopped.
    void finishTimeUp() { stop(); }

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
    // The count reached 00 : 00; the tick has stopped.
    void timeUp();

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
    QString countText_ = QStringLiteral("05 : 00");
};
