#include "platform/x11/XcbConnection.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <cstdlib>
#include <cstring>

XcbConnection::XcbConnection()
{
    int screenNumber = 0;
    xcb_connection_t* conn = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(conn)) {
        xcb_disconnect(conn);
        return;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem) {
        xcb_disconnect(conn);
        return;
    }
    conn_ = conn;
    root_ = it.data->root;
    if (QCoreApplication::instance()) {
        notifier_ = new QSocketNotifier(xcb_get_file_descriptor(conn_), QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] { dispatchPending(); });
    }
}

XcbConnection::~XcbConnection()
{
    delete notifier_;
    if (conn_)
        xcb_disconnect(conn_);
}

xcb_atom_t XcbConnection::atom(const char* name)
{
    if (!conn_)
        return XCB_ATOM_NONE;
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(conn_, xcb_intern_atom(conn_, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return result;
}

void XcbConnection::dispatchPending()
{
    if (!conn_)
        return;
    while (xcb_generic_event_t* event = xcb_poll_for_event(conn_)) {
        for (const Listener& listener : listeners_)
            listener(event);
        free(event);
    }
}

bool isCreatedByThisProgram(xcb_window_t window)
{
    static const auto range = []() -> std::pair<uint32_t, uint32_t> {
        auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        if (!x11 || !x11->connection())
            return {0, 0};
        const xcb_setup_t* setup = xcb_get_setup(x11->connection());
        return {setup->resource_id_base, setup->resource_id_mask};
    }();
    return range.second != 0 && (window & ~range.second) == range.first;
}
