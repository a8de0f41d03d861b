#include "platform/x11/TitleCache.h"

#include "platform/x11/XcbConnection.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr uint32_t kWindowEvents = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
constexpr uint32_t kRootEvents = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;

struct TitleRequest {
    xcb_get_property_cookie_t netName;
    xcb_get_property_cookie_t wmName;
};

TitleRequest requestTitle(xcb_connection_t* c, xcb_window_t w, xcb_atom_t netWmName)
{
    // Titles longer than this are cut; the markers we look for sit near the start.
    constexpr uint32_t kLongWords = 1024;
    return {xcb_get_property(c, 0, w, netWmName, XCB_GET_PROPERTY_TYPE_ANY, 0, kLongWords),
            xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, kLongWords)};
}

QString propertyText(xcb_connection_t* c, xcb_get_property_cookie_t cookie, const x11text::Atoms& atoms,
                     bool* present = nullptr)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    QString text;
    if (reply && reply->format == 8 && reply->type != XCB_ATOM_NONE) {
        const QByteArray value(static_cast<const char*>(xcb_get_property_value(reply)),
                               xcb_get_property_value_length(reply));
        text = x11text::decode(value, reply->type, atoms);
        if (present)
            *present = true;
    }
    free(reply);
    return text;
}

// _NET_WM_NAME when the window has one, else WM_NAME.
QString collectTitle(xcb_connection_t* c, const TitleRequest& request, const x11text::Atoms& atoms,
                     bool* hasNetName)
{
    bool present = false;
    const QString netName = propertyText(c, request.netName, atoms, &present);
    const QString wmName = propertyText(c, request.wmName, atoms);
    if (hasNetName)
        *hasNetName = present && !netName.isEmpty();
    return present && !netName.isEmpty() ? netName : wmName;
}

std::vector<xcb_window_t> readWindowList(xcb_connection_t* c, xcb_window_t root, xcb_atom_t property)
{
    std::vector<xcb_window_t> list;
    if (property == XCB_ATOM_NONE)
        return list;
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, property, XCB_ATOM_WINDOW, 0, 65536), nullptr);
    if (reply && reply->format == 32) {
        const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
        list.assign(ids, ids + xcb_get_property_value_length(reply) / 4);
    }
    free(reply);
    return list;
}

std::vector<xcb_window_t> readRootChildren(xcb_connection_t* c, xcb_window_t root)
{
    std::vector<xcb_window_t> list;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree);
        list.assign(children, children + xcb_query_tree_children_length(tree));
    }
    free(tree);
    return list;
}

} // namespace

TitleCache::TitleCache(XcbConnection& connection, std::function<bool(xcb_window_t)> keepOwn)
    : connection_(connection), keepOwn_(std::move(keepOwn))
{
    textAtoms_.utf8String = connection_.atom("UTF8_STRING");
    textAtoms_.compoundText = connection_.atom("COMPOUND_TEXT");
    netWmName_ = connection_.atom("_NET_WM_NAME");
    clientList_ = connection_.atom("_NET_CLIENT_LIST");
    clientListStacking_ = connection_.atom("_NET_CLIENT_LIST_STACKING");
    activeWindow_ = connection_.atom("_NET_ACTIVE_WINDOW");
    netWmState_ = connection_.atom("_NET_WM_STATE");
    connection_.addListener([this](const xcb_generic_event_t* event) { handle(event); });
    fill();
}

void TitleCache::fill()
{
    xcb_connection_t* c = connection_.get();
    if (!c)
        return;
    // Listen first, then read: whatever changes in between arrives as an event.
    const uint32_t rootMask = kRootEvents;
    xcb_change_window_attributes(c, connection_.root(), XCB_CW_EVENT_MASK, &rootMask);
    for (xcb_window_t w : readRootChildren(c, connection_.root())) {
        track(w);
        windows_[w].rootChild = true;
        rootOrder_.push_back(w);
    }
    readClientList();
    readPendingTitles();
}

void TitleCache::track(xcb_window_t window)
{
    if (windows_.count(window))
        return;
    if (isCreatedByThisProgram(window) && !(keepOwn_ && keepOwn_(window)))
        return;
    windows_[window];
    const uint32_t mask = kWindowEvents;
    xcb_change_window_attributes(connection_.get(), window, XCB_CW_EVENT_MASK, &mask);
    needTitle_.insert(window);
}

void TitleCache::readClientList()
{
    xcb_connection_t* c = connection_.get();
    std::vector<xcb_window_t> clients = readWindowList(c, connection_.root(), clientListStacking_);
    if (clients.empty())
        clients = readWindowList(c, connection_.root(), clientList_);
    for (auto& [w, entry] : windows_)
        entry.client = false;
    for (xcb_window_t w : clients) {
        track(w);
        auto it = windows_.find(w);
        if (it != windows_.end()) {
            if (!it->second.client && !it->second.rootChild)
                needTitle_.insert(w);
            it->second.client = true;
        }
    }
    clientOrder_ = std::move(clients);
    // Windows that left the list without our hearing of their end (gone before we listened) go too.
    std::erase_if(windows_, [](const auto& item) { return !item.second.rootChild && !item.second.client; });
    clientListChanged_ = false;
    dirty_ = true;
}

void TitleCache::readPendingTitles()
{
    if (needTitle_.empty())
        return;
    xcb_connection_t* c = connection_.get();
    std::vector<std::pair<xcb_window_t, TitleRequest>> requests;
    requests.reserve(needTitle_.size());
    // All requests go out before the first reply is awaited: one round trip for the lot.
    for (xcb_window_t w : needTitle_)
        requests.emplace_back(w, requestTitle(c, w, netWmName_));
    needTitle_.clear();
    for (const auto& [w, request] : requests) {
        bool hasNetName = false;
        const QString title = collectTitle(c, request, textAtoms_, &hasNetName);
        auto it = windows_.find(w);
        if (it == windows_.end())
            continue;
        it->second.hasNetName = hasNetName;
        if (it->second.title != title) {
            it->second.title = title;
            dirty_ = true;
        }
    }
}

