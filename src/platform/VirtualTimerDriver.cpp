#include "platform/VirtualTimerDriver.h"

#include <QCoreApplication>
#include <algorithm>

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
