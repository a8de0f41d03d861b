#include "models/draw/RoundLog.h"

#include <utility>

RoundLog::RoundLog(DrawHistory* history, Clock clock) : history_(history), clock_(std::move(clock)) {}

void RoundLog::start(const QString& list)
{
    list_ = list;
    startedAt_ = clock_();
    round_ = 0;
    lost_ = false;
}

QString RoundLog::drawn(int order, const namelist::Person& person)
{
    return write(DrawEvent::Kind::Drawn, order, person);
}

QString RoundLog::absent(int order, const namelist::Person& person)
{
    return write(DrawEvent::Kind::Absent, order, person);
}

QString RoundLog::undone(int order, const namelist::Person& person)
{
    return write(DrawEvent::Kind::Undone, order, person);
}

QString RoundLog::write(DrawEvent::Kind kind, int order, const namelist::Person& person)
{
    if (!history_ || lost_ || list_.isEmpty())
        return {};
    if (round_ == 0) {
        round_ = history_->beginRound(list_, startedAt_);
        if (round_ == 0) {
            lost_ = true;
            return history_->problem();
        }
    }
    if (!history_->record(round_, {kind, order, person.number, person.name, clock_()})) {
        lost_ = true;
        return history_->problem();
    }
    return {};
}
