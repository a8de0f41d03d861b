// The phone remote's web server on the loopback network, through real sockets: the pages behind
// their tokens, nothing changed by a request, the live connections behind token and Origin.
#include "platform/remote/RemoteServer.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QThread>
#include <QWebSocket>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

bool waitFor(const std::function<bool()>& condition, int ms = 5000)
{
    const QDeadlineTimer deadline(ms);
    while (!condition() && !deadline.hasExpired()) {
        QEventLoop loop;
        loop.processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return condition();
}

struct Answer {
    int status = 0;
    QByteArray body;
    QByteArray header(const char* name) const { return headers.value(name); }
    QHash<QByteArray, QByteArray> headers;
};

class RemoteServerTest : public ::testing::Test {
protected:
    RemoteServerTest() { EXPECT_TRUE(server.start(0)); }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(server.port()); }
    QString controlPath() const { return "/r/" + QString::fromLatin1(server.controlToken()); }
    QString clockPath() const { return "/c/" + QString::fromLatin1(server.clockToken()); }

    Answer request(const QByteArray& verb, const QString& path, const QByteArray& body = {})
    {
        QNetworkRequest request(QUrl(base() + path));
        request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
        std::unique_ptr<QNetworkReply> reply(network.sendCustomRequest(request, verb, body));
        waitFor([&] { return reply->isFinished(); });
        Answer answer;
        answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        answer.body = reply->readAll();
        for (const auto& [name, value] : reply->rawHeaderPairs())
            answer.headers.insert(name.toLower(), value);
        return answer;
    }
    Answer get(const QString& path) { return request("GET", path); }

    // A page's live connection, with the Origin its browser would send.
    std::unique_ptr<QWebSocket> live(const QString& path, const QString& origin)
    {
        auto socket = std::make_unique<QWebSocket>(origin);
        socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1%2/live").arg(server.port()).arg(path)));
        return socket;
    }
    QString ownOrigin() const { return base(); }
    // Whether the server let the connection stay: joined, and still open a moment later.
    bool staysOpen(QWebSocket& socket, QSignalSpy& joined, int joinedBefore)
    {
        waitFor(
            [&] {
                return socket.state() == QAbstractSocket::UnconnectedState || joined.size() > joinedBefore;
            },
            3000);
        waitFor([] { return false; }, 150);
        return joined.size() > joinedBefore && socket.state() == QAbstractSocket::ConnectedState;
    }
    // The wait after the given number of wrong tokens in a row passes.
    void outwaitTheThrottle(int failures = 1)
    {
        waitFor([] { return false; }, int(AttemptThrottle::kFirstDelayMs << (failures - 1)) + 100);
    }

    RemoteServer server;
    QNetworkAccessManager network;
};

} // namespace

TEST_F(RemoteServerTest, ThePagesAreServedForTheirTokensOnlyAndNothingElseIs)
{
    const Answer control = get(controlPath());
    EXPECT_EQ(control.status, 200);
    EXPECT_TRUE(control.body.contains("<html"));
    EXPECT_TRUE(control.body.contains("WebSocket"));
    EXPECT_EQ(control.header("cache-control"), "no-store");
    EXPECT_EQ(control.header("referrer-policy"), "no-referrer");
    EXPECT_TRUE(control.header("content-security-policy").startsWith("default-src 'none'"));
    // The page asks for nothing from elsewhere.
    EXPECT_FALSE(control.body.contains("http://"));
    EXPECT_FALSE(control.body.contains("https://"));
    EXPECT_LT(control.body.size(), 40 * 1024);

    const Answer clock = get(clockPath());
    EXPECT_EQ(clock.status, 200);
    EXPECT_NE(clock.body, control.body);
    // The clock page has no buttons to press.
    EXPECT_FALSE(clock.body.contains("<button"));

    for (const char* path :
         {"/", "/favicon.ico", "/remote/control.html", "/:/remote/control.html", "/etc/passwd", "/r", "/c"})
        EXPECT_EQ(get(QString::fromLatin1(path)).status, 404) << path;
    // No way out to the computer's files, whatever the path says.
    for (const QString& path :
         {controlPath() + "/../../../../etc/passwd", controlPath() + "/%2e%2e/%2e%2e/etc/passwd",
          QStringLiteral("/r/../../etc/passwd")}) {
        const Answer answer = get(path);
        EXPECT_NE(answer.status, 200) << path.toStdString();
        EXPECT_FALSE(answer.body.contains("root:"));
        outwaitTheThrottle();
    }
}

TEST_F(RemoteServerTest, AWrongTokenIsRefusedAndTheNextTryWaits)
{
    const QString wrong = "/r/" + QString(32, QLatin1Char('0'));
    EXPECT_EQ(get(wrong).status, 403);
    // Even the right token waits now: a guesser cannot try fast.
    EXPECT_EQ(get(controlPath()).status, 429);
    EXPECT_EQ(get(wrong).status, 429);
    outwaitTheThrottle();
    EXPECT_EQ(get(controlPath()).status, 200);
    // The clock's token is not the control's.
    EXPECT_EQ(get("/r/" + QString::fromLatin1(server.clockToken())).status, 403);
}

