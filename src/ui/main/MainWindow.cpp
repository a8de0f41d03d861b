#include "ui/main/MainWindow.h"

#include "models/countdown/PauseBlink.h"
#include "models/countdown/TimeEntry.h"
#include "models/countdown/TimeText.h"
#include "models/display/ScreenPlacement.h"
#include "models/tracking/ShowStacking.h"
#include "models/tracking/WindowTracking.h"
#include "platform/Dialogs.h"
#include "platform/FirstPaint.h"
#include "platform/HelpFiles.h"
#include "platform/SoundDevice.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/ClickableLabel.h"
#include "ui/Controls.h"
#include "ui/DigitsValidator.h"
#include "ui/Program.h"
#include "ui/display/EnlargedWindow.h"
#include "ui/display/HelpWindow.h"
#include "ui/display/ToolStrip.h"
#include "ui/display/Tray.h"
#include "ui/draw/DrawLauncher.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cmath>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

const QString kRunning = QStringLiteral("正在计时");
const QString kPaused = QStringLiteral("暂停计时");
// A main window that is never painted (hidden at once) still gets its tray icon, this long after loading.
constexpr int kTrayAtTheLatestMs = 1000;
} // namespace

MainWindow::MainWindow(Program& program)
    : ProgramWindow(program, WindowKind::Main), reminderBlink_(new ReminderBlink(program.timers(), this)),
      timeUpSlide_(new TimeUpSlide(program.timers(), this)),
      pauseBlink_(new PauseBlink(program.timers(), this)),
      trackingTimer_(makeTimer(QStringLiteral("Timer2"), 100, TickPolicy::Pacing))
{
    setWindowTitle(kLoadingTitle);
    setFont(twips::font(QStringLiteral("宋体"), 9));
    resizeTwips(kWidth, kNormalHeight);
    buildControls();
    connectControls();
    attachChrome();
    connectCountdown();
    connectTracking();
    sound_ = program.sounds().create();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls()
{
    connect(startButton_, &QPushButton::clicked, this, &MainWindow::onStartClicked);
    connect(pauseButton_, &QPushButton::clicked, this, &MainWindow::onPauseClicked);
    connect(stopButton_, &QPushButton::clicked, this, &MainWindow::onStopClicked);
    connect(foldButton_, &QPushButton::clicked, this, &MainWindow::onFoldClicked);
    connect(drawButton_, &QPushButton::clicked, this, &MainWindow::onDrawClicked);
    connect(helpButton_, &QPushButton::clicked, this, &MainWindow::onHelpClicked);
    connect(exitButton_, &QPushButton::clicked, this, &MainWindow::onExitClicked);
    connect(logo_, &ClickableLabel::clicked, this, &MainWindow::onLogoClicked);
    connect(countLabel_, &ClickableLabel::doubleClicked, this, &MainWindow::onCountDoubleClicked);
    for (int i = 0; i < PresetStore::kPresets; ++i)
        connect(presetButtons_[i], &QRadioButton::clicked, this, [this, i] { onPresetClicked(i); });
    for (QLineEdit* box : {totalMinutesBox_, reminderMinutesBox_, totalSecondsBox_, reminderSecondsBox_})
        connect(box, &QLineEdit::textChanged, this, [this, box] { onBoxEdited(box); });

    // The seconds check runs before the focus leaves a seconds box, whether by the keyboard or by a
    // click on another control.
    for (QWidget* control : findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus)
            control->installEventFilter(this);
    }
}

void MainWindow::connectCountdown()
{
    Countdown& countdown = program().countdown();
    countLabel_->setText(countdown.countText());
    connect(&countdown, &Countdown::countTextChanged, countLabel_, &QLabel::setText);
    connect(&countdown, &Countdown::reminderReached, this, &MainWindow::onReminderReached);
    connect(&countdown, &Countdown::timeUp, this, &MainWindow::onTimeUp);
    connect(reminderBlink_, &ReminderBlink::stepped, this, &MainWindow::onReminderBlinkStep);
    connect(timeUpSlide_, &TimeUpSlide::stepped, this, &MainWindow::onTimeUpSlideStep);
    connect(pauseBlink_, &PauseBlink::colourChanged, this, [this](PauseBlink::Colour colour) {
        setTextColour(runStateLabel_, colour == PauseBlink::Colour::Red ? kRed : kBlue);
    });
    trackingTimer_->onTick([this] { onTrackingTick(); });
}

