#include "platform/RealTimerDriver.h"

#include <QCoreApplication>
#include <algorithm>

RealTimerDriver::RealTimerDriver()
{
    clock_.start();
}

RealTimerDriver::~RealTimerDriver() = default;

qint64 RealTimerDriver::nowMs() const
{
    return clock_.nsecsElapsed() / 1'000'000;
}

qint64 RealTimerDriver::dueNs(const Timer& timer, const Schedule& schedule) const
{
    return schedule.epochNs + schedule.nextTick * qint64(timer.interval()) * 1'000'000;
}

void RealTimerDriver::start(Timer& timer)
{
    auto& slot = schedules_[&timer];
    if (!slot) {
        slot = std::make_unique<Schedule>();
        slot->wakeup.setSingleShot(true);
        slot->wakeup.setTimerType(Qt::PreciseTimer);
    }
    slot->epochNs = clock_.nsecsElapsed();
    slot->nextTick = 1;
    ++slot->generation;
    const quint64 generation = slot->generation;
    QObject::disconnect(&slot->wakeup, nullptr, nullptr, nullptr);
    QObject::connect(&slot->wakeup, &QTimer::timeout, &slot->wakeup,
                     [this, &timer, generation] { onWakeup(timer, generation); });
    arm(timer, *slot);
}

void RealTimerDriver::stop(Timer& timer)
{
    auto it = schedules_.find(&timer);
    if (it == schedules_.end())
        return;
    ++it->second->generation;
    it->second->wakeup.stop();
}

void RealTimerDriver::forget(Timer& timer)
{
    schedules_.erase(&timer);
}

void RealTimerDriver::arm(Timer& timer, Schedule& schedule)
{
    const qint64 waitNs = dueNs(timer, schedule) - clock_.nsecsElapsed();
    // Round up so that the wake-up never comes before the due time.
    schedule.wakeup.start(int(std::max<qint64>(0, (waitNs + 999'999) / 1'000'000)));
}

void RealTimerDriver::onWakeup(Timer& timer, quint64 generation)
{
    auto it = schedules_.find(&timer);
    if (it == schedules_.end())
        return;
    Schedule* schedule = it->second.get();
    auto stillCurrent = [&] {
        auto again = schedules_.find(&timer);
        return again != schedules_.end() && again->second.get() == schedule &&
               schedule->generation == generation && timer.isEnabled();
    };

    if (timer.policy() == TickPolicy::Counting) {
        // Run every tick that has fallen due, in order; a handler may stop the timer.
        while (stillCurrent() && dueNs(timer, *schedule) <= clock_.nsecsElapsed()) {
            ++schedule->nextTick;
            timer.fire();
        }
    } else {
        const qint64 now = clock_.nsecsElapsed();
        if (dueNs(timer, *schedule) <= now) {
            const qint64 intervalNs = qint64(timer.interval()) * 1'000'000;
            schedule->nextTick = (now - schedule->epochNs) / std::max<qint64>(intervalNs, 1) + 1;
            timer.fire();
        }
    }
    if (stillCurrent())
        arm(timer, *schedule);
}

void RealTimerDriver::yieldToEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
