#include "platform/session/WindowSystemWithAccessibleTitles.h"

#include "platform/session/AccessibleWindowTitles.h"

QStringList WindowSystemWithAccessibleTitles::topLevelTitles()
{
    // The accessibility bus's list is kept up to date by its events: no bus call here, on every tick.
    QStringList titles = windows_.topLevelTitles();
    for (const QString& title : accessible_.titles()) {
        if (!titles.contains(title))
            titles << title;
    }
    return titles;
}

bool WindowSystemWithAccessibleTitles::reportTitleChanges(std::function<void()> report)
{
    // Only when both sides report can the caller stop reading the titles on every tick.
    if (!windows_.reportTitleChanges(report))
        return false;
    QObject::connect(&accessible_, &AccessibleWindowTitles::titlesChanged, &accessible_, report);
    return true;
}