void MainWindow::setNumber(QLineEdit* box, bool digitsOnly)
{
    if (!box)
        return;
    if (digitsOnly)
        box->setValidator(new DigitsValidator(box));
    else
        box->setValidator(nullptr);
    box->update();
}

void MainWindow::placeStandard()
{
    centreHorizontally(kStandardTop);
}

void MainWindow::showWithoutFocus()
{
    stackForShow(this);
    if (isVisible())
        return;
    // Read by the toolkit when the window is shown: the window manager is asked not to focus it.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    show();
    // In front, as a window shown anew is, by a restacking that asks for no focus.
    raise();
    if (QWindow* handle = windowHandle())
        handle->setProperty("_q_showWithoutActivating", QVariant());
    setAttribute(Qt::WA_ShowWithoutActivating, false);
}

std::optional<bool> MainWindow::keepAboveShow()
{
    // A question of ours is open: it is to be seen, not covered.
    const FocusedWindow focused =
        QApplication::activeModalWidget() ? FocusedWindow::Ours : program().windows().focusedWindow();
    return showstacking::keepAbove(focused, !program().tracking().lastScan().showTitle.isEmpty());
}

bool MainWindow::stackForShow(QWidget* window)
{
    return stackForShow(window, keepAboveShow());
}

bool MainWindow::stackForShow(QWidget* window, std::optional<bool> above)
{
    WindowSystem& ws = program().windows();
    const bool kept = ws.isKeptAboveFullScreen(window);
    if (!above || *above == kept)
        return kept;
    // The window stands where it stood, its outer edge where the manager's frame was or will be.
    auto* programWindow = qobject_cast<ProgramWindow*>(window);
    const QPointF place =
        programWindow ? QPointF(programWindow->leftTwips(), programWindow->topTwips()) : QPointF();
    if (*above) {
        ws.keepAboveFullScreen(window);
        // The window manager gives such a window no keyboard: a click on it does (eventFilter).
        if (QWindow* handle = window->windowHandle(); handle && window == this)
            handle->installEventFilter(this);
        if (programWindow)
            programWindow->moveTwips(place.x(), place.y());
    } else {
        ws.releaseAboveFullScreen(window);
        if (programWindow)
            programWindow->placeOnceFramed(place);
    }
    return ws.isKeptAboveFullScreen(window);
}

void MainWindow::noteTeacherPlace()
{
    // An effect that begins while the other runs keeps the place the first one found.
    if (!teacherPlace_ || !(reminderBlink_->isRunning() || timeUpSlide_->isRunning()))
        teacherPlace_ = QPointF(leftTwips(), topTwips());
}

void MainWindow::returnToTeacherScreen(bool standard)
{
    if (!teacherPlace_)
        return;
    const QPointF place = *teacherPlace_;
    teacherPlace_.reset();
    const QList<QRectF> screens = screensTwips();
    const qsizetype teacher =
        placement::screenOf(QRectF(place, QSizeF(widthTwips(), heightTwips())), screens);
    if (teacher < 0 || screens[teacher] == ownScreenTwips())
        return;
    if (standard)
        centreOn(screens[teacher], kStandardTop);
    else
        placeOn(screens[teacher], place);
}

void MainWindow::holdFocusWhileNoticesRun()
{
    // The window takes no focus while the notices run: neither when it is shown again on every
    // blink, nor when the window that had the focus goes away meanwhile (the enlarged one at
    // time-up) and the window manager looks for another to give it to.
    const bool hold = reminderBlink_->isRunning() || timeUpSlide_->isRunning();
    if (QWindow* handle = windowHandle())
        handle->setFlag(Qt::WindowDoesNotAcceptFocus, hold);
}

