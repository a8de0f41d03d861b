// What the phone remote costs and how fast it answers, each figure against a baseline of the same run:
//   QT_QPA_PLATFORM=offscreen build/release/bench/bench_remote [seconds]
// The whole program runs on real timers and its real event loop; only the desktop, the message boxes
// and the sound are the tests' stand-ins (a press from the phone reaches none of them). The phone is
// a QWebSocket on the loopback network, talking to the program's own server as the control page does.
//  1. press → state: the page's "press" message for 开始 and for 暂停 (50 rounds; the count is stopped
//     on the screen between rounds) until the count's state changed, and until the phone was told
//     the new state, against a WebSocket ping's round trip on the same connection (the transport);
//  2. the weight of the control page and of the web clock as served over HTTP, headers apart;
//  3. wake-ups of the program's thread with the remote on and no page open, against the remote off:
//     timer and socket events delivered, and the times the event loop woke, over [seconds] (default 5)
//     in two alternating rounds;
//  4. the lateness of the count's ticks while bursts of 1,000 requests with a wrong token arrive back
//     to back (from another thread, one connection each), against the same count undisturbed, each
//     watched for [seconds].
#include "models/countdown/Countdown.h"
#include "platform/remote/RemoteServer.h"
#include "platform/timers/RealTimerDriver.h"
#include "support/FakeSound.h"
#include "support/FakeWindowSystem.h"
#include "support/ScriptedDialogs.h"
#include "ui/Program.h"
#include "ui/WindowFactories.h"
#include "ui/main/MainWindow.h"
#include "ui/remote/RemoteControl.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebSocket>
#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <functional>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

QElapsedTimer benchClock;

double nowMs()
{
    return double(benchClock.nsecsElapsed()) / 1e6;
}

