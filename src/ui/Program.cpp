#include "ui/Program.h"

#include "models/draw/NameListFile.h"
#include "platform/WindowSystem.h"
#include "platform/office/WarmSpreadsheet.h"
#include "ui/ProgramWindow.h"
#include "ui/Resources.h"
#include "ui/draw/InstructionShowBinding.h"
#include "ui/main/MainWindow.h"

#include <QCoreApplication>

Program::Program(Services services)
    : services_(std::move(services)), countdown_(services_.timers),
      instructionShow_(services_.timers, services_.presentations, services_.dataFolder)
{
    initProgramResources();
    bindInstructionShow(*this);
}

Program::~Program() = default;

double Program::twipsPerPixel() const
{
    return services_.windows.twipsPerPixel();
}

void Program::registerWindow(WindowKind id, WindowFactory factory)
{
    forms_.registerFactory(id, std::move(factory));
}

bool Program::isAvailable(WindowKind id) const
{
    return forms_.isAvailable(id);
}

ProgramWindow* Program::loadedWindow(WindowKind id) const
{
    return forms_.loaded(id);
}

ProgramWindow* Program::window(WindowKind id)
{
    return forms_.load(id);
}

void Program::unload(WindowKind id)
{
    forms_.unload(id);
}

void Program::unloadAll()
{
    for (WindowKind kind : kWindowsInUnloadOrder)
        forms_.unload(kind);
}

ProgramWindow* Program::start()
{
    // Only one copy runs: a second one says where the first is and ends before any window exists.
    if (!isOnlyCopy()) {
        dialogs().systemModalNotice(
            QStringLiteral("Vantrel工具提示："),
            QStringLiteral("\r    您好，本软件已运行，请点击任务栏托盘区的钟形图标显示程序界面！    \r\n"));
        quit(0);
        return nullptr;
    }
    return window(WindowKind::Main);
}

void Program::closeInstructionShow()
{
    if (instructionShow_.isOpen())
        instructionShow_.close();
}

void Program::shutdown()
{
    if (quit_)
        return;
    // A taskbar hidden by a full-screen show comes back whatever happens next.
    windows().showTaskbar();
    // The show holds its deck open; it ends before the player and the draws are released.
    closeInstructionShow();
    unloadAll();
    // The name list's office, kept warm, ends with the program.
    if (services_.officeWarmUp)
        services_.officeWarmUp->end();
    quit(0);
}

void Program::quit(int exitCode)
{
    quit_ = true;
    if (quitHandler_)
        quitHandler_(exitCode);
    else
        QCoreApplication::exit(exitCode);
}

void Program::prepareNameList()
{
    if (services_.officeWarmUp)
        services_.officeWarmUp->prepare(namelist::findFile(services_.dataFolder), namelist::kSheet);
}

void Program::leaveNameList()
{
    if (services_.officeWarmUp)
        services_.officeWarmUp->leave();
}

void Program::resumeTracking()
{
    if (auto* main = loaded<MainWindow>())
        main->resumeTracking();
}
