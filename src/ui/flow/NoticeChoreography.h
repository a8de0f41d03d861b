#pragma once

#include "models/countdown/ReminderBlink.h"
#include "models/countdown/TimeUpSlide.h"
#include "models/tracking/EdgeDocking.h"

#include <QList>
#include <QObject>
#include <QPointF>
#include <QRect>
#include <optional>

class FlowConductor;
class MainWindow;
class Program;
class TimeUpCovers;

// What the reminder and the time-up do to the windows: the main window blinks or slides on the
// screen the class sees (the one a running show fills), the strip and the launcher make way, the
// enlarged window moves below, the cue sounds, and afterwards everything goes back where the teacher
// had it.
class NoticeChoreography : public QObject {
    Q_OBJECT
public:
    NoticeChoreography(FlowConductor& conductor, MainWindow& main);

    bool isReminderRunning() const { return reminderBlink_->isRunning(); }
    // The covers a time-up shows on the screens (with the option on), for as long as it lasts.
    const TimeUpCovers& covers() const { return *covers_; }

private:
    void onReminderReached();
    void onTimeUp();
    void onReminderBlinkStep(const ReminderBlink::Step& step);
    void onTimeUpSlideStep(const TimeUpSlide::Step& step);

    // Where the teacher had the window before an effect took it to the screen the class sees.
    void noteTeacherPlace();
    // Back on the teacher's screen after an effect that showed on another one; `standard` puts it at
    // the standard place there rather than where it was.
    void returnToTeacherScreen(bool standard);
    // While the reminder or the time-up runs, the window takes no focus at all: neither when it is
    // shown again on every blink, nor when the window that had the focus goes away meanwhile.
    void holdFocusWhileNoticesRun();
    // The screens (pixels) the time-up cover goes on, as the teacher chose.
    QList<QRect> screensToCover() const;

    FlowConductor& conductor_;
    Program& program_;
    MainWindow& main_;
    ReminderBlink* reminderBlink_;
    TimeUpSlide* timeUpSlide_;
    TimeUpCovers* covers_;

    // Place and edge flags saved by a reminder that fired while the window was tucked away.
    struct SavedPlace {
        double left = 0, top = 0;
        docking::Flags docked;
    };
    std::optional<SavedPlace> reminderSavedPlace_;
    // The window's place (outer top-left, twips) when the reminder or the time-up began.
    std::optional<QPointF> teacherPlace_;
};
