#include "models/countdown/Countdown.h"

Countdown::Countdown(TimerDriver& timers, QObject* parent) : QObject(parent), timers_(timers) {}

void Countdown::setState(State state)
{
    if (state_ == state)
        return;
    state_ = state;
    emit stateChanged(state);
}

void Countdown::setStartedTotal(int minutes, int seconds)
{
    startedMinutes_ = minutes;
    startedSeconds_ = seconds;
}

void Countdown::setCountText(const QString& text)
{
    if (countText_ == text)
        return;
    countText_ = text;
    emit countTextChanged(text);
}
