#include "platform/session/WindowSystemWithPortalKeys.h"

#include "platform/session/PortalShortcuts.h"

bool WindowSystemWithPortalKeys::isKeyDown(int keyCode)
{
    // Both are asked: a press the portal latched must be taken now, not on a later tick.
    const bool fromPortal = shortcuts_.isKeyDown(keyCode);
    return windows_.isKeyDown(keyCode) || fromPortal;
}
