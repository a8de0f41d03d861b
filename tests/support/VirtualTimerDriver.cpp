#include "support/VirtualTimerDriver.h"

#include <QCoreApplication>
#include <algorithm>
#include <vector>

void VirtualTimerDriver::start(Timer& timer)
{
    due_[&timer] = Due{nowMs_ + timer.interval(), nextOrder_++};
}

void VirtualTimerDriver::stop(Timer& timer)
{
    due_.erase(&timer);
}

void VirtualTimerDriver::forget(Timer& timer)
{
    due_.erase(&timer);
}

void VirtualTimerDriver::yieldToEvents()
{
    ++yields_;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void VirtualTimerDriver::advance(qint64 ms)
{
    const qint64 target = nowMs_ + ms;
    for (;;) {
        auto next = std::min_element(due_.begin(), due_.end(), [](const auto& a, const auto& b) {
            return a.second.at != b.second.at ? a.second.at < b.second.at : a.second.order < b.second.order;
        });
        if (next == due_.end() || next->second.at > target)
            break;
        Timer* timer = next->first;
        nowMs_ = std::max(nowMs_, next->second.at);
        next->second = Due{next->second.at + std::max(1, timer->interval()), nextOrder_++};
        timer->fire();
    }
    nowMs_ = std::max(nowMs_, target);
}

void VirtualTimerDriver::suspend(qint64 ms)
{
    nowMs_ += ms;
    std::vector<std::pair<quint64, Timer*>> overdue;
    for (const auto& [timer, due] : due_) {
        if (due.at <= nowMs_)
            overdue.emplace_back(due.order, timer);
    }
    std::sort(overdue.begin(), overdue.end());
    for (const auto& [order, timer] : overdue) {
        // An earlier wake handler may have stopped this timer.
        auto it = due_.find(timer);
        if (it == due_.end() || it->second.order != order)
            continue;
        const qint64 interval = std::max(1, timer->interval());
        const qint64 missed = (nowMs_ - it->second.at) / interval + 1;
        if (timer->catchesUpAfterSleep()) {
            it->second = Due{it->second.at + missed * interval, nextOrder_++};
            timer->wake(missed);
        } else if (timer->policy() == TickPolicy::Pacing) {
            // Only the last missed tick is left to run.
            it->second.at += (missed - 1) * interval;
        }
    }
    advance(0);
}

void VirtualTimerDriver::stall(qint64 ms)
{
    nowMs_ += ms;
    for (auto& [timer, due] : due_) {
        if (timer->policy() == TickPolicy::Pacing && due.at <= nowMs_) {
            const qint64 interval = std::max(1, timer->interval());
            due.at += (nowMs_ - due.at) / interval * interval;
        }
    }
    // Every tick left due runs now, on the clock as it stands.
    advance(0);
}
