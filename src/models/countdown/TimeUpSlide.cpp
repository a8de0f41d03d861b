#include "models/countdown/TimeUpSlide.h"

#include "platform/Timer.h"

TimeUpSlide::TimeUpSlide(TimerDriver& timers, QObject* parent)
    : QObject(parent), timer_(new Timer(timers, QStringLiteral("Timer3"), kTickMs, TickPolicy::Pacing, this))
{
    timer_->onTick([this] { onTick(); });
}

TimeUpSlide::~TimeUpSlide() = default;

void TimeUpSlide::start()
{
    timer_->setEnabled(true);
}

bool TimeUpSlide::isRunning() const
{
    return timer_->isEnabled();
}

void TimeUpSlide::reset()
{
    timer_->setEnabled(false);
    ticks_ = 0;
    direction_ = Direction::Right;
}

double TimeUpSlide::nextLeft(double left, double right) const
{
    if (direction_ == Direction::Right)
        return left <= right ? left + kStepTwips : left;
    return left >= kMarginTwips ? left - kStepTwips : left;
}

void TimeUpSlide::turnAtMargins(double left, double right)
{
    if (left <= kMarginTwips || left > right)
        direction_ = direction_ == Direction::Right ? Direction::Left : Direction::Right;
}

void TimeUpSlide::onTick()
{
    Step step;
    step.tick = ticks_;
    step.first = ticks_ == 0;
    step.sliding = ticks_ < kSlidingTicks;
    step.last = ticks_ + 1 >= kTicks;
    ticks_ = step.last ? 0 : ticks_ + 1;
    if (step.last)
        timer_->setEnabled(false);
    emit stepped(step);
}
