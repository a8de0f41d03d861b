#include "platform/Timer.h"

Timer::Timer(TimerDriver& driver, const QString& name, int intervalMs, TickPolicy policy, QObject* owner)
    : QObject(owner), driver_(driver), intervalMs_(intervalMs), policy_(policy)
{
    setObjectName(name);
}

Timer::~Timer()
{
    driver_.forget(*this);
}

void Timer::setEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    if (on)
        driver_.start(*this);
    else
        driver_.stop(*this);
}

void Timer::setInterval(int ms)
{
    intervalMs_ = ms;
    if (enabled_) {
        driver_.stop(*this);
        driver_.start(*this);
    }
}

void Timer::fire()
{
    if (!enabled_ || inHandler_ || !handler_)
        return;
    inHandler_ = true;
    handler_();
    inHandler_ = false;
}

void Timer::wake(qint64 missedTicks)
{
    if (!enabled_ || inHandler_ || !wakeHandler_ || missedTicks <= 0)
        return;
    inHandler_ = true;
    wakeHandler_(missedTicks);
    inHandler_ = false;
}
