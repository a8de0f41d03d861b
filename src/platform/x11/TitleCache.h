#pragma once

#include "platform/x11/TextProperty.h"

#include <QStringList>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>
#include <xcb/xcb.h>

class XcbConnection;

// The titles of every top-level window: the root window's children, mapped or not, united with the
// window manager's client list (framed windows). Filled once, then kept up to date from the X events
// of the windows (creation, destruction, reparenting, title changes), so that reading it costs no
// round trip to the server.
class TitleCache {
public:
    // keep(window) decides about windows created by this program (its toolkit's helper windows are
    // left out, its own windows are not).
    TitleCache(XcbConnection& connection, std::function<bool(xcb_window_t)> keepOwn);

    // The titles that are not empty, the window manager's stacking order first (top-most first),
    // then the other root children. Unchanged lists share their data.
    const QStringList& titles();

    // Called when a window other than ours was mapped or restacked.
    void onRestack(std::function<void()> handler) { restacked_ = std::move(handler); }

    // Called when an event may have changed the list: a window came or went, a title changed, the
    // window manager's list changed; and when another window took the keyboard or went full screen. The list
    // itself is read when titles() is next called.
    void onChange(std::function<void()> handler) { changed_ = std::move(handler); }

    // The same list read from the server on the spot, without the cache (for comparison).
    static QStringList scanNow(XcbConnection& connection, const std::function<bool(xcb_window_t)>& keepOwn);

private:
    struct Entry {
        QString title;
        bool rootChild = false;
        bool client = false;
        bool hasNetName = false;
    };

    void fill();
    void handle(const xcb_generic_event_t* event);
    // True when the event may change the list.
    bool take(const xcb_generic_event_t* event);
    void track(xcb_window_t window);
    void readClientList();
    void readPendingTitles();
    void forgetIfUnlisted(xcb_window_t window);

    XcbConnection& connection_;
    std::function<bool(xcb_window_t)> keepOwn_;
    std::function<void()> restacked_;
    std::function<void()> changed_;
    x11text::Atoms textAtoms_;
    xcb_atom_t netWmName_ = XCB_ATOM_NONE;
    xcb_atom_t clientList_ = XCB_ATOM_NONE;
    xcb_atom_t clientListStacking_ = XCB_ATOM_NONE;
    xcb_atom_t activeWindow_ = XCB_ATOM_NONE;
    xcb_atom_t netWmState_ = XCB_ATOM_NONE;

    std::unordered_map<xcb_window_t, Entry> windows_;
    std::vector<xcb_window_t> rootOrder_;   // creation order of root children, bottom first
    std::vector<xcb_window_t> clientOrder_; // the window manager's stacking, bottom first
    std::unordered_set<xcb_window_t> needTitle_;
    bool clientListChanged_ = false;
    bool dirty_ = true;
    QStringList titles_;
};
