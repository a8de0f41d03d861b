#pragma once

#include "platform/modules/ModuleLibrary.h"
#include "platform/modules/ModuleSoundDevices.h"
#include "platform/session/DesktopSession.h"
#include "ui/Program.h"

#include <QStringList>
#include <memory>

class AccessibleWindowTitles;
class Dialogs;
class ForeignToplevels;
class ModuleSpreadsheet;
class PortalShortcuts;
class SettingsFile;
class SettingsZoomStore;
class SqliteDrawHistory;
class TimerDriver;
class WarmSpreadsheet;
class WindowSystem;

// The back-ends that serve the program's seams on this desktop session, made in one place and kept for
// the program's life (they outlive the windows that use them):
//   windows       X11, also through XWayland; Qt alone on a Wayland desktop without an X server.
//                 On Wayland, F9/F11 also from the desktop portal, other programs' titles from the
//                 compositor's window list, else from the accessibility bus.
//   sounds        the sound module, loaded when the cues are first needed
//   presentations the slides module, loaded when a deck is first shown
//   spreadsheet   the office module, kept warm around the name-list draw (none in a build without it)
//   zoom          the settings file
// Timers and questions are made before, as the single-instance check needs them.
class ProgramServices {
public:
    struct Folders {
        QString program;
        QString data;
        QStringList shipped;
    };

    ProgramServices(SessionKind session, const Folders& folders, TimerDriver& timers);
    ~ProgramServices();
    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;

    // What the program is handed: these back-ends with the timers and questions made before.
    Services forProgram(TimerDriver& timers, Dialogs& dialogs, std::function<bool()> isOnlyCopy);

    ModuleSoundDeviceFactory& sounds() { return sounds_; }
    SettingsFile& settings() { return *settings_; }
    // What works on this desktop: the session's kind, and what the desktop offers beyond it.
    SessionFeatures features() const;
    // Calls settled once the desktop portal has answered whether it binds F9/F11 (at once when it is
    // not being asked), so that features() tells what the desktop really offers.
    void whenFeaturesSettled(QObject* context, std::function<void()> settled);

private:
    void makeWindows();

    const SessionKind session_;
    const Folders folders_;

    std::unique_ptr<WindowSystem> desktopWindows_;
    std::unique_ptr<PortalShortcuts> portalKeys_;
    std::unique_ptr<WindowSystem> withPortalKeys_;
    std::unique_ptr<ForeignToplevels> foreignToplevels_;
    std::unique_ptr<WindowSystem> withForeignToplevels_;
    std::unique_ptr<AccessibleWindowTitles> accessibleTitles_;
    std::unique_ptr<WindowSystem> withAccessibleTitles_;
    WindowSystem* windows_ = nullptr;

    ModuleLibrary soundModule_;
    ModuleLibrary slidesModule_;
    ModuleLibrary officeModule_;
    ModuleSoundDeviceFactory sounds_;
    std::unique_ptr<ModuleSpreadsheet> spreadsheet_;
    std::unique_ptr<WarmSpreadsheet> warmSpreadsheet_;

    std::unique_ptr<SettingsFile> settings_;
    std::unique_ptr<SettingsZoomStore> zoomStore_;
    std::unique_ptr<SqliteDrawHistory> drawHistory_;
};
