#include "ui/WindowOwner.h"

#include "platform/Timer.h"
#include "ui/Program.h"
#include "ui/ProgramWindow.h"
#include "ui/flow/FlowConductor.h"

WindowOwner::~WindowOwner()
{
    for (auto& [kind, form] : loaded_) {
        if (form)
            delete form.data();
    }
}

void WindowOwner::registerFactory(WindowKind kind, Factory factory)
{
    factories_[kind] = std::move(factory);
}

bool WindowOwner::isAvailable(WindowKind kind) const
{
    return factories_.count(kind) != 0;
}

ProgramWindow* WindowOwner::loaded(WindowKind kind) const
{
    auto it = loaded_.find(kind);
    return it == loaded_.end() ? nullptr : it->second.data();
}

ProgramWindow* WindowOwner::load(WindowKind kind)
{
    if (ProgramWindow* existing = loaded(kind))
        return existing;
    auto factory = factories_.find(kind);
    if (factory == factories_.end())
        return nullptr;
    return adopt(kind, factory->second(program_));
}

ProgramWindow* WindowOwner::adopt(WindowKind kind, ProgramWindow* created)
{
    loaded_[kind] = created;
    program_.conductor().windowBuilt(*created);
    // Built as designed, drawn at its kind's zoom before Load places it.
    created->applyZoom(program_.zoom().percent(windowRoleName(kind)));
    created->load();
    // Load may have unloaded the window again (a refused start, say).
    ProgramWindow* kept = loaded(kind);
    if (kept)
        program_.conductor().windowLoaded(*kept);
    return kept;
}

void WindowOwner::unload(WindowKind kind)
{
    auto it = loaded_.find(kind);
    if (it == loaded_.end() || !it->second)
        return;
    QPointer<ProgramWindow> form = it->second;
    loaded_.erase(it);
    form->unload();
    // Unload may have ended the window itself.
    if (!form)
        return;
    for (Timer* timer : form->findChildren<Timer*>())
        timer->setEnabled(false);
    form->hide();
    // Deferred: the window may be unloading itself from one of its own handlers.
    form->deleteLater();
}
