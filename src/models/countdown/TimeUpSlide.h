#pragma once

#include <QObject>
#include <optional>

class Timer;
class TimerDriver;

// The time-up effect: 120 ticks of 50 ms (six seconds). For the first 41 ticks the main window slides
// 120 twips a tick and turns back at the screen's margins; then it stands at its standard place. The
// direction it slides in carries over from one effect to the next.
class TimeUpSlide : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 50;
    static constexpr int kTicks = 120;
    static constexpr int kSlidingTicks = 41;
    static constexpr double kStepTwips = 120;
    // The left margin, and the right one measured from the screen's right edge less the window.
    static constexpr double kMarginTwips = 135;

    enum class Direction { Right, Left };

    struct Step {
        int tick = 0;         // 0 to kTicks - 1
        bool first = false;   // the effect begins: the cue plays
        bool sliding = false; // the window moves; otherwise it stands at its standard place
        bool last = false;    // the effect ends: the window goes back to its stopped state
    };

    explicit TimeUpSlide(TimerDriver& timers, QObject* parent = nullptr);
    ~TimeUpSlide() override;

    void start();
    bool isRunning() const;
    // Ticks run so far in the current effect.
    int ticks() const { return ticks_; }

    Direction direction() const { return direction_; }
    // A fresh program slides to the right first.
    void reset();

    // Where a sliding window goes from left, with right the rightmost left it may take.
    double nextLeft(double left, double right) const;
    // At or past a margin the slide turns back.
    void turnAtMargins(double left, double right);

signals:
    // Every tick; after the last one the effect is over and may start again.
    void stepped(const TimeUpSlide::Step& step);

private:
    void onTick();

    Timer* timer_;
    int ticks_ = 0;
    Direction direction_ = Direction::Right;
};
