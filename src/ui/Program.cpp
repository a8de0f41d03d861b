#include "ui/Program.h"

#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/Form.h"
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

Program::~Program()
{
    for (auto& [id, form] : loaded_) {
        if (form)
            delete form.data();
    }
}

double Program::twipsPerPixel() const
{
    return services_.windows.twipsPerPixel();
}

void Program::registerForm(WindowKind id, FormFactory factory)
{
    factories_[id] = std::move(factory);
}

bool Program::isAvailable(WindowKind id) const
{
    return factories_.count(id) != 0;
}

Form* Program::loadedForm(WindowKind id) const
{
    auto it = loaded_.find(id);
    return it == loaded_.end() ? nullptr : it->second.data();
}

Form* Program::form(WindowKind id)
{
    if (Form* existing = loadedForm(id))
        return existing;
    auto factory = factories_.find(id);
    if (factory == factories_.end())
        return nullptr;
    return adopt(id, factory->second(*this));
}

Form* Program::adopt(WindowKind id, Form* created)
{
    loaded_[id] = created;
    created->load();
    // Load may have unloaded the window again (a refused start, say).
    return loadedForm(id);
}

void Program::unload(WindowKind id)
{
    auto it = loaded_.find(id);
    if (it == loaded_.end() || !it->second)
        return;
    QPointer<Form> form = it->second;
    loaded_.erase(it);
    form->unload();
    if (!form)
        return;
    for (Timer* timer : form->findChildren<Timer*>())
        timer->setEnabled(false);
    form->hide();
    form->deleteLater();
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
    if (auto* main = loaded<MainWindow>())
        main->resumeTracking();
}
