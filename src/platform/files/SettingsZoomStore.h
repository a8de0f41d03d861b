#pragma once

#include "platform/ZoomStore.h"

class SettingsFile;

// The zoom of each kind of window in the user's settings file ([zoom] of vantrel.ini).
class SettingsZoomStore : public ZoomStore {
public:
    explicit SettingsZoomStore(SettingsFile& settings) : settings_(settings) {}

    std::optional<int> percent(const QString& window) const override;
    void setPercent(const QString& window, int percent) override;

private:
    SettingsFile& settings_;
};
