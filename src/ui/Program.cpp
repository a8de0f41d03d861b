#include "ui/Program.h"

#include "models/draw/NameListFile.h"
#include "platform/ProgramNoticeTitle.h"
#include "platform/WindowSystem.h"
#include "platform/office/WarmSpreadsheet.h"
#include "ui/ProgramWindow.h"
#include "ui/Resources.h"
#include "ui/flow/FlowConductor.h"
#include "ui/flow/InstructionShowBinding.h"

#include <QCoreApplication>

Program::Program(Services services)
    : WindowContext(std::move(services)), conductor_(std::make_unique<FlowConductor>(*this))
{
    initProgramResources();
    bindInstructionShow(*this);
}

Program::~Program() = default;

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
            kProgramNoticeTitle,
            QCoreApplication::translate(
                "Program", "\r    您好，本软件已运行，请点击任务栏托盘区的钟形图标显示程序界面！    \r\n"));
        quit(0);
        return nullptr;
    }
    return window(WindowKind::Main);
}

void Program::shutdown()
{
    conductor_->shutdown();
}

void Program::endOfficeWarmUp()
{
    if (services().officeWarmUp)
        services().officeWarmUp->end();
}

void Program::quit(int exitCode)
{
    quit_ = true;
    if (quitHandler_)
        quitHandler_(exitCode);
    else
        QCoreApplication::exit(exitCode);
}

void Program::resumeTracking()
{
    conductor_->resumeTracking();
}
