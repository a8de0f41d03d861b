#include "platform/remote/RemoteServer.h"

#include "platform/remote/LocalNetwork.h"

#include <QAbstractHttpServer>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>

namespace {

const QString kControlPrefix = QStringLiteral("/r/");
const QString kClockPrefix = QStringLiteral("/c/");
const QString kLiveSuffix = QStringLiteral("/live");

// Nothing of a page is cached or handed on: its address holds the token.
const QByteArray kPageSecurity =
    "default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; connect-src 'self' ws:; "
    "img-src data:; frame-ancestors 'none'; base-uri 'none'; form-action 'none'";

QByteArray builtInPage(RemoteServer::Audience audience)
{
    static const auto read = [](const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    static const QByteArray control = read(QStringLiteral(":/remote/control.html"));
    static const QByteArray clock = read(QStringLiteral(":/remote/clock.html"));
    return audience == RemoteServer::Audience::Control ? control : clock;
}

void respond(QHttpServerResponder&& responder, QHttpServerResponder::StatusCode status)
{
    responder.write(QByteArray(), "text/plain", status);
}

} // namespace

class RemoteServer::PageServer : public QAbstractHttpServer {
public:
    explicit PageServer(RemoteServer& owner) : owner_(owner) {}

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override
    {
        // Taken as handled without an answer, a WebSocket's opening request goes on to
        // newWebSocketConnection, where it is checked.
        if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
            return true;
        owner_.answer(request, socket);
        return true;
    }
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override
    {
        respond(makeResponder(request, socket), QHttpServerResponder::StatusCode::NotFound);
    }

public:
    using QAbstractHttpServer::makeResponder;

private:
    RemoteServer& owner_;
};

RemoteServer::RemoteServer(QObject* parent) : QObject(parent), throttle_([this] { return clock_.elapsed(); })
{
    clock_.start();
}

RemoteServer::~RemoteServer()
{
    stop();
}

bool RemoteServer::start(quint16 preferredPort)
{
    stop();
    auto http = std::make_unique<PageServer>(*this);
    quint16 port = preferredPort ? http->listen(QHostAddress::Any, preferredPort) : 0;
    if (port == 0)
        port = http->listen(QHostAddress::Any, 0);
    if (port == 0)
        return false;
    connect(http.get(), &QAbstractHttpServer::newWebSocketConnection, this, &RemoteServer::acceptConnections);
    http_ = std::move(http);
    port_ = port;
    controlToken_ = AccessToken::generate();
    clockToken_ = AccessToken::generate();
    return true;
}

void RemoteServer::stop()
{
    const auto clients = clients_;
    clients_.clear();
    for (auto it = clients.begin(); it != clients.end(); ++it) {
        it->socket->disconnect(this);
        it->socket->close(QWebSocketProtocol::CloseCodeGoingAway);
        it->socket->deleteLater();
        emit clientLeft(it.key());
    }
    // The listening sockets and every page request still open go with the server.
    http_.reset();
    port_ = 0;
    controlToken_.reset();
    clockToken_.reset();
}

bool RemoteServer::isRunning() const
{
    return http_ != nullptr;
}

QUrl RemoteServer::controlUrl(const QString& host) const
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host);
    url.setPort(port_);
    url.setPath(kControlPrefix + QString::fromLatin1(controlToken()));
    return url;
}

QUrl RemoteServer::clockUrl(const QString& host) const
{
    QUrl url = controlUrl(host);
    url.setPath(kClockPrefix + QString::fromLatin1(clockToken()));
    return url;
}

QByteArray RemoteServer::controlToken() const
{
    return controlToken_ ? controlToken_->text() : QByteArray();
}

QByteArray RemoteServer::clockToken() const
{
    return clockToken_ ? clockToken_->text() : QByteArray();
}

std::optional<RemoteServer::Audience> RemoteServer::audienceOf(const QString& path, const QString& suffix,
                                                               const QHostAddress& peer)
{
    Audience audience;
    const AccessToken* token = nullptr;
    QString rest;
    if (path.startsWith(kControlPrefix)) {
        audience = Audience::Control;
        token = controlToken_ ? &*controlToken_ : nullptr;
        rest = path.mid(kControlPrefix.size());
    } else if (path.startsWith(kClockPrefix)) {
        audience = Audience::Clock;
        token = clockToken_ ? &*clockToken_ : nullptr;
        rest = path.mid(kClockPrefix.size());
    } else {
        return std::nullopt;
    }
    if (!rest.endsWith(suffix))
        return std::nullopt;
    rest.chop(suffix.size());
    if (!token || !throttle_.mayTry(peer))
        return std::nullopt;
    if (!token->matches(rest.toLatin1())) {
        throttle_.failed(peer);
        return std::nullopt;
    }
    throttle_.succeeded(peer);
    return audience;
}

