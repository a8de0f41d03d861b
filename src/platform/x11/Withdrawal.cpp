#include "platform/x11/Withdrawal.h"

#include "platform/x11/XcbConnection.h"

#include <QElapsedTimer>
#include <QThread>
#include <cstdlib>

namespace x11withdrawal {
namespace {

constexpr uint32_t kWithdrawnState = 0;

bool isWithdrawn(XcbConnection& connection, xcb_window_t window)
{
    xcb_connection_t* c = connection.get();
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    if (!tree)
        return true; // gone altogether
    const bool atRoot = tree->parent == connection.root();
    std::free(tree);
    if (!atRoot)
        return false;
    const xcb_atom_t wmState = connection.atom("WM_STATE");
    xcb_get_property_reply_t* state =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, wmState, wmState, 0, 1), nullptr);
    const bool withdrawn = !state || xcb_get_property_value_length(state) < 4 ||
                           *static_cast<const uint32_t*>(xcb_get_property_value(state)) == kWithdrawnState;
    std::free(state);
    return withdrawn;
}

} // namespace

bool waitUntilWithdrawn(XcbConnection& connection, xcb_window_t window, int timeoutMs)
{
    if (!connection.get())
        return true;
    QElapsedTimer waited;
    waited.start();
    while (!isWithdrawn(connection, window)) {
        if (waited.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(5);
    }
    return true;
}

} // namespace x11withdrawal
