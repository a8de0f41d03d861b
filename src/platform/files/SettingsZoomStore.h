#pragma once

#include "platform/ZoomStore.h"

class SettingsFile;

// The zoom of each kind of window in the user's settings file ([zoom] of vantrel.ini), keyed by the
// window's role ("main=150"). Earlier versions keyed it by the window's design name ("Form1=150"): such
// a key is taken over once, when the store is made, and kept for a version that still reads it.
class SettingsZoomStore : public ZoomStore {
public:
    explicit SettingsZoomStore(SettingsFile& settings);

    std::optional<int> percent(const QString& window) const override;
    void setPercent(const QString& window, int percent) override;

private:
    SettingsFile& settings_;
};
