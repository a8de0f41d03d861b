#pragma once

#include "ui/WindowKind.h"

#include <QPointer>
#include <functional>
#include <map>

class ProgramWindow;
class Program;

// Owns the program's windows: builds each on first use from the factory registered for its kind,
// keeps it while it is loaded and releases it on unload. A kind without a factory is not part of this
// build.
class WindowOwner {
public:
    using Factory = std::function<ProgramWindow*(Program&)>;

    explicit WindowOwner(Program& program) : program_(program) {}
    // Deletes the windows still loaded, without their Unload: the program is going away.
    ~WindowOwner();
    WindowOwner(const WindowOwner&) = delete;
    WindowOwner& operator=(const WindowOwner&) = delete;

    void registerFactory(WindowKind kind, Factory factory);
    bool isAvailable(WindowKind kind) const;

    // The window, built and its Load run when it is not loaded yet; nullptr if it is not available
    // or its Load unloaded it again.
    ProgramWindow* load(WindowKind kind);
    // Takes a window built by the caller (with arguments of its own) as the loaded one of its kind
    // and runs its Load.
    ProgramWindow* adopt(WindowKind kind, ProgramWindow* created);
    // The window if it is loaded, without loading it.
    ProgramWindow* loaded(WindowKind kind) const;

    // Runs the window's Unload, stops its timers, hides it and releases it once control returns to
    // the event loop. A window that is not loaded is skipped.
    void unload(WindowKind kind);

private:
    Program& program_;
    std::map<WindowKind, Factory> factories_;
    std::map<WindowKind, QPointer<ProgramWindow>> loaded_;
};
