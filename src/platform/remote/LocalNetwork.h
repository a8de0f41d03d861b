#pragma once

#include <QByteArrayView>
#include <QHostAddress>
#include <QString>

// Who may talk to the remote control: only devices on the classroom's own network. The private
// ranges (a school's network, a phone's hotspot), link-local addresses (two devices with no router)
// and this computer itself; never an address routed from the internet.
bool isLocalNetworkPeer(const QHostAddress& peer);

// Whether a browser's Origin header names the page we served on this connection, reached at the
// local address and port: a page of another site (or a name that merely resolves here) does not.
bool isOwnOrigin(QByteArrayView origin, const QHostAddress& local, quint16 localPort);

// The address under which phones on the classroom network reach this computer: its first private
// IPv4 address on an interface that is up (a school's network or a hotspot), else a link-local
// one, else the loopback address.
QString addressOnLocalNetwork();
