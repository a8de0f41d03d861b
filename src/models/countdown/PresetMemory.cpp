#include "models/countdown/PresetMemory.h"

#include "models/countdown/TimeEntry.h"
#include "models/countdown/TimeText.h"
#include "platform/SettingsStore.h"

#include <QRegularExpression>

namespace presetmemory {

QString key(int preset)
{
    return QStringLiteral("countdown/preset%1").arg(preset + 1);
}

QString text(int totalMinutes, int totalSeconds, int reminderMinutes, int reminderSeconds)
{
    return QStringLiteral("%1:%2,%3:%4")
        .arg(twoDigitText(totalMinutes), twoDigitText(totalSeconds), twoDigitText(reminderMinutes),
             twoDigitText(reminderSeconds));
}

std::optional<std::array<QString, 4>> parse(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{1,2}),(\\d{1,2}):(\\d{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    std::array<int, 4> values{};
    for (int i = 0; i < 4; ++i)
        values[i] = match.captured(i + 1).toInt();
    if (values[1] > 59 || values[3] > 59)
        return std::nullopt;
    if (checkStart(values[0], values[1], values[2], values[3]) != StartCheck::Accepted)
        return std::nullopt;
    return std::array<QString, 4>{twoDigitText(values[0]), twoDigitText(values[1]), twoDigitText(values[2]),
                                  twoDigitText(values[3])};
}

bool remember(SettingsStore& settings, int preset, int totalMinutes, int totalSeconds, int reminderMinutes,
              int reminderSeconds)
{
    if (preset < 0 || preset >= PresetStore::kPresets)
        return false;
    const QString kept = text(totalMinutes, totalSeconds, reminderMinutes, reminderSeconds);
    if (settings.value(key(preset)) == kept)
        return true;
    return settings.setValue(key(preset), kept);
}

void restore(const SettingsStore& settings, PresetStore& presets)
{
    for (int preset = 0; preset < PresetStore::kPresets; ++preset) {
        const std::optional<std::array<QString, 4>> texts = parse(settings.value(key(preset)));
        if (!texts)
            continue;
        presets.setText(preset, PresetStore::TotalMinutes, (*texts)[0]);
        presets.setText(preset, PresetStore::TotalSeconds, (*texts)[1]);
        presets.setText(preset, PresetStore::ReminderMinutes, (*texts)[2]);
        presets.setText(preset, PresetStore::ReminderSeconds, (*texts)[3]);
    }
}

} // namespace presetmemory