void MainWindow::playCue()
{
    ::playCue(*sound_);
}

void MainWindow::load()
{
    // Shared values.
    reminderBlink_->forgetVisible();
    program().instructionShow().setOpen(false);
    program().enlargedNotice() = EnlargedNotice::None;
    program().tracking().forgetTitles();
    titleList_->clear();
    setHeightTwips(kNormalHeight);
    // The entry boxes and the presets as shipped.
    totalMinutesBox_->setText(QStringLiteral("01"));
    totalSecondsBox_->setText(QStringLiteral("00"));
    reminderMinutesBox_->setText(QStringLiteral("00"));
    reminderSecondsBox_->setText(QStringLiteral("30"));
    presets_ = PresetStore();
    // Layout.
    moveControlTwips(reminderLabel_, 480, 240);
    program().instructionShow().setDeck(QStringLiteral("MYPPT.PPT"));
    moveControlTwips(timeUpLabel_, 740, 120);
    moveControlTwips(countLabel_, 810, 60);
    moveControlTwips(summaryLabel_, 1980, 960);
    moveControlTwips(runStateLabel_, 1020, 960);
    moveControlTwips(presetNameLabel_, 240, 960);
    runStateLabel_->setText(kRunning);
    program().tracking().clearDocked();
    placeStandard();

    program().unload(WindowKind::DrawLauncher);
    timeUpSlide_->reset();
    pauseBlink_->reset();
    // Digits-only boxes (the launcher's count box takes the same style when it loads).
    setNumber(totalMinutesBox_, true);
    setNumber(reminderMinutesBox_, true);
    setNumber(totalSecondsBox_, true);
    setNumber(reminderSecondsBox_, true);
    program().windows().makeTopMost(this);
    sound_->setFileName(QStringLiteral("ding.WAV"));
    show();
    // Only a shown window knows its frame: keep the designed outer size and the standard place.
    resizeTwips(kWidth, kNormalHeight);
    placeStandard();
    resumeTracking();
    // The tray icon asks the session bus for a notification area: the window's first picture does
    // not wait for that. Should the window be hidden before it is painted, the icon comes all the same.
    afterFirstPaint(this, [this] { createTray(); });
    QTimer::singleShot(kTrayAtTheLatestMs, this, [this] { createTray(); });
    setWindowTitle(kTitle);
}

void MainWindow::unload()
{
    // The count ends with the window that shows it.
    Countdown& countdown = program().countdown();
    if (countdown.isCounting() || countdown.isPaused())
        countdown.stop();
    if (sound_)
        sound_->close();
}

// ---- Time entry and presets ----

int MainWindow::selectedPreset() const
{
    for (int i = 0; i < PresetStore::kPresets; ++i) {
        if (presetButtons_[i]->isChecked())
            return i;
    }
    return 0;
}

