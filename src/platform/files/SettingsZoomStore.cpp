#include "platform/files/SettingsZoomStore.h"

#include "platform/files/SettingsFile.h"

namespace {
QString keyFor(const QString& window)
{
    return QStringLiteral("zoom/") + window;
}

// The names under which earlier versions kept each role's zoom. They are in users' files for good,
// whatever the windows are called now.
struct FormerKey {
    const char* role;
    const char* former;
};
constexpr FormerKey kFormerKeys[] = {
    {"main", "Form1"},           {"draw-launcher", "Form2"}, {"tool-strip", "Form3"},
    {"name-list-draw", "Form4"}, {"slide-draw", "Form5"},    {"enlarged-countdown", "Form6"},
    {"sequence-draw", "Form7"},
};
} // namespace

SettingsZoomStore::SettingsZoomStore(SettingsFile& settings) : settings_(settings)
{
    for (const FormerKey& key : kFormerKeys) {
        const QString role = QString::fromLatin1(key.role);
        if (!settings_.value(keyFor(role)).isEmpty())
            continue;
        const QString former = settings_.value(keyFor(QString::fromLatin1(key.former)));
        // A file that cannot take it is reported by the settings; the zoom holds for this run anyway.
        if (!former.isEmpty())
            settings_.setValue(keyFor(role), former);
    }
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
    // A file that cannot take it is reported by the settings; the zoom holds for this run anyway.
    settings_.setValue(keyFor(window), QString::number(percent));
}
