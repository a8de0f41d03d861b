#include "platform/files/SettingsZoomStore.h"

#include "platform/files/SettingsFile.h"

namespace {
QString keyFor(const QString& window)
{
    return QStringLiteral("zoom/") + window;
}
} // namespace

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
    // A file that cannot take it is reported by the settings; the zoom holds for this run anyway.
    settings_.setValue(keyFor(window), QString::number(percent));
}
