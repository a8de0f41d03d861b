#include "models/countdown/Countdown.h"

#include "models/countdown/TimeText.h"
#include "platform/Timer.h"

#include <algorithm>

Countdown::Countdown(TimerDriver& timers, QObject* parent)
    : QObject(parent), timers_(timers),
      tick_(new Timer(timers, QStringLiteral("Timer1"), kTickMs, TickPolicy::Counting, this))
{
    tick_->onTick([this] { onTick(); });
    tick_->onWake([this](qint64 ticks) { catchUp(ticks); });
}

Countdown::~Countdown() = default;

bool Countdown::isTicking() const
{
    return tick_->isEnabled();
}

StartCheck Countdown::start(int totalMinutes, int totalSeconds, int reminderMinutes, int reminderSeconds)
{
    const StartCheck check = checkStart(totalMinutes, totalSeconds, reminderMinutes, reminderSeconds);
    if (check != StartCheck::Accepted)
        return check;
    startedMinutes_ = totalMinutes;
    startedSeconds_ = totalSeconds;
    reminderMinutes_ = reminderMinutes;
    reminderSeconds_ = reminderSeconds;
    reminded_ = false;
    overrun_ = false;
    overtimeSeconds_ = 0;
    minutes_ = totalMinutes;
    // One second more than entered: the first tick shows the entered time once more.
    seconds_ = totalSeconds + 1;
    setCountText(countDisplayText(totalMinutes, totalSeconds));
    startTicking();
    setState(State::Running);
    return check;
}

void Countdown::pause()
{
    if (!isCounting())
        return;
    tick_->setEnabled(false);
    setState(State::Paused);
}

void Countdown::resume()
{
    if (!isPaused())
        return;
    startTicking();
    if (overrun_)
        setState(State::Overtime);
    else
        setState(reminded_ ? State::Reminding : State::Running);
}

void Countdown::stop()
{
    tick_->setEnabled(false);
    reminded_ = false;
    overrun_ = false;
    overtimeSeconds_ = 0;
    minutes_ = startedMinutes_;
    seconds_ = startedSeconds_;
    setState(State::Stopped);
    setCountText(countDisplayText(startedMinutes_, startedSeconds_));
}

void Countdown::beginTimeUp()
{
    const bool countingDown = state_ == State::Running || state_ == State::Reminding;
    if (countingDown && (overrun_ || !isTicking()))
        setState(State::TimeUp);
}

void Countdown::finishTimeUp()
{
    // Counting up since 00 : 00, the count goes on in view once the effect is over.
    if (overrun_ && isTicking())
        setState(State::Overtime);
    else
        stop();
}

void Countdown::addOvertime(qint64 seconds)
{
    overtimeSeconds_ = int(std::min<qint64>(kMaxOvertimeSeconds, overtimeSeconds_ + seconds));
    setCountText(overtimeDisplayText(overtimeSeconds_));
}

void Countdown::onTick()
{
    if (overrun_) {
        addOvertime(1);
        return;
    }
    if (--seconds_ < 0) {
        seconds_ = 59;
        --minutes_;
    }
    const bool zero = minutes_ == 0 && seconds_ == 0;
    if (zero && overtime_)
        overrun_ = true;
    else if (zero)
        tick_->setEnabled(false);
    const bool reminder = (reminderMinutes_ != 0 || reminderSeconds_ != 0) && minutes_ == reminderMinutes_ &&
                          seconds_ == reminderSeconds_;
    if (reminder) {
        reminded_ = true;
        setState(State::Reminding);
        // Reached in a burst of ticks the clock passed long ago, the reminder would show a time
        // already gone: as after a sleep, the count goes on without it.
        if (!isBehindTheClock())
            emit reminderReached(minutes_, seconds_);
    }
    setCountText(countDisplayText(minutes_, seconds_));
    if (zero)
        emit timeUp();
}

void Countdown::catchUp(qint64 ticks)
{
    if (overrun_) {
        addOvertime(ticks - 1);
        onTick();
        return;
    }
    const qint64 remaining = qint64(minutes_) * 60 + seconds_;
    // With overtime on, the seconds slept past 00 : 00 are overtime already.
    const qint64 pastTheEnd = overtime_ ? std::max<qint64>(0, ticks - remaining) : 0;
    // Silently to one tick before the latest one, and never past the last second.
    const qint64 silentTo = std::max<qint64>(1, remaining - (ticks - 1));
    if (silentTo < remaining) {
        const qint64 reminder = qint64(reminderMinutes_) * 60 + reminderSeconds_;
        if (reminder > 0 && !reminded_ && reminder >= silentTo && reminder < remaining) {
            reminded_ = true;
            setState(State::Reminding);
        }
        minutes_ = int(silentTo / 60);
        seconds_ = int(silentTo % 60);
    }
    onTick();
    if (overrun_ && pastTheEnd > 0)
        addOvertime(pastTheEnd);
}

void Countdown::startTicking()
{
    tick_->setEnabled(true);
    tickingSinceMs_ = timers_.nowMs();
    countWhenTickingStarted_ = qint64(minutes_) * 60 + seconds_;
}

bool Countdown::isBehindTheClock() const
{
    const qint64 ticksDue = (timers_.nowMs() - tickingSinceMs_) / kTickMs;
    return qint64(minutes_) * 60 + seconds_ > countWhenTickingStarted_ - ticksDue;
}

void Countdown::setState(State state)
{
    if (state_ == state)
        return;
    state_ = state;
    updatePace();
    emit stateChanged(state);
}

void Countdown::setCountText(const QString& text)
{
    if (countText_ == text)
        return;
    countText_ = text;
    updatePace();
    emit countTextChanged(text);
}

void Countdown::updatePace()
{
    const qint64 left = qint64(minutes_) * 60 + seconds_;
    const qint64 reminder = qint64(reminderMinutes_) * 60 + reminderSeconds_;
    Pace pace = Pace::Ahead;
    if (state_ == State::Stopped)
        pace = Pace::None;
    else if (overrun_ || state_ == State::TimeUp || left == 0)
        pace = Pace::Over;
    else if (reminded_ || (reminder > 0 && left <= reminder))
        pace = Pace::Closing;
    if (pace_ == pace)
        return;
    pace_ = pace;
    emit paceChanged(pace);
}
