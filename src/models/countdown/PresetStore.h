#pragma once

#include <QString>
#include <array>

// The four entry texts of each of the three presets, kept for the run exactly as typed.
class PresetStore {
public:
    enum Slot { TotalMinutes = 0, TotalSeconds, ReminderMinutes, ReminderSeconds };
    static constexpr int kPresets = 3;

    PresetStore();

    const QString& text(int preset, Slot slot) const { return texts_.at(preset).at(slot); }
    void setText(int preset, Slot slot, const QString& text) { texts_.at(preset).at(slot) = text; }

    static const QString& caption(int preset);

private:
    std::array<std::array<QString, 4>, kPresets> texts_;
};
