#include "ui/main/MainWindow.h"

#include "models/countdown/TimeEntry.h"
#include "models/countdown/TimeText.h"
#include "platform/Dialogs.h"
#include "platform/WindowSystem.h"
#include "platform/files/HelpFiles.h"
#include "ui/ClickableLabel.h"
#include "ui/Controls.h"
#include "ui/PostedStep.h"
#include "ui/WindowContext.h"
#include "ui/display/Tray.h"
#include "ui/main/CountDisplay.h"
#include "ui/main/HelpOpening.h"
#include "ui/main/SecondsCheck.h"
#include "ui/main/TimeEntryControls.h"
#include "ui/support/FirstPaint.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace {

// A main window that is never painted (hidden at once) still gets its tray icon, this long after loading.
constexpr int kTrayAtTheLatestMs = 1000;
} // namespace

MainWindow::MainWindow(Program& program)
    : ProgramWindow(program, WindowKind::Main),
      helpStep_(new PostedStep(ProgramWindow::program().timers(), QStringLiteral("HelpStep"), this))
{
    setWindowTitle(kLoadingTitle);
    setFont(twips::font(QStringLiteral("宋体"), 9));
    resizeTwips(kWidth, kNormalHeight);
    buildControls();
    connectControls();
    attachChrome();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls()
{
    connect(startButton_, &QPushButton::clicked, this, &MainWindow::onStartClicked);
    connect(pauseButton_, &QPushButton::clicked, this, &MainWindow::onPauseClicked);
    connect(stopButton_, &QPushButton::clicked, this, &MainWindow::onStopClicked);
    connect(foldButton_, &QPushButton::clicked, this, &MainWindow::foldRequested);
    connect(drawButton_, &QPushButton::clicked, this, &MainWindow::drawRequested);
    connect(helpButton_, &QPushButton::clicked, this, &MainWindow::onHelpClicked);
    connect(exitButton_, &QPushButton::clicked, this, &MainWindow::exitRequested);
    connect(logo_, &ClickableLabel::clicked, this, &MainWindow::onLogoClicked);
    connect(display_->countLabel(), &ClickableLabel::doubleClicked, this, &MainWindow::enlargeRequested);

    new SecondsCheck(program().dialogs(), *this, {entry_->totalSecondsBox(), entry_->reminderSecondsBox()});
}

const PresetStore& MainWindow::presets() const
{
    return entry_->presets();
}

int MainWindow::selectedPreset() const
{
    return entry_->selectedPreset();
}

void MainWindow::takePresets(const PresetStore& presets)
{
    entry_->takePresets(presets);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = findChild<QMenu*>(QStringLiteral("MainContextMenu"), Qt::FindDirectChildrenOnly);
    if (!menu) {
        menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("MainContextMenu"));
        menu->setFont(font());
        menu->addAction(tr("设置"), this, &MainWindow::settingsRequested);
    }
    menu->popup(event->globalPos());
    event->accept();
}

void MainWindow::placeStandard()
{
    centreHorizontally(kStandardTop);
}

void MainWindow::load()
{
    titleList_->clear();
    setHeightTwips(kNormalHeight);
    entry_->reset();
    display_->reset(*this);
    placeStandard();
    program().windows().makeTopMost(this);
    show();
    // Only a shown window knows its frame: keep the designed outer size and the standard place.
    resizeTwips(kWidth, kNormalHeight);
    placeStandard();
    // The tray icon asks the session bus for a notification area: the window's first picture does
    // not wait for that. Should the window be hidden before it is painted, the icon comes all the same.
    afterFirstPaint(this, [this] { Tray::create(*this); });
    QTimer::singleShot(kTrayAtTheLatestMs, this, [this] { Tray::create(*this); });
    setWindowTitle(kTitle);
}

void MainWindow::unload()
{
    // The count ends with the window that shows it.
    Countdown& countdown = program().countdown();
    if (countdown.isCounting() || countdown.isPaused() || countdown.isTicking())
        countdown.stop();
    emit unloading();
}

void MainWindow::showPauseButton(bool paused)
{
    pauseButton_->setText(paused ? tr("继续") : tr("暂停"));
    pauseButton_->setToolTip(paused ? tr("继续开始定时器计时") : tr("暂停定时器计时"));
}

