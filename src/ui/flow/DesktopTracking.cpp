#include "ui/flow/DesktopTracking.h"

#include "models/countdown/Countdown.h"
#include "models/tracking/WindowTracking.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/Program.h"
#include "ui/display/EnlargedWindow.h"
#include "ui/flow/FlowConductor.h"
#include "ui/flow/OverShowStacking.h"
#include "ui/main/MainWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

DesktopTracking::DesktopTracking(FlowConductor& conductor, MainWindow& main)
    : QObject(&main), conductor_(conductor), program_(conductor.program()), main_(main),
      timer_(new Timer(program_.timers(), QStringLiteral("Timer2"), 100, TickPolicy::Pacing, this))
{
    timer_->onTick([this] { onTick(); });
    listen();
}

void DesktopTracking::listen()
{
    WindowSystem& ws = program_.windows();
    QPointer<DesktopTracking> self(this);
    WindowTracking* tracking = &program_.tracking();
    const bool keysReported = ws.reportKeys({Keys::F9, Keys::F11}, [self, tracking](int keyCode, bool down) {
        if (!self)
            return;
        KeyPresses& keys = tracking->keys();
        keys.note(keyCode, down);
        // While a draw is open the keys do nothing, then or later.
        if (self->isOff())
            keys.dropPending();
        else
            self->wake();
    });
    const bool titlesReported = ws.reportTitleChanges([self] {
        if (self)
            self->wake();
    });
    onEvents_ = keysReported && titlesReported;

    // The window's own moves, resizes and showing, and the buttons tracking keeps in line.
    main_.installEventFilter(this);
    for (QWidget* button : main_.trackedButtons())
        button->installEventFilter(this);
    connect(&program_.countdown(), &Countdown::stateChanged, this, [this] { wake(); });
    if (QScreen* screen = QGuiApplication::primaryScreen())
        connect(screen, &QScreen::geometryChanged, this, [this] { wake(); });
}

bool DesktopTracking::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &main_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowStateChange:
            wake();
            break;
        default:
            break;
        }
    } else if (event->type() == QEvent::EnabledChange) {
        wake();
    }
    return QObject::eventFilter(watched, event);
}

void DesktopTracking::resume()
{
    idle_ = false;
    timer_->setEnabled(true);
}

void DesktopTracking::pause()
{
    timer_->setEnabled(false);
    idle_ = false;
}

bool DesktopTracking::isOff() const
{
    return !timer_->isEnabled() && !idle_;
}

void DesktopTracking::wake()
{
    woken_ = true;
    if (idle_)
        resume();
}

DesktopView DesktopTracking::desktopView()
{
    WindowSystem& ws = program_.windows();
    const Countdown& countdown = program_.countdown();
    return {.window = {main_.leftTwips(), main_.topTwips(), main_.widthTwips(), main_.heightTwips()},
            .windowSeen = std::nullopt,
            .normalHeight = MainWindow::kNormalHeight * main_.zoomFactor(),
            .screen = main_.desktopSizeTwips(),
            .pointer = std::nullopt,
            .twipsPerPixel = ws.twipsPerPixel(),
            .titles = {},
            .counting = countdown.isCounting(),
            .stopped = countdown.isStopped(),
            .mainHidden = main_.isHidden(),
            .reminderRunning = conductor_.isReminderRunning()};
}

void DesktopTracking::onTick()
{
    woken_ = false;
    WindowTracking& tracking = program_.tracking();
    WindowSystem& ws = program_.windows();
    if (!onEvents_) {
        // No key events: the keys' state, read on every tick, tells of the presses it catches.
        tracking.keys().note(Keys::F9, ws.isKeyDown(Keys::F9));
        tracking.keys().note(Keys::F11, ws.isKeyDown(Keys::F11));
    }
    DesktopView view = desktopView();
    view.titles = ws.topLevelTitles();
    if (tracking.watchesPointer(view)) {
        view.pointer = ws.pointerTwips();
        if (const std::optional<QRect> seen = ws.outerRectTwips(&main_))
            view.windowSeen = docking::Window{double(seen->x()), double(seen->y()), double(seen->width()),
                                              double(seen->height())};
    }
    const TrackingStep step = tracking.step(view);
    if (step.freeDrawButton)
        main_.enableDraw();
    if (step.titlesChanged)
        main_.showTitles(tracking.titles());
    if (step.shrinkEnabled)
        main_.setFoldEnabled(*step.shrinkEnabled);
    if (step.keepMainInView)
        conductor_.keepMainInView();
    if (step.height)
        main_.setHeightTwips(*step.height / main_.zoomFactor());
    if (step.moveTo)
        main_.moveTwips(step.moveTo->x(), step.moveTo->y());
    for (int i = 0; i < step.stripToggles; ++i)
        conductor_.toggleStrip();
    if (step.bringBack)
        conductor_.bringBackMain();
    // Who has the keyboard is asked of the X server once a tick, and only with a window in view.
    auto* enlarged = program_.loaded<EnlargedWindow>();
    const bool enlargedShown = enlarged && enlarged->isVisible();
    if (main_.isVisible() || enlargedShown) {
        OverShowStacking& stacking = *conductor_.stacking();
        const std::optional<bool> above = stacking.keepAbove();
        if (main_.isVisible())
            stacking.stack(&main_, above);
        if (enlargedShown)
            stacking.stack(enlarged, above);
    }

    // Nothing left to look at: the next event wakes tracking again.
    if (onEvents_ && timer_->isEnabled() && !woken_ && !tracking.keys().anyPending() &&
        !tracking.watchesPointer(desktopView())) {
        timer_->setEnabled(false);
        idle_ = true;
    }
}
