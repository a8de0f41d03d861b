#pragma once

#include "platform/remote/AccessToken.h"
#include "platform/remote/AttemptThrottle.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <memory>
#include <optional>

class QHostAddress;
class QHttpServerRequest;
class QTcpSocket;
class QWebSocket;

// The remote control's web server on the classroom network: it serves the control page and the web
// clock (each behind a token of its own), and keeps a live connection (a WebSocket) with every page
// open on a phone or a screen. It knows nothing of the program: it carries messages.
//
// What it guards: only devices on the local network are answered; a page is served only for the
// right token, and a device that tries wrong ones is slowed down; a GET never changes anything (the
// only way in for a command is the control page's WebSocket, opened with the control token from
// the page this server served: its Origin); no file of the computer is reachable, the pages are
// built in.
class RemoteServer : public QObject {
    Q_OBJECT
public:
    enum class Audience { Control, Clock };
    // Connections held at most; more are refused.
    static constexpr int kMostClients = 64;
    // The longest message a page may send.
    static constexpr qint64 kLongestMessage = 4096;

    explicit RemoteServer(QObject* parent = nullptr);
    ~RemoteServer() override;

    // Serves on every address of the computer, at the preferred port or, when it is taken, at one
    // the system chooses; each start makes new tokens. False when no port could be opened.
    bool start(quint16 preferredPort);
    // Closes every connection and stops serving; the tokens are forgotten.
    void stop();
    bool isRunning() const;
    quint16 port() const { return port_; }

    // The addresses of the two pages, reached at host (this computer's address on the network).
    QUrl controlUrl(const QString& host) const;
    QUrl clockUrl(const QString& host) const;
    QByteArray controlToken() const;
    QByteArray clockToken() const;

    // A text message to every page of the audience, or to one.
    void send(Audience audience, const QByteArray& message);
    void sendTo(quint64 client, const QByteArray& message);
    int clientCount(Audience audience) const;

signals:
    void clientJoined(quint64 client, RemoteServer::Audience audience);
    void clientLeft(quint64 client);
    // A message from a control page; what the clock's pages send is not listened to.
    void messageReceived(quint64 client, const QByteArray& message);

private:
    class PageServer;
    struct Client {
        QWebSocket* socket;
        Audience audience;
    };

    // Answers one request; the pages and nothing else.
    void answer(const QHttpServerRequest& request, QTcpSocket* socket);
    void acceptConnections();
    void accept(std::unique_ptr<QWebSocket> socket);
    // The audience of a path "/<r|c>/<token>" + suffix; nullopt when it names none. A wrong token
    // counts against the device.
    std::optional<Audience> audienceOf(const QString& path, const QString& suffix, const QHostAddress& peer);

    std::unique_ptr<PageServer> http_;
    quint16 port_ = 0;
    std::optional<AccessToken> controlToken_;
    std::optional<AccessToken> clockToken_;
    QElapsedTimer clock_;
    AttemptThrottle throttle_;
    quint64 nextClient_ = 1;
    QHash<quint64, Client> clients_;
};
