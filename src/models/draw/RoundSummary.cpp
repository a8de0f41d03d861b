#include "models/draw/RoundSummary.h"

namespace {

struct Step {
    namelist::Person person;
    bool absent = false;
};

} // namespace

RoundSummary summarise(const RoundRecord& round)
{
    // The events replayed as the round took them: a step is a draw, possibly corrected to an absence.
    QList<Step> steps;
    RoundSummary summary;
    summary.startedAt = round.startedAt;
    for (const DrawEvent& event : round.events) {
        const namelist::Person person{event.number, event.name};
        switch (event.kind) {
        case DrawEvent::Kind::Drawn:
            steps.append({person, false});
            break;
        case DrawEvent::Kind::Absent:
            if (!steps.isEmpty() && !steps.last().absent)
                steps.last().absent = true;
            break;
        case DrawEvent::Kind::Undone:
            if (!steps.isEmpty())
                summary.undone.append(steps.takeLast().person);
            break;
        }
    }
    for (const Step& step : steps)
        (step.absent ? summary.absent : summary.order).append(step.person);
    return summary;
}

QString personKey(const namelist::Person& person)
{
    return person.number.trimmed() + QLatin1Char('\t') + person.name.trimmed();
}

QHash<QString, int> drawCounts(const QList<RoundRecord>& rounds)
{
    QHash<QString, int> counts;
    for (const RoundRecord& round : rounds) {
        for (const namelist::Person& person : summarise(round).order)
            ++counts[personKey(person)];
    }
    return counts;
}
