#pragma once

#include <QObject>

class Timer;
class TimerDriver;

// While the countdown is paused its state text blinks red and blue every 800 ms. The colour it
// stopped on is where the next pause goes on from.
class PauseBlink : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 800;

    enum class Colour { Red, Blue };

    explicit PauseBlink(TimerDriver& timers, QObject* parent = nullptr);
    ~PauseBlink() override;

    void start();
    void stop();
    bool isRunning() const;
    Colour colour() const { return colour_; }
    // A fresh program: red, so that the first tick turns blue.
    void reset() { colour_ = Colour::Red; }

signals:
    void colourChanged(PauseBlink::Colour colour);

private:
    Timer* timer_;
    Colour colour_ = Colour::Red;
};