// Runs the event loop until done() holds or ms have passed; whether it holds.
bool runUntil(const std::function<bool()>& done, int ms)
{
    const QDeadlineTimer deadline(ms);
    QTimer wake; // so that the wait below returns to look at done() and the deadline
    wake.start(5);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<size_t>(p * double(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

// One HTTP/1.1 GET on a connection of its own, as a browser or a guesser sends it; the bytes of the
// whole answer, headers included (0 when the connection failed). Blocking: call it off the program's
// thread.
struct HttpAnswer {
    int status = 0;
    qsizetype headerBytes = 0;
    qsizetype bodyBytes = 0;
};
bool isWhole(const QByteArray& received)
{
    const qsizetype headerEnd = received.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return false;
    const QByteArray headers = received.left(headerEnd).toLower();
    const qsizetype at = headers.indexOf("\r\ncontent-length:");
    if (at < 0)
        return false;
    const qsizetype from = at + qsizetype(qstrlen("\r\ncontent-length:"));
    const qsizetype lineEnd = headers.indexOf("\r\n", from);
    const qsizetype length = headers.mid(from, lineEnd < 0 ? -1 : lineEnd - from).trimmed().toLongLong();
    return received.size() >= headerEnd + 4 + length;
}

HttpAnswer httpGet(quint16 port, const QByteArray& path)
{
    HttpAnswer answer;
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return answer;
    const timeval patience{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    QByteArray received;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        const QByteArray request = "GET " + path +
                                   " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                                   "\r\nConnection: close\r\n\r\n";
        if (write(fd, request.constData(), size_t(request.size())) == request.size()) {
            char buffer[16384];
            ssize_t n = 0;
            // The server may keep the connection open: the answer ends where its length says.
            while (!isWhole(received) && (n = read(fd, buffer, sizeof buffer)) > 0)
                received.append(buffer, qsizetype(n));
        }
    }
    close(fd);
    const qsizetype headerEnd = received.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return answer;
    answer.status = received.mid(9, 3).toInt();
    answer.headerBytes = headerEnd + 4;
    answer.bodyBytes = received.size() - answer.headerBytes;
    return answer;
}

// Runs work on a thread of its own while the program's event loop goes on; returns when it is done.
void offThread(const std::function<void()>& work)
{
    std::atomic<bool> done{false};
    std::thread thread([&] {
        work();
        done = true;
    });
    runUntil([&] { return done.load(); }, 600'000);
    thread.join();
}

// Counts what wakes the program's thread: timer and socket events, and the event loop's wake-ups.
class WakeCounter : public QObject {
public:
    WakeCounter()
    {
        qApp->installEventFilter(this);
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, this,
                [this] { ++awakenings; });
    }
    ~WakeCounter() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Timer)
            ++timerEvents;
        else if (event->type() == QEvent::SockAct)
            ++socketEvents;
        return QObject::eventFilter(watched, event);
    }

    long timerEvents = 0;
    long socketEvents = 0;
    long awakenings = 0;
};

struct WakeRate {
    double timers = 0;
    double sockets = 0;
    double awakenings = 0;
};

WakeRate countWakeUps(int seconds)
{
    runFor(500); // what turning the remote on or off set going is over
    WakeCounter counter;
    runFor(seconds * 1000);
    return {double(counter.timerEvents) / seconds, double(counter.socketEvents) / seconds,
            double(counter.awakenings) / seconds};
}

double mean(const std::vector<double>& values)
{
    double sum = 0;
    for (double v : values)
        sum += v;
    return values.empty() ? 0 : sum / double(values.size());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    benchClock.start();

    RealTimerDriver timers;
    ScriptedDialogs dialogs;
    FakeWindowSystem windows;
    windows.reportsEvents = true; // as the X11 desktop does: tracking sleeps until told something
    FakeSoundFactory sounds;
    QTemporaryDir dataDir;
    Program program(Services{timers, dialogs, windows, sounds, [] { return true; }, dataDir.path(),
                             QStringList{dataDir.path()}});
    registerWindows(program);
    program.settings().setValue(QStringLiteral("remote/port"), QStringLiteral("0")); // any free port
    program.start();
    auto* main = program.window<MainWindow>();
    if (!main) {
        fprintf(stderr, "the main window did not come up\n");
        return 1;
    }
    RemoteControl& remote = RemoteControl::of(*main);
    Countdown& countdown = program.countdown();
    runFor(1000); // the window's first showing is over

    // 3. Wake-ups with the remote off and on (no page open), in turns.
    std::vector<WakeRate> off;
    std::vector<WakeRate> on;
    for (int round = 0; round < 2; ++round) {
        remote.turnOff();
        off.push_back(countWakeUps(seconds));
        if (!remote.turnOn()) {
            fprintf(stderr, "the remote did not start\n");
            return 1;
        }
        on.push_back(countWakeUps(seconds));
    }
    RemoteServer& server = remote.server();
    const quint16 port = server.port();

    // 1. Press → state, over a live connection opened as the control page opens it.
    const QString origin = QStringLiteral("http://127.0.0.1:%1").arg(port);
    QWebSocket phone(origin);
    phone.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/r/%2/live")
                        .arg(port)
                        .arg(QString::fromLatin1(server.controlToken()))));
    if (!runUntil([&] { return server.clientCount(RemoteServer::Audience::Control) == 1; }, 5000)) {
        fprintf(stderr, "the phone could not connect\n");
        return 1;
    }
    double changedAt = -1;
    QObject::connect(&countdown, &Countdown::stateChanged, [&] { changedAt = nowMs(); });
    // When the phone was told the new state (what its page then shows).
    double toldAt = -1;
    QObject::connect(&phone, &QWebSocket::textMessageReceived, [&](const QString& message) {
        // Only a state sent after the change can show it.
        if (changedAt >= 0 && toldAt < 0 && message.contains(QLatin1String(R"("type":"state")")))
            toldAt = nowMs();
    });
    double pongAt = -1;
    QObject::connect(&phone, &QWebSocket::pong, [&] { pongAt = nowMs(); });
    auto* stopButton = main->findChild<QPushButton*>(QStringLiteral("Command3"));
    std::vector<double> pressToState;
    std::vector<double> pressToPhoneTold;
    std::vector<double> roundTrip;
    int lost = 0;
    auto press = [&](const char* control, const std::function<bool()>& reached) {
        changedAt = -1;
        toldAt = -1;
        const double sentAt = nowMs();
        phone.sendTextMessage(
            QStringLiteral(R"({"type":"press","control":"%1"})").arg(QLatin1String(control)));
        if (runUntil([&] { return changedAt >= 0 && reached(); }, 2000))
            pressToState.push_back(changedAt - sentAt);
        else
            ++lost;
        if (runUntil([&] { return toldAt >= 0; }, 2000))
            pressToPhoneTold.push_back(toldAt - sentAt);
        runFor(30); // the pages' state goes out; the next press comes later, as a person's does
    };
    for (int round = 0; round < 50; ++round) {
        pongAt = -1;
        const double pingAt = nowMs();
        phone.ping();
        if (runUntil([&] { return pongAt >= 0; }, 2000))
            roundTrip.push_back(pongAt - pingAt);
        press("start", [&] { return countdown.isCounting(); });
        press("pause", [&] { return countdown.isPaused(); });
        // Back to the start, on the screen (its question answered Yes): not measured.
        dialogs.answerNext(Answer::Yes);
        stopButton->click();
        runUntil([&] { return countdown.isStopped() && !countdown.isTicking(); }, 2000);
        runFor(30);
    }
    phone.close();
    runUntil([&] { return server.clientCount(RemoteServer::Audience::Control) == 0; }, 2000);

    // 2. The pages' weight.
    HttpAnswer controlPage;
    HttpAnswer clockPage;
    offThread([&] {
        controlPage = httpGet(port, "/r/" + server.controlToken());
        clockPage = httpGet(port, "/c/" + server.clockToken());
    });

    // 4. The count's ticks, undisturbed and then under bursts of wrong tokens. The count's k-th tick
    // is due k seconds after 开始 was clicked: its lateness is what it arrived after that.
    main->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("99"));
    std::vector<double> tickAt;
    QObject::connect(&countdown, &Countdown::countTextChanged, [&] { tickAt.push_back(nowMs()); });
    const double clickedAt = nowMs();
    main->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    auto latenessFrom = [&](size_t first) {
        std::vector<double> late;
        for (size_t i = first; i < tickAt.size(); ++i) {
            const double sinceClick = tickAt[i] - clickedAt;
            if (sinceClick > 500) // not the count shown at the click itself
                late.push_back(sinceClick - 1000.0 * std::round(sinceClick / 1000.0));
        }
        return late;
    };
    runFor(seconds * 1000 + 300);
    const size_t quietTicks = tickAt.size();
    int refused = 0;
    int throttled = 0;
    int otherwise = 0;
    int bursts = 0;
    const double burstFrom = nowMs();
    offThread([&] {
        // Bursts of 1,000 back to back, for as long as the undisturbed count was watched.
        const QByteArray wrongToken = "/r/" + QByteArray(server.controlToken().size(), 'A');
        const double until = burstFrom + seconds * 1000;
        do {
            for (int i = 0; i < 1000; ++i) {
                const int status = httpGet(port, wrongToken).status;
                (status == 403 ? refused : status == 429 ? throttled : otherwise)++;
            }
            ++bursts;
        } while (nowMs() < until);
    });
    const double burstMs = nowMs() - burstFrom;
    std::vector<double> quietLate = latenessFrom(0);
    quietLate.resize(std::min(quietLate.size(), quietTicks));
    const std::vector<double> burstLate = latenessFrom(quietTicks);
    countdown.stop();

    printf("1. press on the page -> the count's state changed (%zu presses, %d lost)\n", pressToState.size(),
           lost);
    const double pressMedian = percentile(pressToState, 0.5);
    const double pingMedian = percentile(roundTrip, 0.5);
    printf("  press -> state         median %7.2f ms   95th percentile %7.2f ms   (goal median <= 50 ms)\n",
           pressMedian, percentile(pressToState, 0.95));
    printf("  press -> the phone told the new state   median %7.2f ms   95th percentile %7.2f ms\n",
           percentile(pressToPhoneTold, 0.5), percentile(pressToPhoneTold, 0.95));
    printf("  WebSocket ping -> pong median %7.2f ms   95th percentile %7.2f ms   (press: %.1fx the round "
           "trip)\n",
           pingMedian, percentile(roundTrip, 0.95), pingMedian > 0 ? pressMedian / pingMedian : 0.0);
    printf("2. the pages as served (status, body + headers)\n");
    printf("  control page   %d   %6lld + %lld bytes\n", controlPage.status,
           static_cast<long long>(controlPage.bodyBytes), static_cast<long long>(controlPage.headerBytes));
    printf("  web clock      %d   %6lld + %lld bytes\n", clockPage.status,
           static_cast<long long>(clockPage.bodyBytes), static_cast<long long>(clockPage.headerBytes));
    printf("3. the program's thread idle, %d s x 2 rounds: timer events, socket events, event-loop wake-ups "
           "per s\n",
           seconds);
    for (size_t round = 0; round < off.size(); ++round) {
        printf("  remote off     %6.2f %6.2f %6.2f\n", off[round].timers, off[round].sockets,
               off[round].awakenings);
        printf("  remote on      %6.2f %6.2f %6.2f   (%.2fx the wake-ups of off)\n", on[round].timers,
               on[round].sockets, on[round].awakenings,
               off[round].awakenings > 0 ? on[round].awakenings / off[round].awakenings : 0.0);
    }
    printf("4. the count's ticks: lateness after the second they are due\n");
    printf("  undisturbed                      %3zu ticks   mean %6.2f ms   max %6.2f ms\n", quietLate.size(),
           mean(quietLate), percentile(quietLate, 1.0));
    printf("  under %d x 1,000 wrong tokens    %3zu ticks   mean %6.2f ms   max %6.2f ms   (mean %.2fx "
           "undisturbed)\n",
           bursts, burstLate.size(), mean(burstLate), percentile(burstLate, 1.0),
           mean(quietLate) > 0 ? mean(burstLate) / mean(quietLate) : 0.0);
    printf("  requests: %d in %.0f ms (%.0f/s): %d refused, %d throttled (429), %d otherwise\n",
           refused + throttled + otherwise, burstMs, (refused + throttled + otherwise) / burstMs * 1000,
           refused, throttled, otherwise);
    return 0;
}
