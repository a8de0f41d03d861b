#pragma once

#include "platform/ForwardingWindowSystem.h"

class AccessibleWindowTitles;

// A window system whose top-level titles also include the windows the accessibility bus lists: on
// Wayland, other programs' native windows are seen nowhere else. Everything else is the wrapped
// window system's.
class WindowSystemWithAccessibleTitles : public ForwardingWindowSystem {
public:
    WindowSystemWithAccessibleTitles(WindowSystem& windows, AccessibleWindowTitles& accessible)
        : ForwardingWindowSystem(windows), accessible_(accessible)
    {
    }

    QStringList topLevelTitles() override;
    bool reportTitleChanges(std::function<void()> report) override;

private:
    AccessibleWindowTitles& accessible_;
};
