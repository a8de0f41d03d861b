#include "support/TestProgram.h"

#include "ui/WindowFactories.h"
#include "ui/display/Tray.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QDeadlineTimer>

TestProgram::TestProgram(Spreadsheet* spreadsheetEngine)
{
    Services services{timers,
                      dialogs,
                      windows,
                      sounds,
                      [this] { return onlyCopy; },
                      dataDir.path(),
                      QStringList{dataDir.path()}};
    services.presentations = presentations.factory();
    services.spreadsheet = spreadsheetEngine ? spreadsheetEngine : &spreadsheet;
    services.settings = &settings;
    services.drawHistory = &drawHistory;
    program = std::make_unique<Program>(std::move(services));
    registerWindows(*program);
    program->onQuit([this](int code) { quitCode = code; });
}

TestProgram::~TestProgram()
{
    program.reset();
    settle();
}

MainWindow& TestProgram::start()
{
    program->start();
    // The tray icon follows the window's first picture: let it be painted as on the desktop.
    const QDeadlineTimer deadline(5000);
    while (program->loaded<MainWindow>() && !Tray::of(program->loaded<MainWindow>()) &&
           !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return main();
}

MainWindow& TestProgram::main()
{
    return *program->window<MainWindow>();
}

void TestProgram::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
