#include "models/countdown/PauseBlink.h"

#include "platform/Timer.h"

PauseBlink::PauseBlink(TimerDriver& timers, QObject* parent)
    : QObject(parent), timer_(new Timer(timers, QStringLiteral("Timer5"), kTickMs, TickPolicy::Pacing, this))
{
    timer_->onTick([this] {
        colour_ = colour_ == Colour::Red ? Colour::Blue : Colour::Red;
        emit colourChanged(colour_);
    });
}

PauseBlink::~PauseBlink() = default;

void PauseBlink::start()
{
    timer_->setEnabled(true);
}

void PauseBlink::stop()
{
    timer_->setEnabled(false);
}

bool PauseBlink::isRunning() const
{
    return timer_->isEnabled();
}
