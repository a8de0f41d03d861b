#include "platform/RunningCopyCall.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <cstring>
#include <fcntl.h>
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
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("vantrel.call"));
}

bool RunningCopyCall::listen(const QString& path)
{
    sockaddr_un address;
    if (socket_ >= 0 || !addressOf(path, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // We hold the single-instance lock: a socket file here is a crashed copy's.
    QFile::remove(path);
    if (::bind(fd, asGeneric(address), sizeof address) != 0 || ::listen(fd, 4) != 0) {
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
        // The connection is the call; nothing is read from it, so nothing a caller sends matters.
        ::close(client);
        emit called();
    }
}

bool RunningCopyCall::call(const QString& path)
{
    sockaddr_un address;
    if (!addressOf(path, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool answered = ::connect(fd, asGeneric(address), sizeof address) == 0;
    ::close(fd);
    return answered;
}
