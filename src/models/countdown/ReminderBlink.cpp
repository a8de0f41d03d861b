#include "models/countdown/ReminderBlink.h"

#include "platform/Timer.h"

ReminderBlink::ReminderBlink(TimerDriver& timers, QObject* parent)
    : QObject(parent), timer_(new Timer(timers, QStringLiteral("Timer4"), kTickMs, TickPolicy::Pacing, this))
{
    timer_->onTick([this] { onTick(); });
}

ReminderBlink::~ReminderBlink() = default;

void ReminderBlink::start()
{
    timer_->setEnabled(true);
}

bool ReminderBlink::isRunning() const
{
    return timer_->isEnabled();
}

void ReminderBlink::noteVisible(bool mainVisible, bool stripVisible)
{
    if (stripVisible)
        stripWasVisible_ = true;
    if (ticks_ == 1 && mainVisible)
        mainWasVisible_ = true;
}

void ReminderBlink::forgetVisible()
{
    mainWasVisible_ = false;
    stripWasVisible_ = false;
}

void ReminderBlink::onTick()
{
    ++ticks_;
    Step step;
    step.tick = ticks_;
    step.first = ticks_ == 1;
    step.flip = ticks_ <= kFlips;
    step.last = ticks_ >= kTicks;
    if (step.last) {
        ticks_ = 0;
        timer_->setEnabled(false);
    }
    emit stepped(step);
}
