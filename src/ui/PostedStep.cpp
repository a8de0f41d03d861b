#include "ui/PostedStep.h"

#include "platform/Timer.h"

PostedStep::PostedStep(TimerDriver& timers, const QString& name, QObject* owner)
    : QObject(owner), timer_(new Timer(timers, name, 0, TickPolicy::Pacing, this))
{
    timer_->onTick([this] {
        timer_->setEnabled(false);
        const std::function<void()> step = std::move(step_);
        step_ = nullptr;
        if (step)
            step();
    });
}

void PostedStep::post(std::function<void()> step)
{
    step_ = std::move(step);
    timer_->setEnabled(true);
}
