#include "platform/timers/RealTimerDriver.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <stdexcept>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

constexpr qint64 kNsPerMs = 1'000'000;
constexpr qint64 kNsPerSecond = 1'000'000'000;
// A resume moves the boot-time clock ahead of the monotonic one by the time slept; anything
// shorter than this is not worth calling a sleep.
constexpr qint64 kSleepThresholdNs = 200 * kNsPerMs;

qint64 readClock(clockid_t id)
{
    timespec ts{};
    clock_gettime(id, &ts);
    return qint64(ts.tv_sec) * kNsPerSecond + ts.tv_nsec;
}

// How far the boot-time clock is ahead of the monotonic one. The boot-time clock is read first, so
// a reading interrupted in between comes out short, never long.
qint64 bootAheadOfMonotonic()
{
    const qint64 boot = readClock(CLOCK_BOOTTIME);
    return boot - readClock(CLOCK_MONOTONIC);
}

} // namespace

RealTimerDriver::RealTimerDriver()
    : fd_(timerfd_create(CLOCK_BOOTTIME, TFD_NONBLOCK | TFD_CLOEXEC)), originNs_(readClock(CLOCK_BOOTTIME)),
      bootAheadNs_(bootAheadOfMonotonic())
{
    if (fd_ < 0)
        throw std::runtime_error("no timer file descriptor for the program's timers");
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { dispatch(); });
}

RealTimerDriver::~RealTimerDriver()
{
    notifier_.reset();
    ::close(fd_);
}

qint64 RealTimerDriver::clockNs() const
{
    return readClock(CLOCK_BOOTTIME) - originNs_ + simulatedSleepNs_;
}

qint64 RealTimerDriver::nowMs() const
{
    return clockNs() / kNsPerMs;
}

qint64 RealTimerDriver::dueNs(const Timer& timer, const Schedule& schedule) const
{
    return schedule.epochNs + schedule.nextTick * qint64(timer.interval()) * kNsPerMs;
}

void RealTimerDriver::start(Timer& timer)
{
    schedules_[&timer] = Schedule{clockNs(), 1, nextOrder_++};
    rearm();
}

void RealTimerDriver::stop(Timer& timer)
{
    if (schedules_.erase(&timer))
        rearm();
}

void RealTimerDriver::forget(Timer& timer)
{
    stop(timer);
}

Timer* RealTimerDriver::earliestDue(qint64 limitNs)
{
    Timer* first = nullptr;
    qint64 firstDue = 0;
    quint64 firstOrder = 0;
    for (const auto& [timer, schedule] : schedules_) {
        const qint64 due = dueNs(*timer, schedule);
        if (due > limitNs)
            continue;
        if (!first || due < firstDue || (due == firstDue && schedule.order < firstOrder)) {
            first = timer;
            firstDue = due;
            firstOrder = schedule.order;
        }
    }
    return first;
}

void RealTimerDriver::rearm()
{
    qint64 next = -1;
    for (const auto& [timer, schedule] : schedules_) {
        const qint64 due = dueNs(*timer, schedule);
        if (next < 0 || due < next)
            next = due;
    }
    if (next == armedNs_)
        return;
    itimerspec wakeUp{};
    if (next >= 0) {
        // An absolute time on the boot-time clock; zero would clear the wake-up, so never less than 1.
        const qint64 at = std::max<qint64>(1, next + originNs_ - simulatedSleepNs_);
        wakeUp.it_value.tv_sec = time_t(at / kNsPerSecond);
        wakeUp.it_value.tv_nsec = long(at % kNsPerSecond);
    }
    timerfd_settime(fd_, TFD_TIMER_ABSTIME, &wakeUp, nullptr);
    armedNs_ = next;
    ++armings_;
}

void RealTimerDriver::dispatch()
{
    std::uint64_t expirations = 0;
    if (::read(fd_, &expirations, sizeof expirations) == qint64(sizeof expirations))
        armedNs_ = -1; // it went off, so it is clear now
    const qint64 now = clockNs();
    catchUpAfterSleep(now);
    // Only what is due by now: a handler slower than its pacing interval must not keep the loop
    // from other events.
    while (Timer* timer = earliestDue(now)) {
        Schedule& schedule = schedules_[timer];
        if (timer->policy() == TickPolicy::Counting) {
            ++schedule.nextTick;
        } else {
            const qint64 intervalNs = std::max<qint64>(1, qint64(timer->interval()) * kNsPerMs);
            schedule.nextTick = (now - schedule.epochNs) / intervalNs + 1;
        }
        schedule.order = nextOrder_++;
        // A handler may open a question and run the loop: the other timers go on meanwhile.
        rearm();
        timer->fire();
    }
    rearm();
}

void RealTimerDriver::catchUpAfterSleep(qint64 nowNs)
{
    const qint64 ahead = bootAheadOfMonotonic() + simulatedSleepNs_;
    const qint64 slept = ahead - bootAheadNs_;
    bootAheadNs_ = std::max(bootAheadNs_, ahead);
    if (slept < kSleepThresholdNs)
        return;

    std::vector<Timer*> waking;
    for (const auto& [timer, schedule] : schedules_) {
        if (timer->catchesUpAfterSleep())
            waking.push_back(timer);
    }
    std::sort(waking.begin(), waking.end(),
              [this](Timer* a, Timer* b) { return schedules_[a].order < schedules_[b].order; });
    for (Timer* timer : waking) {
        // An earlier handler may have stopped this timer.
        auto it = schedules_.find(timer);
        if (it == schedules_.end())
            continue;
        Schedule& schedule = it->second;
        const qint64 intervalNs = std::max<qint64>(1, qint64(timer->interval()) * kNsPerMs);
        const qint64 missed = (nowNs - schedule.epochNs) / intervalNs - schedule.nextTick + 1;
        if (missed <= 0)
            continue;
        schedule.nextTick += missed;
        schedule.order = nextOrder_++;
        rearm();
        timer->wake(missed);
    }
}

void RealTimerDriver::simulateSleepForTesting(qint64 ms)
{
    simulatedSleepNs_ += ms * kNsPerMs;
    // Everything due during the "sleep" is due now, as after a real resume.
    armedNs_ = -1;
    rearm();
}

void RealTimerDriver::yieldToEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