void RemoteServer::answer(const QHttpServerRequest& request, QTcpSocket* socket)
{
    using Status = QHttpServerResponder::StatusCode;
    QHttpServerResponder responder = PageServer::makeResponder(request, socket);
    if (!isLocalNetworkPeer(socket->peerAddress())) {
        respond(std::move(responder), Status::Forbidden);
        socket->disconnectFromHost();
        return;
    }
    // The pages only: nothing is ever changed or uploaded through a request.
    if (request.method() != QHttpServerRequest::Method::Get &&
        request.method() != QHttpServerRequest::Method::Head) {
        respond(std::move(responder), Status::MethodNotAllowed);
        return;
    }
    const QString path = request.url().path();
    if (!path.startsWith(kControlPrefix) && !path.startsWith(kClockPrefix)) {
        respond(std::move(responder), Status::NotFound);
        return;
    }
    if (!throttle_.mayTry(socket->peerAddress())) {
        respond(std::move(responder), Status::TooManyRequests);
        return;
    }
    const std::optional<Audience> audience = audienceOf(path, QString(), socket->peerAddress());
    if (!audience) {
        respond(std::move(responder), Status::Forbidden);
        return;
    }
    responder.write(builtInPage(*audience), {{"Content-Type", "text/html; charset=utf-8"},
                                             {"Cache-Control", "no-store"},
                                             {"Referrer-Policy", "no-referrer"},
                                             {"X-Content-Type-Options", "nosniff"},
                                             {"Content-Security-Policy", kPageSecurity}});
}

void RemoteServer::acceptConnections()
{
    while (http_ && http_->hasPendingWebSocketConnections())
        accept(http_->nextPendingWebSocketConnection());
}

void RemoteServer::accept(std::unique_ptr<QWebSocket> socket)
{
    if (!socket)
        return;
    const QHostAddress peer = socket->peerAddress();
    std::optional<Audience> audience;
    if (isLocalNetworkPeer(peer) && clients_.size() < kMostClients &&
        isOwnOrigin(socket->origin().toLatin1(), socket->localAddress(), socket->localPort()))
        audience = audienceOf(socket->requestUrl().path(), kLiveSuffix, peer);
    QWebSocket* live = socket.release();
    live->setParent(this);
    if (!audience) {
        live->close(QWebSocketProtocol::CloseCodePolicyViolated);
        live->deleteLater();
        return;
    }
    live->setMaxAllowedIncomingMessageSize(kLongestMessage);
    live->setMaxAllowedIncomingFrameSize(kLongestMessage);
    const quint64 id = nextClient_++;
    clients_.insert(id, Client{live, *audience});
    if (*audience == Audience::Control) {
        connect(live, &QWebSocket::textMessageReceived, this,
                [this, id](const QString& message) { emit messageReceived(id, message.toUtf8()); });
    }
    connect(live, &QWebSocket::disconnected, this, [this, id] {
        const auto found = clients_.find(id);
        if (found == clients_.end())
            return;
        found->socket->deleteLater();
        clients_.erase(found);
        emit clientLeft(id);
    });
    emit clientJoined(id, *audience);
}

void RemoteServer::send(Audience audience, const QByteArray& message)
{
    const QString text = QString::fromUtf8(message);
    for (const Client& client : std::as_const(clients_)) {
        if (client.audience == audience)
            client.socket->sendTextMessage(text);
    }
}

void RemoteServer::sendTo(quint64 client, const QByteArray& message)
{
    const auto found = clients_.constFind(client);
    if (found != clients_.constEnd())
        found->socket->sendTextMessage(QString::fromUtf8(message));
}

int RemoteServer::clientCount(Audience audience) const
{
    return static_cast<int>(std::count_if(clients_.cbegin(), clients_.cend(),
                                          [audience](const Client& c) { return c.audience == audience; }));
}
