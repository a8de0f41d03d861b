#pragma once

#include "platform/session/OutputScreenMatch.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <optional>
#include <vector>

// Every program's top-level windows and the monitors as a Wayland compositor's window list tells of
// them (wlroots compositors, sway among them). A window's changes come in batches that the compositor
// closes with "done": until then they are pending, and the list shows each window as of its last batch.
class ForeignToplevelList : public QObject {
    Q_OBJECT
public:
    using WindowId = quintptr;
    using OutputId = quintptr;

    // The window states as the compositor numbers them.
    enum StateCode : quint32 { Maximized = 0, Minimized = 1, Activated = 2, FullScreen = 3 };

    struct Window {
        QString title;
        QString appId;
        bool maximized = false;
        bool minimized = false;
        bool activated = false;
        bool fullScreen = false;
        QList<OutputId> outputs; // the monitors it is shown on, in the order it entered them

        bool operator==(const Window&) const = default;
    };

    // A window came; it is listed from its first done on.
    void addWindow(WindowId id);
    void setTitle(WindowId id, const QString& title);
    void setAppId(WindowId id, const QString& appId);
    // The states it has now; those not named are off. Codes this program does not know are skipped.
    void setStates(WindowId id, const QList<quint32>& codes);
    void enterOutput(WindowId id, OutputId output);
    void leaveOutput(WindowId id, OutputId output);
    // The batch is complete: the pending changes hold from now on.
    void commit(WindowId id);
    void removeWindow(WindowId id);
    // The compositor's list ended (it stopped, or the connection is gone): no window is known.
    void clear();

    void setOutput(OutputId id, const CompositorOutput& output);
    void removeOutput(OutputId id);

    // The listed windows' titles, empty ones left out, in the order the windows came.
    const QStringList& titles() const { return titles_; }
    // The window as of its last done; nullptr before its first and after it went.
    const Window* window(WindowId id) const;
    // The monitor a full-screen window of exactly this title fills (the active one when several
    // do), if the compositor has described that monitor.
    std::optional<CompositorOutput> fullScreenOutputOf(const QString& title) const;

signals:
    void titlesChanged();

private:
    struct Entry {
        WindowId id = 0;
        Window pending;
        std::optional<Window> shown;
    };
    Entry* find(WindowId id);
    const Entry* find(WindowId id) const;
    void updateTitles();

    std::vector<Entry> windows_;
    QHash<OutputId, CompositorOutput> outputs_;
    QStringList titles_;
};