void MainWindow::onPresetClicked(int preset)
{
    presetButtons_[preset]->setChecked(true);
    for (int i = 0; i < PresetStore::kPresets; ++i)
        setTextColour(presetButtons_[i], i == preset ? kRed : kBlack);
    // Each fill passes through onBoxEdited and stores the same text back.
    const PresetStore copy = presets_;
    totalMinutesBox_->setText(copy.text(preset, PresetStore::TotalMinutes));
    totalSecondsBox_->setText(copy.text(preset, PresetStore::TotalSeconds));
    reminderMinutesBox_->setText(copy.text(preset, PresetStore::ReminderMinutes));
    reminderSecondsBox_->setText(copy.text(preset, PresetStore::ReminderSeconds));
    totalMinutesBox_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::onBoxEdited(QLineEdit* box)
{
    PresetStore::Slot slot = PresetStore::ReminderSeconds;
    if (box == totalMinutesBox_)
        slot = PresetStore::TotalMinutes;
    else if (box == totalSecondsBox_)
        slot = PresetStore::TotalSeconds;
    else if (box == reminderMinutesBox_)
        slot = PresetStore::ReminderMinutes;
    presets_.setText(selectedPreset(), slot, box->text());
}

bool MainWindow::validateSeconds(QLineEdit* box)
{
    if (!box || !box->isVisible() || secondsAcceptable(box->text()))
        return true;
    validating_ = true;
    program().dialogs().inform(this, EntryMessages::kSecondsTitle, EntryMessages::kSecondsRange);
    box->setFocus(Qt::OtherFocusReason);
    validating_ = false;
    return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Kept above a show, the window has the keyboard only once the teacher clicks it.
    if (watched == windowHandle()) {
        if (event->type() == QEvent::MouseButtonPress &&
            windowFlags().testFlag(Qt::X11BypassWindowManagerHint))
            activateWindow();
        return false;
    }
    // What tracking looks at changed: the window's place, size or visibility, or a button that
    // tracking keeps in line with the count and the desktop.
    if (watched == this) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowStateChange:
            wakeTracking();
            break;
        default:
            break;
        }
    } else if (event->type() == QEvent::EnabledChange && (watched == foldButton_ || watched == drawButton_)) {
        wakeTracking();
    }

    if (validating_)
        return ProgramWindow::eventFilter(watched, event);

    if (event->type() == QEvent::FocusOut &&
        (watched == totalSecondsBox_ || watched == reminderSecondsBox_)) {
        auto* box = static_cast<QLineEdit*>(watched);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::MouseFocusReason && !secondsAcceptable(box->text())) {
            // A click on another control took the focus; the press itself comes next and is held back.
            leavingSecondsBox_ = box;
            QTimer::singleShot(0, this, [this] {
                if (QLineEdit* pending = leavingSecondsBox_) {
                    leavingSecondsBox_ = nullptr;
                    validateSeconds(pending);
                }
            });
        } else if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                   reason == Qt::ShortcutFocusReason) {
            QTimer::singleShot(0, this, [this, box] { validateSeconds(box); });
        }
    }

    // The click that tried to take a too-large value out of a seconds box does not happen.
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
        leavingSecondsBox_ && watched != leavingSecondsBox_) {
        QLineEdit* box = leavingSecondsBox_;
        leavingSecondsBox_ = nullptr;
        if (!validateSeconds(box))
            return true;
    }
    return ProgramWindow::eventFilter(watched, event);
}

// ---- The countdown ----

void MainWindow::setEntryRowVisible(bool visible)
{
    for (QWidget* w : std::initializer_list<QWidget*>{
             totalMinutesBox_, reminderMinutesBox_, totalSecondsBox_, reminderSecondsBox_, totalMinutesUnit_,
             reminderMinutesUnit_, totalSecondsUnit_, reminderSecondsUnit_, totalCaption_, reminderCaption_})
        w->setVisible(visible);
}

void MainWindow::setPresetsEnabled(bool enabled)
{
    for (QRadioButton* preset : presetButtons_)
        preset->setEnabled(enabled);
    presetCaption_->setEnabled(enabled);
}

void MainWindow::hideCountForNotice()
{
    for (QWidget* w : std::initializer_list<QWidget*>{totalCaption_, reminderCaption_, countLabel_,
                                                      totalMinutesBox_, reminderMinutesBox_})
        w->hide();
}

void MainWindow::showPauseButton(bool paused)
{
    pauseButton_->setText(paused ? QStringLiteral("继续") : QStringLiteral("暂停"));
    pauseButton_->setToolTip(paused ? QStringLiteral("继续开始定时器计时")
                                    : QStringLiteral("暂停定时器计时"));
}

void MainWindow::showRunning()
{
    const Countdown& countdown = program().countdown();
    setPresetsEnabled(false);
    drawButton_->setEnabled(false);
    countLabel_->show();
    summaryLabel_->setText(summaryText(countdown.startedMinutes(), countdown.startedSeconds(),
                                       countdown.reminderMinutes(), countdown.reminderSeconds()));
    summaryLabel_->show();
    runStateLabel_->show();
    presetNameLabel_->show();
    setEntryRowVisible(false);
    foldButton_->setEnabled(true);
    startButton_->setEnabled(false);
    pauseButton_->setEnabled(true);
    stopButton_->setEnabled(true);
}

