#pragma once

#include <QObject>
#include <functional>

class Timer;
class TimerDriver;

// What a handler leaves to run once the events pending now have run (the window's new picture, say),
// instead of letting them run inside the handler. Paced by the program's timer driver, so tests run
// it on virtual time; a window's posted step goes with the window's other timers when it is unloaded.
class PostedStep : public QObject {
    Q_OBJECT
public:
    PostedStep(TimerDriver& timers, const QString& name, QObject* owner);

    // Runs the step from the event loop; a step still waiting is replaced.
    void post(std::function<void()> step);

private:
    Timer* timer_;
    std::function<void()> step_;
};
