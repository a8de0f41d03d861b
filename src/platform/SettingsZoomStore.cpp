#include "platform/SettingsZoomStore.h"

namespace {
QString keyFor(const QString& window)
{
    return QStringLiteral("zoom/") + window;
}
} // namespace

// One settings file for the whole program: the notices of the desktop session keep theirs here too.
SettingsZoomStore::SettingsZoomStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vantrel"),
                QStringLiteral("vantrel"))
{
}

std::optional<int> SettingsZoomStore::percent(const QString& window) const
{
    bool ok = false;
    const int value = settings_.value(keyFor(window)).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

void SettingsZoomStore::setPercent(const QString& window, int percent)
{
    settings_.setValue(keyFor(window), percent);
    settings_.sync();
}