void MainWindow::showStopped()
{
    runStateLabel_->setText(kRunning);
    setTextColour(runStateLabel_, kBlack);
    setPresetsEnabled(true);
    stopButton_->setEnabled(false);
    pauseButton_->setEnabled(false);
    foldButton_->setEnabled(false);
    startButton_->setEnabled(true);
    resumeTracking();
    pauseBlink_->stop();
    runStateLabel_->hide();
    presetNameLabel_->hide();
    showPauseButton(false);
    setEntryRowVisible(true);
    summaryLabel_->hide();
    countLabel_->hide();
}

void MainWindow::onStartClicked()
{
    presetNameLabel_->setText(PresetStore::caption(selectedPreset()));
    const StartCheck check = program().countdown().start(
        readBox(totalMinutesBox_->text()), readBox(totalSecondsBox_->text()),
        readBox(reminderMinutesBox_->text()), readBox(reminderSecondsBox_->text()));
    switch (check) {
    case StartCheck::TooShort:
        placeStandard();
        program().dialogs().inform(this, EntryMessages::kTooShortTitle, EntryMessages::kTooShort);
        return;
    case StartCheck::ReminderTooLate:
        placeStandard();
        program().dialogs().inform(this, EntryMessages::kReminderTitle, EntryMessages::kReminderTooLate);
        reminderMinutesBox_->setText(QStringLiteral("0"));
        return;
    case StartCheck::Accepted:
        break;
    }
    showRunning();
    playCue();
    show();
    program().unload(WindowKind::DrawLauncher);
}

void MainWindow::onPauseClicked()
{
    Countdown& countdown = program().countdown();
    if (countdown.isPaused()) {
        countdown.resume();
        showPauseButton(false);
        runStateLabel_->setText(kRunning);
        setTextColour(runStateLabel_, kBlack);
        pauseBlink_->stop();
        foldButton_->setEnabled(true);
    } else {
        countdown.pause();
        showPauseButton(true);
        runStateLabel_->setText(kPaused);
        setTextColour(runStateLabel_, kRed);
        runStateLabel_->show();
        presetNameLabel_->show();
        pauseBlink_->start();
        foldButton_->setEnabled(false);
    }
}

void MainWindow::onStopClicked()
{
    placeStandard();
    // The count goes on while the question is open.
    if (program().dialogs().askYesNo(this, kNoticeTitle, QStringLiteral("确实要停止计时吗?")) != Answer::Yes)
        return;
    program().countdown().stop();
    showStopped();
}

void MainWindow::onReminderReached()
{
    // A window tucked at an edge comes out for the reminder and goes back once it is over.
    WindowTracking& tracking = program().tracking();
    reminderSavedPlace_.reset();
    if (tracking.isDocked())
        reminderSavedPlace_ = SavedPlace{std::round(leftTwips()), topTwips(), tracking.docked()};
    else
        noteTeacherPlace();
    // Where the class looks: on the screen of a running show.
    centreOn(classScreenTwips(), kStandardTop);
    tracking.clearDocked();
    reminderBlink_->start();
    holdFocusWhileNoticesRun();
}

