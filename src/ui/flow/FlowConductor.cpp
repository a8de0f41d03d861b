#include "ui/flow/FlowConductor.h"

#include "models/countdown/Countdown.h"
#include "models/countdown/PresetMemory.h"
#include "models/draw/InstructionShow.h"
#include "models/tracking/WindowTracking.h"
#include "platform/Dialogs.h"
#include "platform/WindowSystem.h"
#include "ui/Program.h"
#include "ui/display/EnlargedWindow.h"
#include "ui/display/ToolStrip.h"
#include "ui/display/Tray.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/flow/DesktopTracking.h"
#include "ui/flow/NoticeChoreography.h"
#include "ui/flow/OverShowStacking.h"
#include "ui/main/MainWindow.h"
#include "ui/remote/RemoteControl.h"
#include "ui/settings/SettingsWindow.h"

#include <QGuiApplication>
#include <QScreen>

FlowConductor::FlowConductor(Program& program) : program_(program), cues_(program.sounds())
{
    applyOptions();
    connect(&program_.options(), &ProgramOptions::changed, this, &FlowConductor::applyOptions);
}

FlowConductor::~FlowConductor()
{
    delete settings_.data();
}

void FlowConductor::applyOptions()
{
    const ProgramOptions& options = program_.options();
    program_.countdown().setOvertime(options.overtime());
    cues_.setLevel({.volume = options.volume(), .muted = options.muted()});
}

void FlowConductor::restorePresets()
{
    if (!main_ || !program_.options().rememberPresets())
        return;
    PresetStore presets = main_->presets();
    presetmemory::restore(program_.settings(), presets);
    main_->takePresets(presets);
}

void FlowConductor::openSettings()
{
    if (!settings_) {
        settings_ = new SettingsWindow(program_.options(), program_.dialogs());
        if (main_)
            settings_->setFont(main_->font());
        // In the middle of the teacher's screen, whole on it, not wherever the pointer happens to be.
        const QScreen* screen = main_ ? main_->screen() : QGuiApplication::primaryScreen();
        if (screen)
            settings_->fitInto(screen->availableGeometry().size());
        if (screen) {
            QRect place(QPoint(), settings_->frameGeometry().size());
            place.moveCenter(screen->availableGeometry().center());
            settings_->move(place.topLeft());
        }
        // Above the main window, which stays on top of everything else.
        program_.windows().makeTopMost(settings_);
        connect(settings_, &SettingsWindow::remoteSwitched, this, [this](bool on) {
            if (!main_)
                return;
            if (on)
                RemoteControl::of(*main_).showPairing();
            else if (RemoteControl* remote = RemoteControl::find(main_))
                remote->turnOff();
        });
    }
    settings_->showNormal();
    settings_->raise();
    settings_->activateWindow();
}

SettingsWindow* FlowConductor::settingsWindow() const
{
    return settings_.data();
}

const TimeUpCovers* FlowConductor::timeUpCovers() const
{
    return notices_ ? &notices_->covers() : nullptr;
}

void FlowConductor::windowBuilt(ProgramWindow& window)
{
    if (auto* main = qobject_cast<MainWindow*>(&window))
        bindMainWindow(*main);
}

void FlowConductor::windowLoaded(ProgramWindow& window)
{
    if (&window == main_.data()) {
        restorePresets();
        resumeTracking();
        // Schools that want the phone remote from the start turn it on in the settings.
        if (program_.options().remoteAtStart())
            RemoteControl::of(*main_).turnOn();
    }
}

void FlowConductor::bindMainWindow(MainWindow& main)
{
    main_ = &main;
    // As the settings stand when the program starts (a school may have preset them).
    applyOptions();
    stacking_ = new OverShowStacking(program_.windows(), program_.tracking(), main);
    notices_ = new NoticeChoreography(*this, main);
    tracking_ = new DesktopTracking(*this, main);
    cues_.openCountCue();

    connect(&main, &MainWindow::started, this, &FlowConductor::onStarted);
    connect(&main, &MainWindow::countStopped, this, &FlowConductor::resumeTracking);
    connect(&main, &MainWindow::foldRequested, this, &FlowConductor::onFoldRequested);
    connect(&main, &MainWindow::drawRequested, this, &FlowConductor::onDrawRequested);
    connect(&main, &MainWindow::exitRequested, this, &FlowConductor::onExitRequested);
    connect(&main, &MainWindow::enlargeRequested, this, &FlowConductor::onEnlargeRequested);
    connect(&main, &MainWindow::settingsRequested, this, &FlowConductor::openSettings);
    connect(&main, &MainWindow::unloading, this, [this] { cues_.releaseCountCue(); });

    // What a fresh main window starts from: no show open, no notice pending, nothing tucked away.
    program_.instructionShow().setOpen(false);
    program_.instructionShow().setDeck(QStringLiteral("MYPPT.PPT"));
    program_.enlargedNotice() = EnlargedNotice::None;
    program_.tracking().forgetTitles();
    program_.tracking().clearDocked();
    program_.unload(WindowKind::DrawLauncher);
}

OverShowStacking* FlowConductor::stacking() const
{
    return stacking_.data();
}

bool FlowConductor::isReminderRunning() const
{
    return notices_ && notices_->isReminderRunning();
}

void FlowConductor::resumeTracking()
{
    if (tracking_)
        tracking_->resume();
}

void FlowConductor::pauseTracking()
{
    if (tracking_)
        tracking_->pause();
}

void FlowConductor::keepMainInView()
{
    if (stacking_)
        stacking_->showWithoutFocus();
    program_.unload(WindowKind::DrawLauncher);
}

