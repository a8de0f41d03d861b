#include "app/FormRegistry.h"
#include "app/Program.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxDialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/QtSoundDevice.h"
#include "platform/RealTimerDriver.h"
#include "platform/SingleInstance.h"
#include "platform/X11WindowSystem.h"
#include "platform/presentation/BuiltInPresentation.h"

#include <QApplication>
#include <QDir>

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
    // Files named without a folder (the help, the decks) are found in the data folder.
    QDir::setCurrent(dataFolder);

    RealTimerDriver timers;
    MessageBoxDialogs dialogs;
    X11WindowSystem windows;
    QtSoundDeviceFactory sounds(QStringList{dataFolder} + shipped);
    SingleInstance instance;

    Services services{timers, dialogs, windows, sounds, [&instance] { return instance.acquire(); }, dataFolder,
                      shipped};
    services.presentations = [] { return std::make_unique<BuiltInPresentation>(); };
    Program program(std::move(services));
    registerForms(program);

    bool ended = false;
    int exitCode = 0;
    program.onQuit([&](int code) {
        ended = true;
        exitCode = code;
        QApplication::exit(code);
    });

    program.form(FormId::Form1);
    if (ended)
        return exitCode;
    return QApplication::exec();
}
