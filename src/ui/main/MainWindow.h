#pragma once

#include "models/countdown/PresetStore.h"
#include "models/countdown/ReminderBlink.h"
#include "models/countdown/TimeUpSlide.h"
#include "models/tracking/EdgeDocking.h"
#include "models/tracking/TrackingStep.h"
#include "platform/CatalogueText.h"
#include "ui/ProgramWindow.h"

#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>

class ClickableLabel;
class HelpWindow;
class PauseBlink;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class SoundDevice;
class Timer;

// The main window (Form1): the countdown with its presets and time entry, and the buttons that lead
// to the other windows. It shows the program's countdown and runs its effects (the reminder blink,
// the time-up slide, the pause blink), and it tracks the desktop every 100 ms while anything needs a
// look (edge docking, the slide-show scan behind "缩小", F9 and F11). The controls are built in
// MainWindowLayout.cpp.
class MainWindow : public ProgramWindow {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::Main;
    static constexpr double kNormalHeight = 2850;
    static constexpr double kHelpHeight = 3435;
    static constexpr double kWidth = 5430;
    static constexpr double kStandardTop = 2000;
    static inline const CatalogueText kLoadingTitle{
        "MainWindow", QT_TRANSLATE_NOOP("MainWindow", "Vantrel工具    程序载入， 请稍候…")};
    // The title once loading is over: the loading one would make the program look stuck.
    static inline const CatalogueText kTitle{"MainWindow", QT_TRANSLATE_NOOP("MainWindow", "Vantrel工具")};
    static inline const CatalogueText kNoticeTitle{"MainWindow",
                                                   QT_TRANSLATE_NOOP("MainWindow", "Vantrel工具提示：")};

    explicit MainWindow(Program& program);
    ~MainWindow() override;

    void load() override;
    void unload() override;

    // Tracking of the desktop (docking, the show scan, F9/F11) runs again.
    void resumeTracking();

    // Back in view at its standard place, whatever was shown (F11, a second start): the strip and
    // the launcher go, the window is un-minimised and raised above a running show.
    void bringBack();

    // Standard placement: centred horizontally, Top 2000 twips.
    void placeStandard();

    // Gives a text box the digits-only style, or takes it away.
    static void setNumber(QLineEdit* box, bool digitsOnly);

    // The main window's cue; the draws close it before they play their own.
    SoundDevice& soundDevice() { return *sound_; }

    // The entry texts of the three presets as last typed.
    const PresetStore& presets() const { return presets_; }
    // How many titled top-level windows the last tracking tick found.

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void onStartClicked();
    void onPauseClicked();
    void onStopClicked();
    void onFoldClicked();
    void onDrawClicked();
    void onHelpClicked();
    void onExitClicked();
    void onLogoClicked();
    // The help in its own window, at the anchor when one is given.
    void showHelp(const QString& anchor);
    void onCountDoubleClicked();
    void onPresetClicked(int preset);
    void onBoxEdited(QLineEdit* box);

    void onReminderReached();
    void onTimeUp();
    void onReminderBlinkStep(const ReminderBlink::Step& step);
    void onTimeUpSlideStep(const TimeUpSlide::Step& step);
    void onTrackingTick();

private:
    // Layout (MainWindowLayout.cpp).
    void buildControls();
    QLineEdit* makeTimeBox(const QString& name, const QString& text);
    void attachChrome();

    void connectControls();
    void connectCountdown();
    void connectTracking();

    // The views of the countdown's states.
    void showRunning();
    void showStopped();
    void showPauseButton(bool paused);
    void setEntryRowVisible(bool visible);
    void setPresetsEnabled(bool enabled);
    // The count gives way to a notice (the reminder or time up) and the boxes it covers.
    void hideCountForNotice();

    // Tracking on events, where the window system reports keys and title changes: Timer2 runs
    // only while something needs a look, and an event wakes it.
    void wakeTracking();
    bool isTrackingOff() const;
    DesktopView desktopView();
    // Shown by the program itself, not by the user: the window comes up without taking the
    // keyboard from the program the user works in. While the reminder or the time-up runs, the
    // window takes no focus at all.
    void showWithoutFocus();
    void holdFocusWhileNoticesRun();
    // Over a slide show that has the keyboard, a window of ours that is shown is kept above it
    // without taking the keyboard; once another program's window has the keyboard, or the show is
    // gone, it is the window manager's again. True when the window is kept above.
    bool stackForShow(QWidget* window);
    bool stackForShow(QWidget* window, std::optional<bool> above);
    // The rule applied to who has the keyboard now (asked of the window system).
    std::optional<bool> keepAboveShow();
    // Where the teacher had the window before an effect took it to the screen the class sees.
    void noteTeacherPlace();
    // Back on the teacher's screen after an effect that showed on another one; `standard` puts it at
    // the standard place there rather than where it was.
    void returnToTeacherScreen(bool standard);

    int selectedPreset() const;
    bool validateSeconds(QLineEdit* box);
    void playCue();
    void createTray();

    // Time entry.
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

    // The countdown.
    ClickableLabel* countLabel_ = nullptr;
    QLabel* timeUpLabel_ = nullptr;
    QLabel* reminderLabel_ = nullptr;
    QLabel* presetNameLabel_ = nullptr;
    QLabel* runStateLabel_ = nullptr;
    QLabel* summaryLabel_ = nullptr;

    // The button row, the logo and the passive frames behind them.
    QPushButton* startButton_ = nullptr;
    QPushButton* pauseButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPushButton* foldButton_ = nullptr;
    QPushButton* drawButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QFrame* entryFrame_ = nullptr;
    QFrame* buttonFrame_ = nullptr;
    QFrame* logoFrame_ = nullptr;
    ClickableLabel* logo_ = nullptr;

    // The titles of the top-level windows gathered by the last scan; never shown.
    QComboBox* titleList_ = nullptr;

    ReminderBlink* reminderBlink_;
    TimeUpSlide* timeUpSlide_;
    PauseBlink* pauseBlink_;
    Timer* trackingTimer_;
    bool trackingOnEvents_ = false; // keys and title changes are reported as they happen
    bool trackingIdle_ = false;     // Timer2 stopped itself, with nothing to look at
    bool trackingWoken_ = false;    // an event came since the tick began

    PresetStore presets_;
    std::unique_ptr<SoundDevice> sound_;

    // Place and edge flags saved by a reminder that fired while the window was tucked away.
    struct SavedPlace {
        double left = 0, top = 0;
        docking::Flags docked;
    };
    std::optional<SavedPlace> reminderSavedPlace_;
    // The window's place (outer top-left, twips) when the reminder or the time-up began.
    std::optional<QPointF> teacherPlace_;

    // A seconds check shows its message.
    bool validating_ = false;
    // A seconds box that a click is leaving with a value above 59.
    QPointer<QLineEdit> leavingSecondsBox_;
    QPointer<HelpWindow> help_;
};
