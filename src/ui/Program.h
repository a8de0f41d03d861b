#pragma once

#include "models/countdown/Countdown.h"
#include "models/display/EnlargedNotice.h"
#include "models/display/WindowZoom.h"
#include "models/draw/InstructionShow.h"
#include "models/tracking/WindowTracking.h"
#include "platform/Presentation.h"
#include "ui/QuestionsOverShow.h"
#include "ui/WindowKind.h"
#include "ui/WindowOwner.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <utility>

class Dialogs;
class FlowConductor;
class ProgramWindow;
class SingleInstance;
class SoundDeviceFactory;
class Spreadsheet;
class TimerDriver;
class WarmSpreadsheet;
class WindowSystem;

// What the windows use of the outside world. The program passes the real services; tests pass fakes.
struct Services {
    TimerDriver& timers;
    Dialogs& dialogs;
    WindowSystem& windows;
    SoundDeviceFactory& sounds;
    // Answers whether this is the only running copy.
    std::function<bool()> isOnlyCopy;
    // The folder of the user's data files (name list, decks).
    QString dataFolder;
    // Folders that hold the shipped files (cues, help, samples), in search order.
    QStringList shippedFolders;
    // Opens decks for full-screen shows; none means the slide features are not available.
    PresentationFactory presentations = {};
    // The spreadsheet program behind the name list; none when this build has no office engine.
    Spreadsheet* spreadsheet = nullptr;
    // Where the zoom of each kind of window is kept between runs; none keeps it for this run only.
    ZoomStore* zoomStore = nullptr;
    // Starts the office behind the name list ahead of need and ends it when idle; none in tests.
    WarmSpreadsheet* officeWarmUp = nullptr;
};

// The running program: its services, the models its windows share, and its windows. Windows are loaded on
// first use and unloaded explicitly, as the behaviour of each window says.
class Program {
public:
    using WindowFactory = WindowOwner::Factory;

    explicit Program(Services services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Countdown& countdown() { return countdown_; }
    WindowTracking& tracking() { return tracking_; }
    const WindowTracking& tracking() const { return tracking_; }
    WindowZoom& zoom() { return zoom_; }
    InstructionShow& instructionShow() { return instructionShow_; }
    EnlargedNotice& enlargedNotice() { return enlargedNotice_; }
    TimerDriver& timers() { return services_.timers; }
    Dialogs& dialogs() { return questions_; }
    WindowSystem& windows() { return services_.windows; }
    SoundDeviceFactory& sounds() { return services_.sounds; }
    bool isOnlyCopy() const { return services_.isOnlyCopy ? services_.isOnlyCopy() : true; }
    const QString& dataFolder() const { return services_.dataFolder; }
    const QStringList& shippedFolders() const { return services_.shippedFolders; }
    Spreadsheet* spreadsheet() const { return services_.spreadsheet; }
    double twipsPerPixel() const;
    // A new presentation engine; nullptr when this build has none.
    std::unique_ptr<Presentation> createPresentation() const
    {
        return services_.presentations ? services_.presentations() : nullptr;
    }

    // Which code builds each window. A window without a factory is not part of this build.
    void registerWindow(WindowKind id, WindowFactory factory);
    bool isAvailable(WindowKind id) const;

    // Starts the program: the main window comes up, unless another copy runs already, which is told
    // and this one ends. The main window, or nullptr when the program ended.
    ProgramWindow* start();

    // The window, loaded (constructed and its Load run) when it is not loaded yet; nullptr if the
    // window is not available.
    ProgramWindow* window(WindowKind id);
    // The window of that class, loaded on first use; nullptr if it is not available.
    template <class W> W* window() { return qobject_cast<W*>(window(W::kKind)); }

    // The window of that class loaded afresh in place of a loaded one, built with arguments its
    // registered factory cannot give (a participant count, say); nullptr if it is not available.
    template <class W, class... Args> W* reopen(Args&&... args)
    {
        unload(W::kKind);
        if (!isAvailable(W::kKind))
            return nullptr;
        return qobject_cast<W*>(forms_.adopt(W::kKind, new W(*this, std::forward<Args>(args)...)));
    }

    // The window if it is loaded, without loading it.
    ProgramWindow* loadedWindow(WindowKind id) const;
    template <class W> W* loaded() const { return qobject_cast<W*>(loadedWindow(W::kKind)); }
    bool isLoaded(WindowKind id) const { return loadedWindow(id) != nullptr; }

    // Runs the window's Unload, stops its timers, hides it and releases it. Safe to call from the
    // window's own handlers: the object is deleted once control returns to the event loop.
    void unload(WindowKind id);
    // Unloads every loaded window, the main window last, in the order that lets each release what it
    // holds (draws and their office instances before the windows that opened them).
    void unloadAll();

    // The teacher is on the way to the name-list draw: its office starts and opens the list ahead.
    void prepareNameList();
    // The teacher went elsewhere: the office prepared for the name list ends after a while.
    void leaveNameList();

    // The main window's tracking of the desktop runs again (a draw or the launcher paused it).
    void resumeTracking();

    // What opens and closes on what, the notices, the cues, tracking and the shutdown.
    FlowConductor& conductor() { return *conductor_; }

    // Ends the program for good (the conductor's shutdown).
    void shutdown();
    // The office kept warm for the name list ends now.
    void endOfficeWarmUp();

    // Ends the program with the exit code once control returns to the event loop.
    void quit(int exitCode = 0);
    bool hasQuit() const { return quit_; }
    void onQuit(std::function<void(int)> handler) { quitHandler_ = std::move(handler); }

private:
    Services services_;
    QuestionsOverShow questions_{services_.dialogs, services_.windows};
    Countdown countdown_;
    WindowTracking tracking_;
    WindowZoom zoom_{services_.zoomStore};
    InstructionShow instructionShow_;
    EnlargedNotice enlargedNotice_ = EnlargedNotice::None;
    bool quit_ = false;
    std::function<void(int)> quitHandler_;
    std::unique_ptr<FlowConductor> conductor_;
    // Last: the windows go before the models and the conductor they use.
    WindowOwner forms_{*this};
};
