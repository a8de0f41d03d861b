#pragma once

#include "models/countdown/PresetStore.h"
#include "platform/CatalogueText.h"
#include "platform/ProgramNoticeTitle.h"
#include "ui/ProgramWindow.h"

#include <QLineEdit>
#include <QPointer>
#include <QStringList>

class ClickableLabel;
class HelpWindow;
class CountDisplay;
class PostedStep;
class QComboBox;
class QFrame;
class QPushButton;
class TimeEntryControls;

// The main window (Form1): the countdown with its presets and time entry, and the buttons that lead
// to the other windows. It shows the program's countdown and its pause blink, and says what the
// teacher asked for; the reminder, the time-up and the tracking of the desktop are conducted around
// it (ui/flow). The controls are built in MainWindowLayout.cpp.
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
    static inline const CatalogueText& kNoticeTitle = kProgramNoticeTitle;

    explicit MainWindow(Program& program);
    ~MainWindow() override;

    void load() override;
    void unload() override;

    // Standard placement: centred horizontally, Top 2000 twips.
    void placeStandard();

    // The entry texts of the three presets as last typed.
    const PresetStore& presets() const;
    // The preset chosen now (0 to 2).
    int selectedPreset() const;
    // The presets take these texts; the boxes show the chosen one's.
    void takePresets(const PresetStore& presets);

    // What tracking keeps in line with the count and the desktop.
    void enableDraw();
    void setFoldEnabled(bool enabled);
    void showTitles(const QStringList& titles);
    // The buttons whose state tracking looks at.
    QList<QWidget*> trackedButtons() const;

    // The reminder in place of the count while it blinks, and the count back afterwards.
    void showReminder(const QString& text);
    void endReminder();
    // The time is up: the buttons of a running count go; the notice slides; the count stops.
    void showTimeUpBegun();
    void showTimeUp();
    void endTimeUp();

signals:
    // What the teacher asked for, for the conductor of the flow.
    void started();
    void countStopped();
    void foldRequested();
    void drawRequested();
    void exitRequested();
    void enlargeRequested();
    void settingsRequested();
    // The window is being released: its cue goes with it.
    void unloading();

protected:
    // The right click's menu: the way to the settings.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void onStartClicked();
    void onPauseClicked();
    void onStopClicked();
    void onHelpClicked();
    void onLogoClicked();
    // The help in its own window, at the anchor when one is given.
    void showHelp(const QString& anchor);
    // Layout (MainWindowLayout.cpp).
    void buildControls();
    void attachChrome();
    void connectControls();

    // The views of the countdown's states.
    void showRunning();
    void showStopped();
    void showPauseButton(bool paused);

    TimeEntryControls* entry_ = nullptr;
    CountDisplay* display_ = nullptr;

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

    PostedStep* helpStep_;
    QPointer<HelpWindow> help_;
};
