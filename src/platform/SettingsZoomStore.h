#pragma once

#include "platform/ZoomStore.h"

#include <QSettings>

// The zoom of each kind of window in the user's settings ($XDG_CONFIG_HOME/vantrel/vantrel.ini).
class SettingsZoomStore : public ZoomStore {
public:
    SettingsZoomStore();

    std::optional<int> percent(const QString& window) const override;
    void setPercent(const QString& window, int percent) override;

private:
    QSettings settings_;
};
