#include "ui/Resources.h"

#include <QtGlobal>

static void initResourcesOnce()
{
    Q_INIT_RESOURCE(resources);
}

void initProgramResources()
{
    static const bool done = (initResourcesOnce(), true);
    (void)done;
}
