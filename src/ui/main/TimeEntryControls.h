#pragma once

#include "models/countdown/PresetStore.h"

#include <QObject>
#include <array>

class ProgramWindow;
class QLabel;
class QLineEdit;
class QRadioButton;

// The main window's time entry: the boxes for the total and the reminder time, their captions and
// units, and the three presets, each remembering what was last typed while it was chosen. The
// controls are the main window's own, built here in the window's keyboard order.
class TimeEntryControls : public QObject {
    Q_OBJECT
public:
    explicit TimeEntryControls(ProgramWindow& window);

    // The boxes and the presets as shipped, the boxes taking digits only.
    void reset();

    int selectedPreset() const;
    const PresetStore& presets() const { return presets_; }
    // The presets take these texts; the boxes show the chosen one's.
    void takePresets(const PresetStore& presets);

    QLineEdit* totalMinutesBox() const { return totalMinutesBox_; }
    QLineEdit* totalSecondsBox() const { return totalSecondsBox_; }
    QLineEdit* reminderMinutesBox() const { return reminderMinutesBox_; }
    QLineEdit* reminderSecondsBox() const { return reminderSecondsBox_; }

    // The row of boxes while the count is stopped; gone while it runs.
    void setRowVisible(bool visible);
    void setPresetsEnabled(bool enabled);
    // What the count's notices cover.
    QList<QWidget*> coveredByNotice() const;

private:
    void build(ProgramWindow& window);
    QLineEdit* makeTimeBox(ProgramWindow& window, const QString& name, const QString& text);
    void onPresetClicked(int preset);
    void onBoxEdited(QLineEdit* box);

    std::array<QRadioButton*, PresetStore::kPresets> presetButtons_{};
    QLabel* presetCaption_ = nullptr;
    QLabel* totalCaption_ = nullptr;
    QLabel* reminderCaption_ = nullptr;
    QLineEdit* totalMinutesBox_ = nullptr;
    QLineEdit* totalSecondsBox_ = nullptr;
    QLineEdit* reminderMinutesBox_ = nullptr;
    QLineEdit* reminderSecondsBox_ = nullptr;
    QLabel* totalMinutesUnit_ = nullptr;
    QLabel* totalSecondsUnit_ = nullptr;
    QLabel* reminderMinutesUnit_ = nullptr;
    QLabel* reminderSecondsUnit_ = nullptr;
    PresetStore presets_;
};
