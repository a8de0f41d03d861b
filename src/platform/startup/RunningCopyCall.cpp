#include "platform/startup/RunningCopyCall.h"

#include "platform/files/RuntimeFolder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The socket address for a path; false when the path does not fit into one.
bool addressOf(const QString& path, sockaddr_un& address)
{
    const QByteArray encoded = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (encoded.isEmpty() || size_t(encoded.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    return true;
}

sockaddr* asGeneric(sockaddr_un& address)
{
    return reinterpret_cast<sockaddr*>(&address);
}

// Waits for one of the events on the socket until the deadline; false when it passed first.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline)
{
    for (;;) {
        pollfd watched{fd, events, 0};
        const int ready = ::poll(&watched, 1, int(deadline.remainingTime()));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

class ClosingSocket {
public:
    explicit ClosingSocket(int fd) : fd_(fd) {}
    ~ClosingSocket()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ClosingSocket(const ClosingSocket&) = delete;
    ClosingSocket& operator=(const ClosingSocket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

} // namespace

RunningCopyCall::RunningCopyCall(QObject* parent) : QObject(parent) {}

RunningCopyCall::~RunningCopyCall()
{
    if (socket_ < 0)
        return;
    ::close(socket_);
    QFile::remove(path_);
}

QString RunningCopyCall::defaultPath()
{
    return runtimeFilePath(QStringLiteral("call"));
}

bool RunningCopyCall::listen(const QString& path)
{
    sockaddr_un address;
    if (socket_ >= 0)
        return false;
    if (!addressOf(path, address)) {
        problem_ = QStringLiteral("the path %1 is too long for a socket").arg(path);
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        problem_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    // We hold the single-instance lock: a socket file here is a crashed copy's.
    QFile::remove(path);
    // Callers that come while this copy is busy wait in the queue instead of being turned away.
    if (::bind(fd, asGeneric(address), sizeof address) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        problem_ =
            QStringLiteral("cannot listen at %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        ::close(fd);
        return false;
    }
    socket_ = fd;
    path_ = path;
    notifier_ = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { acceptPending(); });
    return true;
}

void RunningCopyCall::acceptPending()
{
    for (;;) {
        const int client = ::accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        // Closing the connection is the answer the caller waits for; nothing a caller sends is read.
        ::close(client);
        emit called();
    }
}

RunningCopyCall::Answer RunningCopyCall::call(const QString& path, std::chrono::milliseconds patience)
{
    sockaddr_un address;
    if (!addressOf(path, address))
        return Answer::NoOneListens;
    const ClosingSocket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (socket.fd() < 0)
        return Answer::NoOneListens;
    const QDeadlineTimer deadline(patience);
    // A copy that does not take calls (stopped, or hung) soon has a full queue: the connection is
    // then refused for now, and tried again until the patience runs out.
    while (::connect(socket.fd(), asGeneric(address), sizeof address) != 0) {
        if (errno == EINPROGRESS) {
            if (!waitFor(socket.fd(), POLLOUT, deadline))
                return Answer::NoAnswer;
            int error = 0;
            socklen_t size = sizeof error;
            ::getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &error, &size);
            if (error == 0)
                break;
            return error == EAGAIN ? Answer::NoAnswer : Answer::NoOneListens;
        }
        if (errno != EAGAIN && errno != EINTR)
            return Answer::NoOneListens;
        if (deadline.hasExpired())
            return Answer::NoAnswer;
        QThread::msleep(20);
    }
    // In the queue: the copy has taken the call when it closes the connection.
    if (!waitFor(socket.fd(), POLLIN, deadline))
        return Answer::NoAnswer;
    char ignored = 0;
    return ::read(socket.fd(), &ignored, 1) >= 0 ? Answer::Answered : Answer::NoOneListens;
}
