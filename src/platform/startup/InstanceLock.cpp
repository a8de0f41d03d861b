#include "platform/startup/InstanceLock.h"

#include "platform/files/FileKind.h"
#include "platform/files/RuntimeFolder.h"

#include <QFile>
#include <QSysInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The first line of what the holder wrote: its process id (the same layout as QLockFile's).
qint64 pidWrittenIn(int fd)
{
    char text[64] = {};
    const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
    if (got <= 0)
        return 0;
    bool isNumber = false;
    const qint64 pid = QByteArray(text, got).split('\n').value(0).trimmed().toLongLong(&isNumber);
    return isNumber && pid > 0 ? pid : 0;
}

} // namespace

InstanceLock::InstanceLock(QString path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock()
{
    release();
}

QString InstanceLock::defaultPath()
{
    return runtimeFilePath(QStringLiteral("lock"));
}

InstanceLock::State InstanceLock::tryLock()
{
    if (held_)
        return State::Held;
    return open();
}

InstanceLock::State InstanceLock::takeOverUnreadable()
{
    if (held_)
        return State::Held;
    const QByteArray name = QFile::encodeName(path_);
    struct stat there;
    if (::lstat(name.constData(), &there) == 0 && S_ISREG(there.st_mode) && ::unlink(name.constData()) != 0) {
        problem_ = QStringLiteral("cannot remove the lock file %1 of user %2: %3")
                       .arg(path_, QString::number(there.st_uid), filekind::errorText(errno));
        return State::Unavailable;
    }
    return open();
}

InstanceLock::State InstanceLock::open()
{
    problem_.clear();
    holderPid_ = 0;
    const QByteArray name = QFile::encodeName(path_);
    // A holder that ends removes the file; one that starts meanwhile makes a new one. A few rounds
    // settle who holds the file that is at the path.
    for (int round = 0; round < 8; ++round) {
        struct stat there;
        // Only a regular file is opened: a pipe would block, a device is not ours to touch.
        if (::lstat(name.constData(), &there) == 0 && !S_ISREG(there.st_mode)) {
            problem_ =
                QStringLiteral("%1 is %2, not a lock file").arg(path_, filekind::describe(there.st_mode));
            return State::Unavailable;
        }
        const int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
        int fd = ::open(name.constData(), O_RDWR | O_CREAT | flags, 0644);
        const int createError = errno;
        const bool writable = fd >= 0;
        // A file that another user left (root's, after `sudo -E`) may still be read, and a read-only
        // descriptor takes the lock as well.
        if (fd < 0 && createError == EACCES)
            fd = ::open(name.constData(), O_RDONLY | flags);
        if (fd < 0) {
            if ((errno == EACCES || errno == EPERM) && ::lstat(name.constData(), &there) == 0 &&
                S_ISREG(there.st_mode))
                return State::Unreadable;
            problem_ = QStringLiteral("cannot create the lock file %1: %2")
                           .arg(path_, filekind::errorText(createError));
            return State::Unavailable;
        }
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            problem_ =
                QStringLiteral("%1 is %2, not a lock file").arg(path_, filekind::describe(opened.st_mode));
            ::close(fd);
            return State::Unavailable;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int lockError = errno;
            holderPid_ = pidWrittenIn(fd);
            ::close(fd);
            if (lockError == EWOULDBLOCK)
                return State::HeldByAnother;
            problem_ = QStringLiteral("cannot lock %1: %2").arg(path_, filekind::errorText(lockError));
            return State::Unavailable;
        }
        // The lock of a file that its holder removed on the way out keeps no one out: only the file now
        // at the path counts.
        if (::lstat(name.constData(), &there) != 0 || !sameFile(there, opened)) {
            ::close(fd);
            continue;
        }
        fd_ = fd;
        held_ = true;
        if (writable) {
            const QByteArray who = QByteArray::number(qint64(::getpid())) + "\nvantrel\n" +
                                   QSysInfo::machineHostName().toUtf8() + '\n';
            // Only for people and for the message of a later start: the lock does not depend on it.
            if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, who.constData(), size_t(who.size()), 0) < 0)
                qWarning("vantrel: cannot write the process id into %s", name.constData());
        }
        return State::Held;
    }
    problem_ = QStringLiteral("the lock file %1 keeps being replaced").arg(path_);
    return State::Unavailable;
}

void InstanceLock::release()
{
    if (fd_ < 0)
        return;
    // Removed while still locked, and only if it is still our file: a start that opened it meanwhile
    // then sees that it locked a file that is no longer there.
    struct stat ours;
    struct stat there;
    const QByteArray name = QFile::encodeName(path_);
    if (held_ && ::fstat(fd_, &ours) == 0 && ::lstat(name.constData(), &there) == 0 && sameFile(ours, there))
        ::unlink(name.constData());
    ::close(fd_);
    fd_ = -1;
    held_ = false;
}
