#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>
#include <xcb/xcb.h>

class QSocketNotifier;

// A connection of our own to the X server, beside Qt's: the event masks we select on other programs'
// windows belong to this connection only, and its events never reach Qt. Events are handed to the
// listeners as they arrive and whenever a reader asks for the latest state.
class XcbConnection : public QObject {
    Q_OBJECT
public:
    // Opens the display named by $DISPLAY; check isOpen().
    XcbConnection();
    ~XcbConnection() override;
    XcbConnection(const XcbConnection&) = delete;
    XcbConnection& operator=(const XcbConnection&) = delete;

    bool isOpen() const { return conn_ != nullptr; }
    xcb_connection_t* get() const { return conn_; }
    xcb_window_t root() const { return root_; }

    xcb_atom_t atom(const char* name);

    using Listener = std::function<void(const xcb_generic_event_t*)>;
    void addListener(Listener listener) { listeners_.push_back(std::move(listener)); }

    // Hands every event that has arrived to the listeners.
    void dispatchPending();

private:
    xcb_connection_t* conn_ = nullptr;
    xcb_window_t root_ = 0;
    QSocketNotifier* notifier_ = nullptr;
    std::vector<Listener> listeners_;
};

// Whether the window was created by this program's own toolkit connection (its windows and its
// invisible helper windows).
bool isCreatedByThisProgram(xcb_window_t window);
