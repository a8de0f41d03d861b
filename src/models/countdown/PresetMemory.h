#pragma once

#include "models/countdown/PresetStore.h"

#include <QString>
#include <array>
#include <optional>

class SettingsStore;

// The presets' times kept between runs in the settings file, one key per preset
// ("countdown/preset1" = "08:00,01:00": the total, then the reminder, minutes:seconds).
namespace presetmemory {

QString key(int preset);

// The text kept for a start with these times.
QString text(int totalMinutes, int totalSeconds, int reminderMinutes, int reminderSeconds);

// The four entry texts ("08", "00", "01", "00") of a kept text; nothing for a text that is not one
// this program writes or whose times could not be started (a reminder not before the total, say).
std::optional<std::array<QString, 4>> parse(const QString& text);

// Keeps the times of an accepted start under its preset.
bool remember(SettingsStore& settings, int preset, int totalMinutes, int totalSeconds, int reminderMinutes,
              int reminderSeconds);

// Each preset with a sound kept text takes it; the others keep what they hold.
void restore(const SettingsStore& settings, PresetStore& presets);

} // namespace presetmemory
