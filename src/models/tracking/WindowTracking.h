#pragma once

#include "models/tracking/EdgeDocking.h"
#include "models/tracking/ShowDetection.h"

// What the tracking of the desktop knows: the screen edge the main window is tucked at, and which
// presentation windows the last scan of the window titles found.
class WindowTracking {
public:
    const docking::Flags& docked() const { return docked_; }
    bool isDocked() const { return docked_.any(); }
    void setDocked(const docking::Flags& flags) { docked_ = flags; }
    void clearDocked() { docked_ = {}; }

    const showdetection::Found& lastScan() const { return lastScan_; }
    void setLastScan(const showdetection::Found& found) { lastScan_ = found; }

private:
    docking::Flags docked_;
    showdetection::Found lastScan_;
};