void TitleCache::forgetIfUnlisted(xcb_window_t window)
{
    auto it = windows_.find(window);
    if (it != windows_.end() && !it->second.rootChild && !it->second.client) {
        windows_.erase(it);
        dirty_ = true;
    }
}

void TitleCache::handle(const xcb_generic_event_t* event)
{
    if (take(event) && changed_)
        changed_();
}

bool TitleCache::take(const xcb_generic_event_t* event)
{
    const xcb_window_t root = connection_.root();
    bool changed = false;
    switch (event->response_type & 0x7f) {
    case XCB_CREATE_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_create_notify_event_t*>(event);
        if (e->parent != root)
            break;
        // A new window may reuse the id of one whose end we never heard of (it went before we listened).
        windows_.erase(e->window);
        std::erase(rootOrder_, e->window);
        track(e->window);
        if (auto it = windows_.find(e->window); it != windows_.end()) {
            it->second.rootChild = true;
            rootOrder_.push_back(e->window);
            dirty_ = true;
            changed = true;
        }
        break;
    }
    case XCB_DESTROY_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
        if (windows_.erase(e->window)) {
            needTitle_.erase(e->window);
            std::erase(rootOrder_, e->window);
            dirty_ = true;
            changed = true;
        }
        break;
    }
    case XCB_REPARENT_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_reparent_notify_event_t*>(event);
        if (e->parent == root) {
            track(e->window);
            if (auto it = windows_.find(e->window); it != windows_.end() && !it->second.rootChild) {
                it->second.rootChild = true;
                rootOrder_.push_back(e->window);
                needTitle_.insert(e->window);
                dirty_ = true;
                changed = true;
            }
        } else if (auto it = windows_.find(e->window); it != windows_.end() && it->second.rootChild) {
            it->second.rootChild = false;
            std::erase(rootOrder_, e->window);
            dirty_ = true;
            changed = true;
            forgetIfUnlisted(e->window);
        }
        break;
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (e->window == root) {
            if (e->atom == clientList_ || e->atom == clientListStacking_) {
                clientListChanged_ = true;
                changed = true;
            } else if (e->atom == activeWindow_) {
                // Another window took the keyboard: not a new title, but what is stacked above what.
                changed = true;
            }
        } else if (e->atom == netWmName_ || e->atom == XCB_ATOM_WM_NAME) {
            if (windows_.count(e->window)) {
                needTitle_.insert(e->window);
                changed = true;
            }
        } else if (e->atom == netWmState_ && windows_.count(e->window)) {
            // A window went full screen or back: what must stay above it may change.
            changed = true;
        }
        break;
    }
    case XCB_MAP_NOTIFY:
    case XCB_CONFIGURE_NOTIFY: {
        // Both carry the event's window right after the event window.
        const auto* e = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        if (e->event == root && restacked_ && !isCreatedByThisProgram(e->window))
            restacked_();
        break;
    }
    default:
        break;
    }
    return changed;
}

const QStringList& TitleCache::titles()
{
    connection_.dispatchPending();
    if (clientListChanged_)
        readClientList();
    readPendingTitles();
    if (!dirty_)
        return titles_;
    QStringList list;
    list.reserve(qsizetype(windows_.size()));
    std::unordered_set<xcb_window_t> listed;
    for (auto it = clientOrder_.rbegin(); it != clientOrder_.rend(); ++it) {
        auto entry = windows_.find(*it);
        if (entry != windows_.end() && listed.insert(*it).second && !entry->second.title.isEmpty())
            list.append(entry->second.title);
    }
    for (auto it = rootOrder_.rbegin(); it != rootOrder_.rend(); ++it) {
        auto entry = windows_.find(*it);
        if (entry != windows_.end() && listed.insert(*it).second && !entry->second.title.isEmpty())
            list.append(entry->second.title);
    }
    dirty_ = false;
    if (list != titles_)
        titles_ = std::move(list);
    return titles_;
}

QStringList TitleCache::scanNow(XcbConnection& connection, const std::function<bool(xcb_window_t)>& keepOwn)
{
    xcb_connection_t* c = connection.get();
    if (!c)
        return {};
    x11text::Atoms atoms{connection.atom("UTF8_STRING"), connection.atom("COMPOUND_TEXT")};
    const xcb_atom_t netWmName = connection.atom("_NET_WM_NAME");
    std::vector<xcb_window_t> windows =
        readWindowList(c, connection.root(), connection.atom("_NET_CLIENT_LIST_STACKING"));
    std::reverse(windows.begin(), windows.end());
    std::vector<xcb_window_t> children = readRootChildren(c, connection.root());
    std::reverse(children.begin(), children.end());
    std::unordered_set<xcb_window_t> seen(windows.begin(), windows.end());
    for (xcb_window_t w : children) {
        if (seen.insert(w).second)
            windows.push_back(w);
    }
    std::erase_if(windows,
                  [&](xcb_window_t w) { return isCreatedByThisProgram(w) && !(keepOwn && keepOwn(w)); });
    std::vector<TitleRequest> requests;
    requests.reserve(windows.size());
    for (xcb_window_t w : windows)
        requests.push_back(requestTitle(c, w, netWmName));
    QStringList titles;
    for (const TitleRequest& request : requests) {
        const QString title = collectTitle(c, request, atoms, nullptr);
        if (!title.isEmpty())
            titles.append(title);
    }
    return titles;
}
