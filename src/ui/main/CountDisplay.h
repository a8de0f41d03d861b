#pragma once

#include <QObject>

class ClickableLabel;
class Countdown;
class PauseBlink;
class ProgramOptions;
class ProgramWindow;
class QLabel;
class TimerDriver;

// The main window's displays of the count: the remaining time, the reminder and the time-up notices,
// and the line under them with the preset, the run state (blinking while paused) and the set times.
// The labels are the main window's own, built here in its stacking order.
class CountDisplay : public QObject {
    Q_OBJECT
public:
    CountDisplay(ProgramWindow& window, TimerDriver& timers, Countdown& countdown, ProgramOptions& options);

    // The remaining time, which the teacher double-clicks for the enlarged window.
    ClickableLabel* countLabel() const { return countLabel_; }

    // Everything where the design has it, nothing blinking.
    void reset(ProgramWindow& window);
    void setPresetName(const QString& caption);
    void showRunning(const QString& summary);
    void showPaused(bool paused);
    void showStopped();
    // The notices take the count's place, and give it back.
    void showReminder(const QString& text);
    void endReminder();
    void showTimeUp();
    void endTimeUp();

private:
    void build(ProgramWindow& window);
    // The count's colour for its pace, and in overtime a name that says what the digits mean.
    void refreshCount();

    ClickableLabel* countLabel_ = nullptr;
    QLabel* timeUpLabel_ = nullptr;
    QLabel* reminderLabel_ = nullptr;
    QLabel* presetNameLabel_ = nullptr;
    QLabel* runStateLabel_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
    PauseBlink* pauseBlink_;
    Countdown& countdown_;
    ProgramOptions& options_;
};