void MainWindow::onReminderBlinkStep(const ReminderBlink::Step& step)
{
    ProgramWindow* strip = program().loadedWindow(WindowKind::ToolStrip);
    reminderBlink_->noteVisible(isVisible(), strip && strip->isVisible());
    if (strip)
        strip->hide();

    if (auto* enlarged = program().loaded<EnlargedWindow>())
        enlarged->placeBelowMainWindow();

    stopButton_->setEnabled(false);
    foldButton_->setEnabled(false);
    if (step.first)
        playCue();
    reminderLabel_->show();
    hideCountForNotice();
    const Countdown& countdown = program().countdown();
    reminderLabel_->setText(reminderText(countdown.reminderMinutes(), countdown.reminderSeconds()));

    if (step.flip) {
        if (isVisible())
            hide();
        else
            showWithoutFocus();
    } else {
        showWithoutFocus();
        program().unload(WindowKind::DrawLauncher);
    }
    if (!step.last)
        return;

    // Everything back as it was before the reminder.
    if (reminderBlink_->mainWasVisible())
        showWithoutFocus();
    else
        hide();
    if (strip) {
        strip->setVisible(reminderBlink_->stripWasVisible());
        if (strip->isVisible())
            if (auto* toolStrip = qobject_cast<ToolStrip*>(strip))
                toolStrip->resumeMirror();
    }
    reminderBlink_->forgetVisible();
    stopButton_->setEnabled(true);
    foldButton_->setEnabled(true);
    if (program().enlargedNotice() == EnlargedNotice::ClosedByUser) {
        // The enlarged window was closed: the main window takes its place in view.
        showWithoutFocus();
        reminderBlink_->keepMainInView();
        program().enlargedNotice() = EnlargedNotice::None;
    }
    reminderLabel_->hide();
    countLabel_->show();
    if (reminderSavedPlace_) {
        showWithoutFocus();
        moveTwips(reminderSavedPlace_->left, reminderSavedPlace_->top);
        program().tracking().setDocked(reminderSavedPlace_->docked);
        reminderSavedPlace_.reset();
    }
    if (!timeUpSlide_->isRunning())
        returnToTeacherScreen(false);
    holdFocusWhileNoticesRun();
}

void MainWindow::onTimeUp()
{
    noteTeacherPlace();
    const QRectF screen = classScreenTwips();
    moveTwips(screen.left() + TimeUpSlide::kMarginTwips, screen.top() + kStandardTop);
    program().tracking().clearDocked();
    program().enlargedNotice() = EnlargedNotice::TimeUp;
    timeUpSlide_->start();
    holdFocusWhileNoticesRun();
    startButton_->setEnabled(false);
    pauseButton_->setEnabled(false);
    stopButton_->setEnabled(false);
}

void MainWindow::onTimeUpSlideStep(const TimeUpSlide::Step& step)
{
    showWithoutFocus();
    if (ProgramWindow* strip = program().loadedWindow(WindowKind::ToolStrip))
        strip->hide();
    program().unload(WindowKind::DrawLauncher);

    timeUpLabel_->show();
    foldButton_->setEnabled(false);
    hideCountForNotice();

    // Slides across the screen it is on, measured from that screen's left edge.
    const QRectF screen = ownScreenTwips();
    const double right = screen.width() - widthTwips() - TimeUpSlide::kMarginTwips;
    if (!step.sliding) {
        placeStandard();
    } else {
        const double left = screen.left() + timeUpSlide_->nextLeft(leftTwips() - screen.left(), right);
        if (left != leftTwips())
            setLeftTwips(left);
    }
    timeUpSlide_->turnAtMargins(leftTwips() - screen.left(), right);

    Countdown& countdown = program().countdown();
    if (step.first) {
        playCue();
        countdown.beginTimeUp();
    }
    if (step.last) {
        timeUpLabel_->hide();
        countdown.finishTimeUp();
        showStopped();
        placeStandard();
        returnToTeacherScreen(true);
        holdFocusWhileNoticesRun();
    }
}

// ---- The buttons that lead elsewhere ----

void MainWindow::onFoldClicked()
{
    WindowTracking& tracking = program().tracking();
    // Decided on the titles of the last tracking tick; no new walk of the windows.
    switch (tracking.fold(program().countdown().isCounting())) {
    case FoldOutcome::BringOut:
        // A tucked window simply comes out to its standard place.
        show();
        tracking.clearDocked();
        placeStandard();
        return;
    case FoldOutcome::Refuse:
        placeStandard();
        program().dialogs().inform(this, kNoticeTitle, WindowTracking::kCannotFold, MessageIcon::Information);
        tracking.clearDocked();
        show();
        program().unload(WindowKind::DrawLauncher);
        return;
    case FoldOutcome::Fold:
        break;
    }

    hide();
    auto* strip = program().window<ToolStrip>();
    if (!strip) {
        show();
        return;
    }
    strip->placeOverMainWindow();
    strip->showStrip();
}

