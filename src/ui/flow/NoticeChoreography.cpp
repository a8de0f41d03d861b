#include "ui/flow/NoticeChoreography.h"

#include "models/countdown/Countdown.h"
#include "models/countdown/TimeText.h"
#include "models/display/ScreenPlacement.h"
#include "models/tracking/WindowTracking.h"
#include "ui/Program.h"
#include "ui/display/EnlargedWindow.h"
#include "ui/display/TimeUpCover.h"
#include "ui/display/ToolStrip.h"
#include "ui/flow/FlowConductor.h"
#include "ui/flow/OverShowStacking.h"
#include "ui/main/MainWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cmath>

NoticeChoreography::NoticeChoreography(FlowConductor& conductor, MainWindow& main)
    : QObject(&main), conductor_(conductor), program_(conductor.program()), main_(main),
      reminderBlink_(new ReminderBlink(program_.timers(), this)),
      timeUpSlide_(new TimeUpSlide(program_.timers(), this)),
      covers_(new TimeUpCovers(program_.windows(), main))
{
    Countdown& countdown = program_.countdown();
    connect(&countdown, &Countdown::reminderReached, this, &NoticeChoreography::onReminderReached);
    connect(&countdown, &Countdown::timeUp, this, &NoticeChoreography::onTimeUp);
    connect(reminderBlink_, &ReminderBlink::stepped, this, &NoticeChoreography::onReminderBlinkStep);
    connect(timeUpSlide_, &TimeUpSlide::stepped, this, &NoticeChoreography::onTimeUpSlideStep);
}

void NoticeChoreography::noteTeacherPlace()
{
    // An effect that begins while the other runs keeps the place the first one found.
    if (!teacherPlace_ || !(reminderBlink_->isRunning() || timeUpSlide_->isRunning()))
        teacherPlace_ = QPointF(main_.leftTwips(), main_.topTwips());
}

void NoticeChoreography::returnToTeacherScreen(bool standard)
{
    if (!teacherPlace_)
        return;
    const QPointF place = *teacherPlace_;
    teacherPlace_.reset();
    const QList<QRectF> screens = main_.screensTwips();
    const qsizetype teacher =
        placement::screenOf(QRectF(place, QSizeF(main_.widthTwips(), main_.heightTwips())), screens);
    if (teacher < 0 || screens[teacher] == main_.ownScreenTwips())
        return;
    if (standard)
        main_.centreOn(screens[teacher], MainWindow::kStandardTop);
    else
        main_.placeOn(screens[teacher], place);
}

void NoticeChoreography::holdFocusWhileNoticesRun()
{
    // The enlarged window, say, goes away at time-up and the window manager looks for another window
    // to give the focus to.
    const bool hold = reminderBlink_->isRunning() || timeUpSlide_->isRunning();
    if (QWindow* handle = main_.windowHandle())
        handle->setFlag(Qt::WindowDoesNotAcceptFocus, hold);
}

void NoticeChoreography::onReminderReached()
{
    // A window tucked at an edge comes out for the reminder and goes back once it is over.
    WindowTracking& tracking = program_.tracking();
    reminderSavedPlace_.reset();
    if (tracking.isDocked())
        reminderSavedPlace_ = SavedPlace{std::round(main_.leftTwips()), main_.topTwips(), tracking.docked()};
    else
        noteTeacherPlace();
    // Where the class looks: on the screen of a running show.
    main_.centreOn(main_.classScreenTwips(), MainWindow::kStandardTop);
    tracking.clearDocked();
    reminderBlink_->start();
    holdFocusWhileNoticesRun();
}

