#pragma once

#include "platform/ForwardingWindowSystem.h"

class PortalShortcuts;

// A window system whose F9 and F11 also come from the desktop portal's global shortcuts; everything
// else (screens, window places, titles) is the wrapped window system's.
class WindowSystemWithPortalKeys : public ForwardingWindowSystem {
public:
    WindowSystemWithPortalKeys(WindowSystem& windows, PortalShortcuts& shortcuts)
        : ForwardingWindowSystem(windows), shortcuts_(shortcuts)
    {
    }

    bool isKeyDown(int keyCode) override;
    // Reported as events only when the wrapped window system reports its own keys too: a portal press
    // arrives as a press and a release at once. Otherwise the tracking asks isKeyDown on its ticks.
    bool reportKeys(const QList<int>& keyCodes, std::function<void(int, bool)> report) override;

private:
    PortalShortcuts& shortcuts_;
    // The portal's presses go to the report, no longer to isKeyDown, so none counts twice.
    bool portalReported_ = false;
};
