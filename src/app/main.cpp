#include "platform/Fonts.h"
#include "platform/MessageBoxDialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/QtSoundDevice.h"
#include "platform/RealTimerDriver.h"
#include "platform/RunningCopyCall.h"
#include "platform/SettingsZoomStore.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"
#include "platform/X11WindowSystem.h"
#include "platform/office/OfficeLeftovers.h"
#include "platform/office/Spreadsheet.h"
#include "platform/presentation/BuiltInPresentation.h"
#include "ui/Program.h"
#include "ui/WindowFactories.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <memory>

#ifdef VANTREL_HAVE_UNO
#include "platform/office/LibreOfficeSpreadsheet.h"
#endif

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrel"));
    QApplication::setDesktopFileName(QStringLiteral("vantrel"));
    // The program lives in the tray and its hidden windows; closing the last one is not the end.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();

    const QString appDir = QApplication::applicationDirPath();
    const QStringList shipped = ProgramFolder::shippedFolders(appDir);
    const QString dataFolder = ProgramFolder::resolve(appDir, shipped);
    // Office profiles, pipes and half-written saves of earlier runs that were killed.
    removeLeftoversOfDeadRuns(dataFolder);
    // Files named without a folder (the help, the decks) are found in the data folder.
    QDir::setCurrent(dataFolder);

    RealTimerDriver timers;
    MessageBoxDialogs dialogs;
    X11WindowSystem windows;
    QtSoundDeviceFactory sounds(QStringList{dataFolder} + shipped);
    SingleInstance instance;
    // The first copy answers a second start by bringing its main window back into view.
    RunningCopyCall runningCopy;
    const auto isOnlyCopy = [&instance, &runningCopy] {
        if (instance.acquire()) {
            runningCopy.listen(RunningCopyCall::defaultPath());
            return true;
        }
        RunningCopyCall::call(RunningCopyCall::defaultPath());
        return false;
    };
    // Outlives the windows that use it; its background instance ends with the program.
    std::unique_ptr<Spreadsheet> spreadsheet;
#ifdef VANTREL_HAVE_UNO
    spreadsheet = std::make_unique<LibreOfficeSpreadsheet>();
#endif

    SettingsZoomStore zoomStore;
    Services services{timers, dialogs, windows, sounds, isOnlyCopy, dataFolder, shipped};
    services.zoomStore = &zoomStore;
    services.presentations = [] { return std::make_unique<BuiltInPresentation>(); };
    services.spreadsheet = spreadsheet.get();
    Program program(std::move(services));
    registerWindows(program);
    // A logout, `kill` or Ctrl+C ends the program as 退出 does, without the question: a round's draws
    // are saved and our office instances end.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::requested, &app, [&program] { program.shutdown(); });

    bool ended = false;
    int exitCode = 0;
    program.onQuit([&](int code) {
        ended = true;
        exitCode = code;
        QApplication::exit(code);
    });

    QObject::connect(&runningCopy, &RunningCopyCall::called, &app, [&program] {
        if (auto* main = program.loaded<MainWindow>())
            main->bringBack();
    });
    program.window(WindowKind::Main);
    if (ended)
        return exitCode;
    return QApplication::exec();
}