void MainWindow::showRunning()
{
    const Countdown& countdown = program().countdown();
    entry_->setPresetsEnabled(false);
    drawButton_->setEnabled(false);
    display_->showRunning(summaryText(countdown.startedMinutes(), countdown.startedSeconds(),
                                      countdown.reminderMinutes(), countdown.reminderSeconds()));
    entry_->setRowVisible(false);
    foldButton_->setEnabled(true);
    startButton_->setEnabled(false);
    pauseButton_->setEnabled(true);
    stopButton_->setEnabled(true);
}

void MainWindow::showStopped()
{
    entry_->setPresetsEnabled(true);
    stopButton_->setEnabled(false);
    pauseButton_->setEnabled(false);
    foldButton_->setEnabled(false);
    startButton_->setEnabled(true);
    display_->showStopped();
    showPauseButton(false);
    entry_->setRowVisible(true);
    emit countStopped();
}

void MainWindow::onStartClicked()
{
    display_->setPresetName(PresetStore::caption(entry_->selectedPreset()));
    const StartCheck check = program().countdown().start(
        readBox(entry_->totalMinutesBox()->text()), readBox(entry_->totalSecondsBox()->text()),
        readBox(entry_->reminderMinutesBox()->text()), readBox(entry_->reminderSecondsBox()->text()));
    switch (check) {
    case StartCheck::TooShort:
        placeStandard();
        program().dialogs().inform(this, EntryMessages::kTooShortTitle, EntryMessages::kTooShort);
        return;
    case StartCheck::ReminderTooLate:
        placeStandard();
        program().dialogs().inform(this, EntryMessages::kReminderTitle, EntryMessages::kReminderTooLate);
        entry_->reminderMinutesBox()->setText(QStringLiteral("0"));
        return;
    case StartCheck::Accepted:
        break;
    }
    showRunning();
    show();
    emit started();
}

void MainWindow::onPauseClicked()
{
    Countdown& countdown = program().countdown();
    const bool pausing = !countdown.isPaused();
    if (pausing)
        countdown.pause();
    else
        countdown.resume();
    showPauseButton(pausing);
    display_->showPaused(pausing);
    foldButton_->setEnabled(!pausing);
}

void MainWindow::onStopClicked()
{
    placeStandard();
    // The count goes on while the question is open.
    if (program().dialogs().askYesNo(this, kNoticeTitle, tr("确实要停止计时吗?")) != Answer::Yes)
        return;
    program().countdown().stop();
    showStopped();
}

void MainWindow::onHelpClicked()
{
    // The taller layout while the help is open; the pointer over the window brings the normal height back.
    setHeightTwips(kHelpHeight);
    // The taller window is drawn before the help is read and shown.
    helpStep_->post([this] { showHelp({}); });
}

void MainWindow::onLogoClicked()
{
    showHelp(QStringLiteral("about"));
}

void MainWindow::showHelp(const QString& anchor)
{
    showHelpPage(*this, help_, program().dialogs(), program().shippedFolders(), program().dataFolder(),
                 kNoticeTitle, anchor);
}

// ---- What the conductor of the flow shows here ----

void MainWindow::enableDraw()
{
    drawButton_->setEnabled(true);
}

void MainWindow::setFoldEnabled(bool enabled)
{
    foldButton_->setEnabled(enabled);
}

void MainWindow::showTitles(const QStringList& titles)
{
    titleList_->clear();
    titleList_->addItems(titles);
}

QList<QWidget*> MainWindow::trackedButtons() const
{
    return {foldButton_, drawButton_};
}

void MainWindow::showReminder(const QString& text)
{
    stopButton_->setEnabled(false);
    foldButton_->setEnabled(false);
    display_->showReminder(text);
    for (QWidget* covered : entry_->coveredByNotice())
        covered->hide();
}

void MainWindow::endReminder()
{
    stopButton_->setEnabled(true);
    foldButton_->setEnabled(true);
    display_->endReminder();
}

void MainWindow::showTimeUpBegun()
{
    startButton_->setEnabled(false);
    pauseButton_->setEnabled(false);
    stopButton_->setEnabled(false);
}

void MainWindow::showTimeUp()
{
    display_->showTimeUp();
    foldButton_->setEnabled(false);
    for (QWidget* covered : entry_->coveredByNotice())
        covered->hide();
}

void MainWindow::endTimeUp()
{
    display_->endTimeUp();
    // With overtime on, the count goes on upward in the running view.
    if (program().countdown().isCounting())
        showRunning();
    else
        showStopped();
}
