#include "support/FakeWindowSystem.h"

bool FakeWindowSystem::reportKeys(const QList<int>& keyCodes, std::function<void(int, bool)> report)
{
    if (!reportsEvents)
        return false;
    reportedKeys_ = keyCodes;
    keyReport_ = std::move(report);
    return true;
}

bool FakeWindowSystem::reportTitleChanges(std::function<void()> report)
{
    if (!reportsEvents)
        return false;
    titleReport_ = std::move(report);
    return true;
}

void FakeWindowSystem::keyDown(int keyCode)
{
    keysDown.insert(keyCode);
    if (keyReport_ && reportedKeys_.contains(keyCode))
        keyReport_(keyCode, true);
}

void FakeWindowSystem::keyUp(int keyCode)
{
    keysDown.remove(keyCode);
    if (keyReport_ && reportedKeys_.contains(keyCode))
        keyReport_(keyCode, false);
}

void FakeWindowSystem::setTitles(const QStringList& list)
{
    titles = list;
    if (titleReport_)
        titleReport_();
}
