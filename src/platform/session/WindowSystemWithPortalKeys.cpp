#include "platform/session/WindowSystemWithPortalKeys.h"

#include "platform/session/PortalShortcuts.h"

bool WindowSystemWithPortalKeys::isKeyDown(int keyCode)
{
    if (portalReported_)
        return windows_.isKeyDown(keyCode);
    // Both are asked: a press the portal latched must be taken now, not on a later tick.
    const bool fromPortal = shortcuts_.isKeyDown(keyCode);
    return windows_.isKeyDown(keyCode) || fromPortal;
}

bool WindowSystemWithPortalKeys::reportKeys(const QList<int>& keyCodes, std::function<void(int, bool)> report)
{
    if (!windows_.reportKeys(keyCodes, report))
        return false;
    portalReported_ = true;
    // The portal tells of a press, and of its end only sometimes: each press is a whole tap, so a
    // held shortcut still acts once and a missing release never swallows the next press.
    QObject::connect(&shortcuts_, &PortalShortcuts::pressed, &shortcuts_, [keyCodes, report](int keyCode) {
        if (!keyCodes.contains(keyCode))
            return;
        report(keyCode, true);
        report(keyCode, false);
    });
    return true;
}
