#pragma once

#include "models/countdown/PresetStore.h"
#include "models/tracking/EdgeDocking.h"
#include "ui/Form.h"

#include <QLineEdit>
#include <QPointer>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class ClickableLabel;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SoundDevice;
class Timer;

// The main window, Form1: the countdown timer with its presets and entries, and the buttons that lead
// to the other windows. Its behaviour is split by concern over several files: the layout and start-up
// here, time entry and presets in timer/MainWindowEntry.cpp, the countdown in
// timer/MainWindowCountdown.cpp, window tracking and the buttons of the display windows in display/.
class MainWindow : public Form {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::Main;
    static constexpr double kNormalHeight = 2850;
    static constexpr double kHelpHeight = 3435;
    static constexpr double kWidth = 5430;
    static constexpr double kStandardTop = 2000;
    static inline const QString kLoadingTitle = QStringLiteral("Vantrel工具    程序载入， 请稍候…");
    static inline const QString kNoticeTitle = QStringLiteral("Vantrel工具提示：");

    explicit MainWindow(Program& program);
    ~MainWindow() override;

    void load() override;
    void unload() override;

    // Tracking of the desktop (docking, the show scan, F9/F11) runs again.
    void resumeTracking();

    // Standard placement: centred horizontally, Top 2000 twips.
    void placeStandard();

    // Handlers, by the control and event they answer.
    void command1Click(); // 开始
    void command2Click(); // 暂停 / 继续
    void command3Click(); // 停止
    void command4Click(); // 缩小
    void command5Click(); // 抽签
    void command6Click(); // 帮助
    void command7Click(); // 退出
    void image1Click();   // logo
    void label3DoubleClick();
    void selectPreset(int preset);
    void boxChanged(QLineEdit* box);
    void timer1Tick();
    void timer2Tick();
    void timer3Tick();
    void timer4Tick();
    void timer5Tick();

    // Fills Combo1 and TitleCount with the titles of the top-level windows.
    void findTitle();

    // Gives a text box the digits-only style, or takes it away.
    static void setNumber(QLineEdit* box, bool digitsOnly);

    // Pointer behaviours of the window (drag, hover focus, height restore).
    void attachChrome();
    // The bell in the notification area; it lives as long as this window.
    void createTray();

    // Plays the main window's cue from its beginning.
    void playCue();
    SoundDevice& soundDevice() { return *sound_; }

    int selectedPreset() const;
    const PresetStore& presets() const { return presets_; }
    int titleCount() const { return titleCount_; }

    // Controls, named as in the window's design.
    QLabel *Label1, *Label2, *Label5, *Label6, *Label7, *Label8, *Label18, *Label22, *Label28, *Label29,
        *Label30, *Label31;
    ClickableLabel* Label3;
    ClickableLabel* Image1;
    QLineEdit *Text1, *Text2, *Text4, *Text5;
    QRadioButton *Option1, *Option2, *Option3;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7;
    QFrame *Frame1, *Frame2, *Frame3;
    QComboBox* Combo1;
    Timer *Timer1, *Timer2, *Timer3, *Timer4, *Timer5;

    // The countdown's own values.
    int16_t CountMinutes = 0, CountSeconds = 0, TotalSeconds = 0;
    int16_t ReminderMinutes = 0, ReminderSeconds = 0;
    int16_t SavedTotalMinutes = 0, SavedTotalSeconds = 0, SavedReminderMinutes = 0, SavedReminderSeconds = 0;
    QString MinuteText, SecondText, StartSecondText;
    int16_t SlideDirection = -1;
    int16_t TimeUpTicks = 0;
    int16_t ReminderTicks = 0;
    int16_t BlinkPhase = 1;
    bool TipWasVisible = false;
    bool MainWasVisible = false;
    // Place and edge flags saved by a reminder that fired while the window was tucked away.
    struct SavedPlace {
        double left = 0, top = 0;
        docking::Flags docked;
    };
    std::optional<SavedPlace> reminderSavedPlace;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    void setEntryRowVisible(bool visible);
    void setPresetsEnabled(bool enabled);
    QLineEdit* makeTimeBox(const QString& name, const QString& text);
    bool validateSeconds(QLineEdit* box);
    void readEntries();
    void restoreEntries();
    // Shows the count in the window and hands it to the windows that mirror it.
    void showCount(const QString& text);
    void stopHideFrom(bool fromTimeUp);

    PresetStore presets_;
    std::unique_ptr<SoundDevice> sound_;
    int titleCount_ = 0;
    // Window tracking: the last scan as the window system gave it, and the titles that Combo1 holds.
    QStringList deliveredTitles_;
    QStringList scannedTitles_;
    bool validating_ = false;
    // A seconds box that a click is leaving with a value above 59.
    QPointer<QLineEdit> leavingSecondsBox_;
};
