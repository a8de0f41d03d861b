#include "platform/session/ForeignToplevelList.h"

#include <algorithm>

ForeignToplevelList::Entry* ForeignToplevelList::find(WindowId id)
{
    const auto it =
        std::find_if(windows_.begin(), windows_.end(), [id](const Entry& e) { return e.id == id; });
    return it == windows_.end() ? nullptr : &*it;
}

const ForeignToplevelList::Entry* ForeignToplevelList::find(WindowId id) const
{
    return const_cast<ForeignToplevelList*>(this)->find(id);
}

void ForeignToplevelList::addWindow(WindowId id)
{
    // A handle the compositor hands out again belongs to a new window: the old one is gone.
    removeWindow(id);
    windows_.push_back({id, {}, std::nullopt});
}

void ForeignToplevelList::setTitle(WindowId id, const QString& title)
{
    if (Entry* e = find(id))
        e->pending.title = title;
}

void ForeignToplevelList::setAppId(WindowId id, const QString& appId)
{
    if (Entry* e = find(id))
        e->pending.appId = appId;
}

void ForeignToplevelList::setStates(WindowId id, const QList<quint32>& codes)
{
    Entry* e = find(id);
    if (!e)
        return;
    e->pending.maximized = codes.contains(Maximized);
    e->pending.minimized = codes.contains(Minimized);
    e->pending.activated = codes.contains(Activated);
    e->pending.fullScreen = codes.contains(FullScreen);
}

void ForeignToplevelList::enterOutput(WindowId id, OutputId output)
{
    Entry* e = find(id);
    if (e && !e->pending.outputs.contains(output))
        e->pending.outputs.append(output);
}

void ForeignToplevelList::leaveOutput(WindowId id, OutputId output)
{
    if (Entry* e = find(id))
        e->pending.outputs.removeAll(output);
}

void ForeignToplevelList::commit(WindowId id)
{
    Entry* e = find(id);
    if (!e)
        return;
    e->shown = e->pending;
    updateTitles();
}

void ForeignToplevelList::removeWindow(WindowId id)
{
    const auto it =
        std::find_if(windows_.begin(), windows_.end(), [id](const Entry& e) { return e.id == id; });
    if (it == windows_.end())
        return;
    windows_.erase(it);
    updateTitles();
}

void ForeignToplevelList::clear()
{
    windows_.clear();
    outputs_.clear();
    updateTitles();
}

void ForeignToplevelList::setOutput(OutputId id, const CompositorOutput& output)
{
    outputs_.insert(id, output);
}

void ForeignToplevelList::removeOutput(OutputId id)
{
    outputs_.remove(id);
    // The compositor may not say that the windows left a monitor that was unplugged.
    for (Entry& e : windows_) {
        e.pending.outputs.removeAll(id);
        if (e.shown)
            e.shown->outputs.removeAll(id);
    }
}

const ForeignToplevelList::Window* ForeignToplevelList::window(WindowId id) const
{
    const Entry* e = find(id);
    return e && e->shown ? &*e->shown : nullptr;
}

std::optional<CompositorOutput> ForeignToplevelList::fullScreenOutputOf(const QString& title) const
{
    std::optional<CompositorOutput> found;
    for (const Entry& e : windows_) {
        if (!e.shown || !e.shown->fullScreen || e.shown->title != title)
            continue;
        for (OutputId output : e.shown->outputs) {
            const auto described = outputs_.constFind(output);
            if (described == outputs_.constEnd())
                continue;
            if (e.shown->activated)
                return *described;
            if (!found)
                found = *described;
            break;
        }
    }
    return found;
}

void ForeignToplevelList::updateTitles()
{
    QStringList titles;
    for (const Entry& e : windows_) {
        if (e.shown && !e.shown->title.isEmpty())
            titles << e.shown->title;
    }
    if (titles == titles_)
        return;
    titles_ = titles;
    emit titlesChanged();
}
