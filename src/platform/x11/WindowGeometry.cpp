#include "platform/x11/WindowGeometry.h"

#include "platform/x11/TextProperty.h"
#include "platform/x11/XcbConnection.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace x11geometry {

namespace {

template <class Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply> ReplyPtr<Reply> own(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

std::vector<xcb_window_t> clientList(XcbConnection& connection)
{
    xcb_connection_t* c = connection.get();
    auto reply = own(
        xcb_get_property_reply(c,
                               xcb_get_property(c, 0, connection.root(), connection.atom("_NET_CLIENT_LIST"),
                                                XCB_ATOM_WINDOW, 0, 4096),
                               nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
    return {ids, ids + xcb_get_property_value_length(reply.get()) / 4};
}

QString titleOf(XcbConnection& connection, xcb_window_t window, const x11text::Atoms& atoms)
{
    xcb_connection_t* c = connection.get();
    for (xcb_atom_t property : {connection.atom("_NET_WM_NAME"), xcb_atom_t(XCB_ATOM_WM_NAME)}) {
        auto reply = own(xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr));
        if (!reply || reply->type == XCB_ATOM_NONE)
            continue;
        const QByteArray value(static_cast<const char*>(xcb_get_property_value(reply.get())),
                               xcb_get_property_value_length(reply.get()));
        const QString text = x11text::decode(value, reply->type, atoms);
        if (!text.isEmpty())
            return text;
    }
    return {};
}

std::optional<QRect> rootRect(XcbConnection& connection, xcb_window_t window)
{
    xcb_connection_t* c = connection.get();
    auto geometry = own(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    auto origin = own(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, window, connection.root(), 0, 0), nullptr));
    if (!geometry || !origin)
        return std::nullopt;
    return QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
}

} // namespace

std::optional<QRect> outerRect(XcbConnection& connection, xcb_window_t window)
{
    if (!connection.isOpen())
        return std::nullopt;
    std::optional<QRect> client = rootRect(connection, window);
    if (!client)
        return std::nullopt;
    xcb_connection_t* c = connection.get();
    auto extents = own(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, connection.atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (extents && extents->format == 32 && xcb_get_property_value_length(extents.get()) == 16) {
        const auto* e = static_cast<const uint32_t*>(xcb_get_property_value(extents.get()));
        // left, right, top, bottom
        client->adjust(-int(e[0]), -int(e[2]), int(e[1]), int(e[3]));
    }
    return client;
}

std::optional<QRect> findTitledWindow(XcbConnection& connection, const QString& title)
{
    if (!connection.isOpen() || title.isEmpty())
        return std::nullopt;
    const x11text::Atoms atoms{connection.atom("UTF8_STRING"), connection.atom("COMPOUND_TEXT")};
    for (xcb_window_t window : clientList(connection)) {
        if (titleOf(connection, window, atoms) == title)
            return rootRect(connection, window);
    }
    return std::nullopt;
}

} // namespace x11geometry