void MainWindow::onDrawClicked()
{
    // The launcher always starts afresh, in its mode view at full size.
    program().unload(WindowKind::DrawLauncher);
    // A sequence-number draw left hidden behind an earlier launcher would roll on unseen.
    program().unload(WindowKind::SequenceDraw);
    auto* launcher = program().window<DrawLauncher>();
    if (!launcher)
        return;
    trackingTimer_->setEnabled(false);
    trackingIdle_ = false;
    hide();
    launcher->show();
    launcher->showModeSelection();
}

void MainWindow::onHelpClicked()
{
    // The taller layout while the help is open; the pointer over the window brings the normal height back.
    setHeightTwips(kHelpHeight);
    program().timers().yieldToEvents();

    showHelp({});
}

void MainWindow::onLogoClicked()
{
    showHelp(QStringLiteral("about"));
}

void MainWindow::showHelp(const QString& anchor)
{
    const QString index = findHelpIndex(program().shippedFolders());
    if (index.isEmpty()) {
        program().dialogs().inform(
            this, kNoticeTitle,
            QStringLiteral("没有找到帮助文件（%1）。\n请重新安装Vantrel，帮助文件随程序一起安装。")
                .arg(kHelpIndex));
        return;
    }
    if (!help_)
        help_ = new HelpWindow(this);
    help_->showPage(index, anchor);
}

void MainWindow::onExitClicked()
{
    // On X11 no taskbar is hidden by our shows (they cover the panels instead); the call is kept for
    // desktops where it matters and costs nothing.
    program().windows().showTaskbar();
    placeStandard();
    if (program().dialogs().askYesNo(this, QStringLiteral("Vantrel工具"),
                                     QStringLiteral("确实要退出Vantrel程序吗?")) != Answer::Yes)
        return;
    program().shutdown();
}

void MainWindow::onCountDoubleClicked()
{
    if (!program().isAvailable(WindowKind::EnlargedCountdown)) {
        program().dialogs().inform(this, kNoticeTitle, QStringLiteral("此版本不提供放大计时窗口。"));
        return;
    }
    hide();
    program().enlargedNotice() = EnlargedNotice::None;
    ProgramWindow* enlarged = program().window(WindowKind::EnlargedCountdown);
    if (!enlarged) {
        show();
        return;
    }
    if (auto* mirror = qobject_cast<EnlargedWindow*>(enlarged))
        mirror->showMirror();
    else
        enlarged->show();
}

void MainWindow::createTray()
{
    Tray::create(*this);
}

// ---- Tracking of the desktop, every 100 ms while anything needs a look ----

void MainWindow::connectTracking()
{
    WindowSystem& ws = program().windows();
    QPointer<MainWindow> self(this);
    const bool keysReported = ws.reportKeys({Keys::F9, Keys::F11}, [self](int keyCode, bool down) {
        if (!self)
            return;
        KeyPresses& keys = self->program().tracking().keys();
        keys.note(keyCode, down);
        // While a draw is open the keys do nothing, then or later.
        if (self->isTrackingOff())
            keys.dropPending();
        else
            self->wakeTracking();
    });
    const bool titlesReported = ws.reportTitleChanges([self] {
        if (self)
            self->wakeTracking();
    });
    trackingOnEvents_ = keysReported && titlesReported;

    // The window's own moves, resizes and showing (eventFilter).
    installEventFilter(this);
    connect(&program().countdown(), &Countdown::stateChanged, this, [this] { wakeTracking(); });
    if (QScreen* screen = QGuiApplication::primaryScreen())
        connect(screen, &QScreen::geometryChanged, this, [this] { wakeTracking(); });
}

void MainWindow::resumeTracking()
{
    trackingIdle_ = false;
    trackingTimer_->setEnabled(true);
}

