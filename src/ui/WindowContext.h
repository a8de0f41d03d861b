#pragma once

#include "models/countdown/Countdown.h"
#include "models/display/EnlargedNotice.h"
#include "models/display/WindowZoom.h"
#include "models/draw/InstructionShow.h"
#include "models/settings/ProgramOptions.h"
#include "models/tracking/WindowTracking.h"
#include "platform/Presentation.h"
#include "platform/SettingsStore.h"
#include "ui/QuestionsOverShow.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Dialogs;
class SoundDeviceFactory;
class Spreadsheet;
class TimerDriver;
class WarmSpreadsheet;
class WindowSystem;
class ZoomStore;

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
    // The user's settings file; none keeps the settings for this run only.
    SettingsStore* settings = nullptr;
};

// What a window may use of the program: the services and the models the windows share. It holds no
// window: a window reaches another only through the conductor (ProgramWindow::flow()).
class WindowContext {
public:
    WindowContext(const WindowContext&) = delete;
    WindowContext& operator=(const WindowContext&) = delete;

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
    SettingsStore& settings() { return services_.settings ? *services_.settings : runSettings_; }
    // The options of the settings window, kept in settings().
    ProgramOptions& options() { return options_; }
    double twipsPerPixel() const;
    // A new presentation engine; nullptr when this build has none.
    std::unique_ptr<Presentation> createPresentation() const
    {
        return services_.presentations ? services_.presentations() : nullptr;
    }

    // The teacher is on the way to the name-list draw: its office starts and opens the list ahead.
    void prepareNameList();
    // The teacher went elsewhere: the office prepared for the name list ends after a while.
    void leaveNameList();

protected:
    explicit WindowContext(Services services);
    ~WindowContext();
    const Services& services() const { return services_; }

private:
    Services services_;
    InMemorySettings runSettings_;
    ProgramOptions options_{settings()};
    QuestionsOverShow questions_{services_.dialogs, services_.windows};
    Countdown countdown_;
    WindowTracking tracking_;
    WindowZoom zoom_{services_.zoomStore};
    InstructionShow instructionShow_;
    EnlargedNotice enlargedNotice_ = EnlargedNotice::None;
};
