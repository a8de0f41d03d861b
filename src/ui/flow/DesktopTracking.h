#pragma once

#include "models/tracking/TrackingStep.h"

#include <QObject>

class FlowConductor;
class MainWindow;
class Program;
class Timer;

// Tracking of the desktop for the main window, every 100 ms while anything needs a look: edge
// docking, the slide-show scan behind "缩小", F9 and F11, and the stacking over a show. Where the
// window system reports keys and title changes as they happen, the timer (Timer2) runs only while
// something needs a look, and an event wakes it.
class DesktopTracking : public QObject {
    Q_OBJECT
public:
    DesktopTracking(FlowConductor& conductor, MainWindow& main);

    // Tracking runs again (a draw or the launcher paused it, or the count stopped).
    void resume();
    // A draw or the launcher is open: tracking rests until it is resumed.
    void pause();

protected:
    // What tracking looks at changed: the window's place, size or visibility, or a button that
    // tracking keeps in line with the count and the desktop.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listen();
    void wake();
    bool isOff() const;
    DesktopView desktopView();
    void onTick();

    FlowConductor& conductor_;
    Program& program_;
    MainWindow& main_;
    Timer* timer_;
    bool onEvents_ = false; // keys and title changes are reported as they happen
    bool idle_ = false;     // Timer2 stopped itself, with nothing to look at
    bool woken_ = false;    // an event came since the tick began
};
