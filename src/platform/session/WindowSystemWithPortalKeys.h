#pragma once

#include "platform/session/ForwardingWindowSystem.h"

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
    // Keys are not reported as events: the portal's presses are only seen by asking, so the tracking
    // keeps asking isKeyDown on its ticks.
    bool reportKeys(const QList<int>&, std::function<void(int, bool)>) override { return false; }

private:
    PortalShortcuts& shortcuts_;
};