TEST_F(RemoteServerTest, NoRequestChangesAnythingOnlyTheLiveConnectionCarriesPresses)
{
    QSignalSpy received(&server, &RemoteServer::messageReceived);
    for (const char* verb : {"POST", "PUT", "DELETE", "PATCH"})
        EXPECT_EQ(request(verb, controlPath(), R"({"type":"press","control":"start"})").status, 405) << verb;
    EXPECT_EQ(get(controlPath() + "?type=press&control=start").status, 200);
    EXPECT_EQ(get(controlPath() + "/live?type=press&control=start").status, 403);
    waitFor([] { return false; }, 100);
    EXPECT_EQ(received.size(), 0);

    outwaitTheThrottle();
    QSignalSpy joined(&server, &RemoteServer::clientJoined);
    auto phone = live(controlPath(), ownOrigin());
    ASSERT_TRUE(staysOpen(*phone, joined, 0));
    EXPECT_EQ(joined[0][1].value<RemoteServer::Audience>(), RemoteServer::Audience::Control);
    phone->sendTextMessage(R"({"type":"press","control":"start"})");
    ASSERT_TRUE(waitFor([&] { return received.size() == 1; }));
    EXPECT_EQ(received[0][0].toULongLong(), joined[0][0].toULongLong());
    EXPECT_EQ(received[0][1].toByteArray(), R"({"type":"press","control":"start"})");

    // What the program says reaches the page.
    QStringList heard;
    QObject::connect(phone.get(), &QWebSocket::textMessageReceived, [&](const QString& m) { heard << m; });
    server.send(RemoteServer::Audience::Control, R"({"type":"state"})");
    server.send(RemoteServer::Audience::Clock, R"({"type":"clock"})");
    ASSERT_TRUE(waitFor([&] { return !heard.isEmpty(); }));
    waitFor([] { return false; }, 100);
    EXPECT_EQ(heard, QStringList{R"({"type":"state"})"});
}

TEST_F(RemoteServerTest, ALiveConnectionNeedsItsTokenAndTheServedPagesOrigin)
{
    QSignalSpy joined(&server, &RemoteServer::clientJoined);
    const std::pair<QString, QString> refused[] = {
        {controlPath(), QStringLiteral("http://evil.example")},
        {controlPath(), QStringLiteral("http://127.0.0.1:1")},
        {controlPath(), QString()},
        {"/r/" + QString::fromLatin1(server.clockToken()), ownOrigin()},
    };
    for (const auto& [path, origin] : refused) {
        auto socket = live(path, origin);
        EXPECT_FALSE(staysOpen(*socket, joined, 0)) << path.toStdString() << " " << origin.toStdString();
        outwaitTheThrottle();
    }
    EXPECT_EQ(joined.size(), 0);

    // The clock's page joins as a clock, and what it sends is not listened to.
    QSignalSpy received(&server, &RemoteServer::messageReceived);
    auto clock = live(clockPath(), ownOrigin());
    ASSERT_TRUE(staysOpen(*clock, joined, 0));
    EXPECT_EQ(joined[0][1].value<RemoteServer::Audience>(), RemoteServer::Audience::Clock);
    clock->sendTextMessage(R"({"type":"press","control":"start"})");
    waitFor([] { return false; }, 150);
    EXPECT_EQ(received.size(), 0);
    EXPECT_EQ(server.clientCount(RemoteServer::Audience::Clock), 1);
}

TEST_F(RemoteServerTest, TurningOffClosesEveryConnectionAndANewStartHasNewTokens)
{
    QSignalSpy joined(&server, &RemoteServer::clientJoined);
    QSignalSpy left(&server, &RemoteServer::clientLeft);
    auto phone = live(controlPath(), ownOrigin());
    auto clock = live(clockPath(), ownOrigin());
    ASSERT_TRUE(waitFor([&] { return joined.size() == 2; }));
    const QString oldControl = controlPath();
    const QString oldClock = clockPath();

    server.stop();
    EXPECT_FALSE(server.isRunning());
    EXPECT_EQ(left.size(), 2);
    EXPECT_TRUE(waitFor([&] {
        return phone->state() == QAbstractSocket::UnconnectedState &&
               clock->state() == QAbstractSocket::UnconnectedState;
    }));

    ASSERT_TRUE(server.start(0));
    EXPECT_NE(controlPath(), oldControl);
    EXPECT_NE(clockPath(), oldClock);
    EXPECT_EQ(get(oldControl).status, 403);
    outwaitTheThrottle();
    EXPECT_EQ(get(oldClock).status, 403);
    outwaitTheThrottle(2);
    EXPECT_EQ(get(controlPath()).status, 200);
}

TEST_F(RemoteServerTest, ATakenPortGivesWayToAnother)
{
    RemoteServer second;
    ASSERT_TRUE(second.start(server.port()));
    EXPECT_NE(second.port(), server.port());
    EXPECT_TRUE(second.controlUrl("192.168.1.5")
                    .toString()
                    .startsWith(QStringLiteral("http://192.168.1.5:%1/r/").arg(second.port())));
    EXPECT_NE(second.controlToken(), server.controlToken());
}
