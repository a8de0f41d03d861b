#pragma once

#include <QObject>

class Timer;
class TimerDriver;

// The reminder effect: thirteen ticks of 300 ms. The first five flip the main window between shown
// and hidden, the next seven keep it shown, the thirteenth puts the windows back as they were.
// It remembers whether the main window and the tool strip were in view when it began.
class ReminderBlink : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 300;
    static constexpr int kFlips = 5;
    static constexpr int kTicks = 13;

    struct Step {
        int tick = 0;       // 1 to kTicks
        bool first = false; // the effect begins: the cue plays
        bool flip = false;  // the main window changes from shown to hidden or back
        bool last = false;  // the effect ends: the windows go back as they were
    };

    explicit ReminderBlink(TimerDriver& timers, QObject* parent = nullptr);
    ~ReminderBlink() override;

    void start();
    bool isRunning() const;
    // Ticks run so far in the current effect; 0 when none runs.
    int ticks() const { return ticks_; }

    // What was in view before the effect hid it. The strip counts when it was seen on any tick,
    // the main window when it was seen on the first.
    void noteVisible(bool mainVisible, bool stripVisible);
    bool mainWasVisible() const { return mainWasVisible_; }
    bool stripWasVisible() const { return stripWasVisible_; }
    // The memory is spent when the effect ends.
    void forgetVisible();
    // The main window stays in view after this effect and the next one begins knowing it.
    void keepMainInView() { mainWasVisible_ = true; }

signals:
    // Every tick; after the last one the effect is over and may start again.
    void stepped(const ReminderBlink::Step& step);

private:
    void onTick();

    Timer* timer_;
    int ticks_ = 0;
    bool mainWasVisible_ = false;
    bool stripWasVisible_ = false;
};