void FlowConductor::toggleStrip()
{
    if (auto* strip = program_.window<ToolStrip>()) {
        if (strip->isVisible())
            strip->hideStrip();
        else
            strip->showStrip();
    }
}

void FlowConductor::bringBackMain()
{
    if (!main_)
        return;
    MainWindow& main = *main_;
    // A window the user minimised through its title bar comes back as well.
    main.setWindowState(main.windowState() & ~Qt::WindowMinimized);
    main.show();
    if (ProgramWindow* strip = program_.loadedWindow(WindowKind::ToolStrip))
        strip->hide();
    program_.unload(WindowKind::DrawLauncher);
    main.placeStandard();
    // Over a slide show that has the keyboard the window is seen above it, and the presenter's
    // keys still turn the slides; elsewhere it comes to the front with the keyboard.
    if (!stacking_->stack(&main)) {
        main.raise();
        main.activateWindow();
    }
    program_.tracking().clearDocked();
}

void FlowConductor::showMainFromTray()
{
    if (!main_)
        return;
    MainWindow& main = *main_;
    // A window the user minimised through its title bar is hidden as well.
    main.setWindowState(main.windowState() & ~Qt::WindowMinimized);
    main.show();
    main.raise();
    program_.unload(WindowKind::DrawLauncher);
    main.placeStandard();
    program_.tracking().clearDocked();
    if (ProgramWindow* strip = program_.loadedWindow(WindowKind::ToolStrip))
        strip->hide();
}

void FlowConductor::offerToQuitFromTray()
{
    if (!main_)
        return;
    if (!program_.tracking().isDocked())
        main_->placeStandard();
    // The question runs its own event loop: by the time it is answered the program may already have
    // been ended another way (the exit button's question, say).
    QPointer<FlowConductor> alive(this);
    const Answer answer = program_.dialogs().askYesNo(main_, MainWindow::kNoticeTitle, Tray::kQuitQuestion);
    if (!alive || answer != Answer::Yes)
        return;
    shutdown();
}

void FlowConductor::onStarted()
{
    const Countdown& countdown = program_.countdown();
    if (program_.options().rememberPresets())
        presetmemory::remember(program_.settings(), main_->selectedPreset(), countdown.startedMinutes(),
                               countdown.startedSeconds(), countdown.reminderMinutes(),
                               countdown.reminderSeconds());
    cues_.playCountCue();
    program_.unload(WindowKind::DrawLauncher);
}

void FlowConductor::onFoldRequested()
{
    MainWindow& main = *main_;
    WindowTracking& tracking = program_.tracking();
    // Decided on the titles of the last tracking tick; no new walk of the windows.
    switch (tracking.fold(program_.countdown().isCounting())) {
    case FoldOutcome::BringOut:
        // A tucked window simply comes out to its standard place.
        main.show();
        tracking.clearDocked();
        main.placeStandard();
        return;
    case FoldOutcome::Refuse:
        main.placeStandard();
        program_.dialogs().inform(&main, MainWindow::kNoticeTitle, WindowTracking::kCannotFold,
                                  MessageIcon::Information);
        tracking.clearDocked();
        main.show();
        program_.unload(WindowKind::DrawLauncher);
        return;
    case FoldOutcome::Fold:
        break;
    }

    main.hide();
    auto* strip = program_.window<ToolStrip>();
    if (!strip) {
        main.show();
        return;
    }
    strip->placeOverMainWindow();
    strip->showStrip();
}

void FlowConductor::onDrawRequested()
{
    // The launcher always starts afresh, in its mode view at full size.
    program_.unload(WindowKind::DrawLauncher);
    // A sequence-number draw left hidden behind an earlier launcher would roll on unseen.
    program_.unload(WindowKind::SequenceDraw);
    auto* launcher = program_.window<DrawLauncher>();
    if (!launcher)
        return;
    pauseTracking();
    main_->hide();
    launcher->show();
    launcher->showModeSelection();
}

void FlowConductor::onExitRequested()
{
    // On X11 no taskbar is hidden by our shows (they cover the panels instead); the call is kept for
    // desktops where it matters and costs nothing.
    program_.windows().showTaskbar();
    main_->placeStandard();
    if (program_.dialogs().askYesNo(main_, QCoreApplication::translate("FlowConductor", "Vantrel工具"),
                                    Tray::kQuitQuestion) != Answer::Yes)
        return;
    shutdown();
}

void FlowConductor::onEnlargeRequested()
{
    MainWindow& main = *main_;
    if (!program_.isAvailable(WindowKind::EnlargedCountdown)) {
        program_.dialogs().inform(&main, MainWindow::kNoticeTitle,
                                  QCoreApplication::translate("FlowConductor", "此版本不提供放大计时窗口。"));
        return;
    }
    main.hide();
    program_.enlargedNotice() = EnlargedNotice::None;
    ProgramWindow* enlarged = program_.window(WindowKind::EnlargedCountdown);
    if (!enlarged) {
        main.show();
        return;
    }
    if (auto* mirror = qobject_cast<EnlargedWindow*>(enlarged))
        mirror->showMirror();
    else
        enlarged->show();
}

void FlowConductor::shutdown()
{
    if (program_.hasQuit())
        return;
    // A taskbar hidden by a full-screen show comes back whatever happens next.
    program_.windows().showTaskbar();
    delete settings_.data();
    // The show holds its deck open; it ends before the player and the draws are released.
    if (program_.instructionShow().isOpen())
        program_.instructionShow().close();
    program_.unloadAll();
    // The name list's office, kept warm, ends with the program.
    program_.endOfficeWarmUp();
    program_.quit(0);
}