void NoticeChoreography::onReminderBlinkStep(const ReminderBlink::Step& step)
{
    OverShowStacking& stacking = *conductor_.stacking();
    ProgramWindow* strip = program_.loadedWindow(WindowKind::ToolStrip);
    reminderBlink_->noteVisible(main_.isVisible(), strip && strip->isVisible());
    if (strip)
        strip->hide();

    if (auto* enlarged = program_.loaded<EnlargedWindow>())
        enlarged->placeBelowMainWindow();

    if (step.first)
        conductor_.cues().playCountCue();
    const Countdown& countdown = program_.countdown();
    main_.showReminder(reminderText(countdown.reminderMinutes(), countdown.reminderSeconds()));

    if (step.flip) {
        if (main_.isVisible())
            main_.hide();
        else
            stacking.showWithoutFocus();
    } else {
        stacking.showWithoutFocus();
        program_.unload(WindowKind::DrawLauncher);
    }
    if (!step.last)
        return;

    // Everything back as it was before the reminder.
    if (reminderBlink_->mainWasVisible())
        stacking.showWithoutFocus();
    else
        main_.hide();
    if (strip) {
        strip->setVisible(reminderBlink_->stripWasVisible());
        if (strip->isVisible())
            if (auto* toolStrip = qobject_cast<ToolStrip*>(strip))
                toolStrip->resumeMirror();
    }
    reminderBlink_->forgetVisible();
    if (program_.enlargedNotice() == EnlargedNotice::ClosedByUser) {
        // The enlarged window was closed: the main window takes its place in view.
        stacking.showWithoutFocus();
        reminderBlink_->keepMainInView();
        program_.enlargedNotice() = EnlargedNotice::None;
    }
    main_.endReminder();
    if (reminderSavedPlace_) {
        stacking.showWithoutFocus();
        main_.moveTwips(reminderSavedPlace_->left, reminderSavedPlace_->top);
        program_.tracking().setDocked(reminderSavedPlace_->docked);
        reminderSavedPlace_.reset();
    }
    if (!timeUpSlide_->isRunning())
        returnToTeacherScreen(false);
    holdFocusWhileNoticesRun();
}

void NoticeChoreography::onTimeUp()
{
    noteTeacherPlace();
    const QRectF screen = main_.classScreenTwips();
    main_.moveTwips(screen.left() + TimeUpSlide::kMarginTwips, screen.top() + MainWindow::kStandardTop);
    program_.tracking().clearDocked();
    program_.enlargedNotice() = EnlargedNotice::TimeUp;
    timeUpSlide_->start();
    holdFocusWhileNoticesRun();
    main_.showTimeUpBegun();
    covers_->show(screensToCover());
}

QList<QRect> NoticeChoreography::screensToCover() const
{
    QList<QRect> screens;
    switch (program_.options().coverScreens()) {
    case CoverScreens::None:
        break;
    case CoverScreens::EveryScreen:
        for (const QScreen* screen : QGuiApplication::screens())
            screens << screen->geometry();
        break;
    case CoverScreens::ShowScreen: {
        // The screen a running show fills, else the one the main window is on.
        const QRectF classScreen = main_.classScreenTwips();
        const double tpp = program_.twipsPerPixel();
        const QPoint centre =
            QRectF(classScreen.topLeft() / tpp, classScreen.size() / tpp).center().toPoint();
        const QScreen* screen = QGuiApplication::screenAt(centre);
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            screens << screen->geometry();
        break;
    }
    }
    return screens;
}

void NoticeChoreography::onTimeUpSlideStep(const TimeUpSlide::Step& step)
{
    conductor_.stacking()->showWithoutFocus();
    if (ProgramWindow* strip = program_.loadedWindow(WindowKind::ToolStrip))
        strip->hide();
    program_.unload(WindowKind::DrawLauncher);

    main_.showTimeUp();

    // Slides across the screen it is on, measured from that screen's left edge.
    const QRectF screen = main_.ownScreenTwips();
    const double right = screen.width() - main_.widthTwips() - TimeUpSlide::kMarginTwips;
    if (!step.sliding) {
        main_.placeStandard();
    } else {
        const double left = screen.left() + timeUpSlide_->nextLeft(main_.leftTwips() - screen.left(), right);
        if (left != main_.leftTwips())
            main_.setLeftTwips(left);
    }
    timeUpSlide_->turnAtMargins(main_.leftTwips() - screen.left(), right);

    Countdown& countdown = program_.countdown();
    if (step.first) {
        conductor_.cues().playCountCue();
        countdown.beginTimeUp();
    }
    if (step.last) {
        covers_->hide();
        countdown.finishTimeUp();
        main_.endTimeUp();
        main_.placeStandard();
        returnToTeacherScreen(true);
        holdFocusWhileNoticesRun();
    }
}