bool MainWindow::isTrackingOff() const
{
    return !trackingTimer_->isEnabled() && !trackingIdle_;
}

void MainWindow::wakeTracking()
{
    trackingWoken_ = true;
    if (trackingIdle_)
        resumeTracking();
}

DesktopView MainWindow::desktopView()
{
    WindowSystem& ws = program().windows();
    const Countdown& countdown = program().countdown();
    return {.window = {leftTwips(), topTwips(), widthTwips(), heightTwips()},
            .windowSeen = std::nullopt,
            .normalHeight = kNormalHeight * zoomFactor(),
            .screen = desktopSizeTwips(),
            .pointer = std::nullopt,
            .twipsPerPixel = ws.twipsPerPixel(),
            .titles = {},
            .counting = countdown.isCounting(),
            .stopped = countdown.isStopped(),
            .mainHidden = isHidden(),
            .reminderRunning = reminderBlink_->isRunning()};
}

void MainWindow::onTrackingTick()
{
    trackingWoken_ = false;
    WindowTracking& tracking = program().tracking();
    WindowSystem& ws = program().windows();
    if (!trackingOnEvents_) {
        // No key events: the keys' state, read on every tick, tells of the presses it catches.
        tracking.keys().note(Keys::F9, ws.isKeyDown(Keys::F9));
        tracking.keys().note(Keys::F11, ws.isKeyDown(Keys::F11));
    }
    DesktopView view = desktopView();
    view.titles = ws.topLevelTitles();
    if (tracking.watchesPointer(view)) {
        view.pointer = ws.pointerTwips();
        if (const std::optional<QRect> seen = ws.outerRectTwips(this))
            view.windowSeen = docking::Window{double(seen->x()), double(seen->y()), double(seen->width()),
                                              double(seen->height())};
    }
    const TrackingStep step = tracking.step(view);
    if (step.freeDrawButton)
        drawButton_->setEnabled(true);
    if (step.titlesChanged) {
        titleList_->clear();
        titleList_->addItems(tracking.titles());
    }
    if (step.shrinkEnabled)
        foldButton_->setEnabled(*step.shrinkEnabled);
    if (step.keepMainInView) {
        showWithoutFocus();
        program().unload(WindowKind::DrawLauncher);
    }
    if (step.height)
        setHeightTwips(*step.height / zoomFactor());
    if (step.moveTo)
        moveTwips(step.moveTo->x(), step.moveTo->y());
    for (int i = 0; i < step.stripToggles; ++i) {
        if (auto* strip = program().window<ToolStrip>()) {
            if (strip->isVisible())
                strip->hideStrip();
            else
                strip->showStrip();
        }
    }
    if (step.bringBack)
        bringBack();
    // Who has the keyboard is asked of the X server once a tick, and only with a window in view.
    auto* enlarged = program().loaded<EnlargedWindow>();
    const bool enlargedShown = enlarged && enlarged->isVisible();
    if (isVisible() || enlargedShown) {
        const std::optional<bool> above = keepAboveShow();
        if (isVisible())
            stackForShow(this, above);
        if (enlargedShown)
            stackForShow(enlarged, above);
    }

    // Nothing left to look at: the next event wakes tracking again.
    if (trackingOnEvents_ && trackingTimer_->isEnabled() && !trackingWoken_ &&
        !tracking.keys().anyPending() && !tracking.watchesPointer(desktopView())) {
        trackingTimer_->setEnabled(false);
        trackingIdle_ = true;
    }
}

void MainWindow::bringBack()
{
    // A window the user minimised through its title bar comes back as well.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    if (ProgramWindow* strip = program().loadedWindow(WindowKind::ToolStrip))
        strip->hide();
    program().unload(WindowKind::DrawLauncher);
    placeStandard();
    // Over a slide show that has the keyboard the window is seen above it, and the presenter's
    // keys still turn the slides; elsewhere it comes to the front with the keyboard.
    if (!stackForShow(this)) {
        raise();
        activateWindow();
    }
    program().tracking().clearDocked();
}
