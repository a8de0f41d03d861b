#include "ui/WindowContext.h"

#include "models/draw/ClassLists.h"
#include "models/draw/NameListFile.h"
#include "platform/WindowSystem.h"
#include "platform/office/WarmSpreadsheet.h"

WindowContext::WindowContext(Services services)
    : services_(std::move(services)), countdown_(services_.timers),
      instructionShow_(services_.timers, services_.presentations, services_.dataFolder)
{
}

WindowContext::~WindowContext() = default;

double WindowContext::twipsPerPixel() const
{
    return services_.windows.twipsPerPixel();
}

void WindowContext::prepareNameList()
{
    // The class list the teacher chose, else the data folder's own.
    const QString chosen = ClassLists(settings()).current();
    if (services_.officeWarmUp)
        services_.officeWarmUp->prepare(chosen.isEmpty() ? namelist::findFile(services_.dataFolder) : chosen,
                                        namelist::kSheet);
}

void WindowContext::leaveNameList()
{
    if (services_.officeWarmUp)
        services_.officeWarmUp->leave();
}
