#pragma once

#include "ui/WindowKind.h"
#include "ui/flow/CueChannel.h"

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <optional>

class DesktopTracking;
class MainWindow;
class NoticeChoreography;
class OverShowStacking;
class Program;
class ProgramWindow;
class SettingsWindow;
class TimeUpCovers;

// Conducts the program's flow between its windows: what opens and closes on what the teacher asks
// for, the reminder and time-up choreography, the cue channel, the tracking of the desktop and the
// shutdown. Windows show the models and say what the teacher asked for; they never open, close or
// reach into one another.
class FlowConductor : public QObject {
    Q_OBJECT
public:
    explicit FlowConductor(Program& program);
    ~FlowConductor() override;

    Program& program() { return program_; }
    CueChannel& cues() { return cues_; }

    // A window was just built, before its Load: the main window gets its tracking, its notices and
    // its cue, and what it asks for is wired here.
    void windowBuilt(ProgramWindow& window);
    // The window's Load ran and it stayed loaded.
    void windowLoaded(ProgramWindow& window);

    // The stacking over a show of the loaded main window; nullptr while none is loaded.
    OverShowStacking* stacking() const;
    bool isReminderRunning() const;

    // Tracking of the desktop (docking, the show scan, F9/F11) runs again, or rests while a draw or
    // the launcher is open.
    void resumeTracking();
    void pauseTracking();

    // The main window stays in view (tracking found it hidden while the count runs): the launcher
    // goes.
    void keepMainInView();
    // F9 over a show: the strip comes or goes.
    void toggleStrip();
    // Back in view at its standard place, whatever was shown (F11, a second start): the strip and
    // the launcher go, the window is un-minimised and raised above a running show.
    void bringBackMain();
    // The tray's left click: the main window back at its standard place, the strip and the launcher
    // gone, without taking the keyboard from a show.
    void showMainFromTray();
    // The tray's right click: the quit question, answered yes ends the program.
    void offerToQuitFromTray();
    // The settings window, from the tray's menu or the main window's: opened, or brought to the front.
    void openSettings();
    // The settings window while it is open; nullptr otherwise.
    SettingsWindow* settingsWindow() const;
    // The covers of a time-up under way; nullptr while no main window is loaded.
    const TimeUpCovers* timeUpCovers() const;

    // Ends the program for good, as the exit button and the tray do: the taskbar comes back, a running
    // instruction show is closed first, every window is unloaded, then the program quits with code 0.
    // Once the program has quit, it does nothing.
    void shutdown();

    // ---- What the windows ask for (WindowRequests.cpp) ----

    // Whether this build has the window.
    bool offers(WindowKind kind) const;
    // Whether the bell in the tray is a way back to the main window (trayAvailable()).
    bool trayIsAWayBack() const;
    // The main window's outer rectangle (twips) while it is loaded.
    std::optional<QRectF> mainWindowRect() const;
    // The main window's top, or the standard top while it is not loaded.
    double mainWindowTop() const;
    void showMainWindow();
    void hideMainWindow();
    // The window is done with: it is released once control returns to the event loop.
    void close(WindowKind kind);
    // The strip's restore icon: the main window comes back centred where the strip stands, with the
    // keyboard.
    void restoreMainOverStrip(const QRectF& strip);

    // The launcher's choices.
    void openNameListDraw();
    void openSlideDraw();
    void openSequenceDraw(float participants);
    // The launcher closes and the main window comes back.
    void leaveLauncher();
    // The question about an open round: the round ends, or goes on in its draw.
    void endSequenceRound();
    void continueSequenceRound();
    // The sequence draw ends while its round is open: the launcher asks whether to end it.
    void askAboutOpenRound();
    // Where the sequence draw opens: at the launcher's top when it is open, else the main window's.
    double sequenceDrawTop() const;

private:
    void bindMainWindow(MainWindow& main);
    void onStarted();
    void onFoldRequested();
    void onDrawRequested();
    void onExitRequested();
    void onEnlargeRequested();
    // The options as the settings say now: the count's overtime and the cues' level.
    void applyOptions();
    // The presets kept from earlier runs, for a main window that was just loaded.
    void restorePresets();

    Program& program_;
    CueChannel cues_;
    QPointer<MainWindow> main_;
    QPointer<OverShowStacking> stacking_;
    QPointer<DesktopTracking> tracking_;
    QPointer<NoticeChoreography> notices_;
    QPointer<SettingsWindow> settings_;
};
