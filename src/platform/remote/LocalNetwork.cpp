#include "platform/remote/LocalNetwork.h"

#include <QNetworkInterface>
#include <QUrl>
#include <array>
#include <utility>

namespace {

// An IPv4 peer on a dual-stack socket arrives as ::ffff:a.b.c.d.
QHostAddress plain(const QHostAddress& address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4) : address;
}

} // namespace

bool isLocalNetworkPeer(const QHostAddress& peer)
{
    static const std::array<std::pair<QHostAddress, int>, 8> kRanges{{
        {QHostAddress(QStringLiteral("127.0.0.0")), 8},
        {QHostAddress(QStringLiteral("10.0.0.0")), 8},
        {QHostAddress(QStringLiteral("172.16.0.0")), 12},
        {QHostAddress(QStringLiteral("192.168.0.0")), 16},
        {QHostAddress(QStringLiteral("169.254.0.0")), 16},
        {QHostAddress(QStringLiteral("::1")), 128},
        {QHostAddress(QStringLiteral("fe80::")), 10},
        {QHostAddress(QStringLiteral("fc00::")), 7},
    }};
    const QHostAddress address = plain(peer);
    if (address.isNull())
        return false;
    for (const auto& [network, prefix] : kRanges) {
        if (address.isInSubnet(network, prefix))
            return true;
    }
    return false;
}

bool isOwnOrigin(QByteArrayView origin, const QHostAddress& local, quint16 localPort)
{
    const QUrl url(QString::fromLatin1(origin.data(), origin.size()), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("http") || !url.path().isEmpty() ||
        !url.userInfo().isEmpty() || url.port(80) != localPort)
        return false;
    const QHostAddress ours = plain(local);
    if (url.host() == QLatin1String("localhost"))
        return ours.isLoopback();
    const QHostAddress named(url.host());
    return !named.isNull() && plain(named) == ours;
}

QString addressOnLocalNetwork()
{
    QString linkLocal;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& interface : interfaces) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            const QHostAddress address = entry.ip();
            if (address.protocol() != QAbstractSocket::IPv4Protocol || !isLocalNetworkPeer(address))
                continue;
            if (address.isLinkLocal()) {
                if (linkLocal.isEmpty())
                    linkLocal = address.toString();
                continue;
            }
            return address.toString();
        }
    }
    return linkLocal.isEmpty() ? QStringLiteral("127.0.0.1") : linkLocal;
}
