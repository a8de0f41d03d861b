#pragma once

#include "ui/WindowContext.h"
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

// The running program: what its windows share (WindowContext), its conductor and its windows. Windows
// are loaded on first use and unloaded explicitly, as the behaviour of each window says.
class Program : public WindowContext {
public:
    using WindowFactory = WindowOwner::Factory;

    explicit Program(Services services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

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
    bool quit_ = false;
    std::function<void(int)> quitHandler_;
    std::unique_ptr<FlowConductor> conductor_;
    // Last: the windows go before the models and the conductor they use.
    WindowOwner forms_{*this};
};
