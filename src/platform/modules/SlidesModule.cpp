// The built-in slide show as a module: Qt PDF and the show window, loaded when a deck is first opened.
#include "platform/modules/ModuleEntry.h"
#include "platform/presentation/BuiltInPresentation.h"

VANTREL_MODULE_INTERFACE_VERSION

extern "C" Q_DECL_EXPORT Presentation* vantrel_create_presentation()
{
    return new BuiltInPresentation();
}
