#include "ui/remote/RemoteControl.h"

#include "platform/Dialogs.h"
#include "platform/remote/LocalNetwork.h"
#include "platform/remote/RemoteServer.h"
#include "ui/Program.h"
#include "ui/flow/FlowConductor.h"
#include "ui/main/MainWindow.h"
#include "ui/remote/PairingWindow.h"
#include "ui/remote/RemoteBridge.h"

#include <cstdio>

namespace {
const QString kObjectName = QStringLiteral("RemoteControl");
} // namespace

RemoteControl& RemoteControl::of(MainWindow& main)
{
    if (RemoteControl* existing = find(&main))
        return *existing;
    return *new RemoteControl(main);
}

RemoteControl* RemoteControl::find(const MainWindow* main)
{
    return main ? main->findChild<RemoteControl*>(kObjectName, Qt::FindDirectChildrenOnly) : nullptr;
}

RemoteControl::RemoteControl(MainWindow& main)
    : QObject(&main), main_(main), program_(main.flow().program()), server_(new RemoteServer(this)),
      bridge_(new RemoteBridge(main.flow().program(), this))
{
    setObjectName(kObjectName);
    connect(server_, &RemoteServer::clientJoined, this,
            [this](quint64 client, RemoteServer::Audience audience) {
                bridge_->join(client, audience == RemoteServer::Audience::Control, clockUrl().toString());
            });
    connect(server_, &RemoteServer::clientLeft, bridge_, &RemoteBridge::leave);
    connect(server_, &RemoteServer::messageReceived, bridge_, &RemoteBridge::receive);
    connect(bridge_, &RemoteBridge::toClient, server_, &RemoteServer::sendTo);
    connect(bridge_, &RemoteBridge::toControls, server_,
            [this](const QByteArray& message) { server_->send(RemoteServer::Audience::Control, message); });
    connect(bridge_, &RemoteBridge::toClocks, server_,
            [this](const QByteArray& message) { server_->send(RemoteServer::Audience::Clock, message); });
}

bool RemoteControl::isOn() const
{
    return server_->isRunning();
}

bool RemoteControl::turnOn()
{
    if (isOn())
        return true;
    bool portGiven = false;
    const uint port = program_.settings().value(QStringLiteral("remote/port")).toUInt(&portGiven);
    if (!server_->start(portGiven && port <= 65535 ? static_cast<quint16>(port) : kPreferredPort))
        return false;
    host_ = addressOnLocalNetwork();
    std::fprintf(stderr, "remote control: %s\n", controlUrl().toString().toUtf8().constData());
    std::fflush(stderr);
    return true;
}

void RemoteControl::turnOff()
{
    bridge_->endAll();
    server_->stop();
    if (pairing_)
        pairing_->close();
}

void RemoteControl::showPairing()
{
    if (!turnOn()) {
        program_.dialogs().inform(&main_, MainWindow::kNoticeTitle, kCannotStart);
        return;
    }
    if (!pairing_)
        pairing_ = new PairingWindow(&main_, [this] { turnOff(); });
    pairing_->showAddresses(controlUrl(), clockUrl());
}

QUrl RemoteControl::controlUrl() const
{
    return server_->controlUrl(host_);
}

QUrl RemoteControl::clockUrl() const
{
    return server_->clockUrl(host_);
}
