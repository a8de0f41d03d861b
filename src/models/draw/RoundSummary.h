#pragma once

#include "models/draw/NameListOrder.h"
#include "platform/DrawHistory.h"

#include <QHash>
#include <QList>

// What a kept round comes to once its corrections are applied: the order as it stood at the end,
// who was absent, and which draws were taken back.
struct RoundSummary {
    QDateTime startedAt;
    QList<namelist::Person> order; // place i + 1 of the order
    QList<namelist::Person> absent;
    QList<namelist::Person> undone; // draws (or absences) taken back, in the order they were
};

RoundSummary summarise(const RoundRecord& round);

// How a person is told apart across rounds: number and name, blanks around them aside.
QString personKey(const namelist::Person& person);

// How often each person (by personKey) is in the final order of these rounds.
QHash<QString, int> drawCounts(const QList<RoundRecord>& rounds);
