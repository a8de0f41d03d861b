#pragma once

#include <QObject>
#include <QString>

class TimerDriver;

// The countdown: whether it counts, is paused or stands still, and the total time of the last
// accepted start, which the strip and the enlarged window show.
class Countdown : public QObject {
    Q_OBJECT
public:
    enum class State { Stopped, Running, Paused };

    explicit Countdown(TimerDriver& timers, QObject* parent = nullptr);

    State state() const { return state_; }
    // Counting down, a reminder included.
    bool isCounting() const { return state_ == State::Running; }
    bool isPaused() const { return state_ == State::Paused; }
    // Not started, stopped, or at the end of its time (the time-up effect included).
    bool isStopped() const { return state_ == State::Stopped; }
    void setState(State state);

    // The total time taken at the last accepted start.
    int startedMinutes() const { return startedMinutes_; }
    int startedSeconds() const { return startedSeconds_; }
    void setStartedTotal(int minutes, int seconds);

    // The count as the main window shows it, "MM : SS"; the strip and the enlarged window mirror it.
    const QString& countText() const { return countText_; }
    void setCountText(const QString& text);

signals:
    void stateChanged(Countdown::State state);
    void countTextChanged(const QString& text);

private:
    TimerDriver& timers_;
    State state_ = State::Stopped;
    int startedMinutes_ = 0;
    int startedSeconds_ = 0;
    QString countText_ = QStringLiteral("05 : 00");
};
