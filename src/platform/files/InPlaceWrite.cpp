#include "platform/files/InPlaceWrite.h"

#include "platform/files/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// 0, or the error number; the whole content from the start.
int readContent(int handle, QByteArray* content)
{
    char buffer[65536];
    for (qint64 offset = 0;;) {
        const ssize_t got = ::pread(handle, buffer, sizeof buffer, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        content->append(buffer, got);
        offset += got;
    }
}

// 0, or the error number: the whole content from the start, the file cut to its length, on disk.
int replaceContent(int handle, const QByteArray& content)
{
    qint64 done = 0;
    while (done < content.size()) {
        const ssize_t written =
            ::pwrite(handle, content.constData() + done, size_t(content.size() - done), done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += written;
    }
    if (::ftruncate(handle, content.size()) != 0 || ::fsync(handle) != 0)
        return errno;
    return 0;
}

} // namespace

QString inPlaceBackupPath(const QString& path)
{
    const QFileInfo info(path);
    return info.dir().filePath(QStringLiteral(".~vantrel-backup.") + info.fileName());
}

InPlaceWriteResult writeInPlace(const QString& path, const QByteArray& content)
{
    const int handle = openRegularFile(path, FileUse::ReadWrite);
    if (handle < 0)
        return {errno, false};
    QByteArray old;
    if (const int error = readContent(handle, &old); error != 0) {
        ::close(handle);
        return {error, false};
    }

    const QString backupPath = inPlaceBackupPath(path);
    errno = 0;
    QSaveFile backup(backupPath);
    backup.setDirectWriteFallback(false);
    // The list's names are nobody else's business, whoever may read the list itself.
    if (!backup.open(QIODevice::WriteOnly) || ::fchmod(backup.handle(), 0600) != 0 ||
        backup.write(old) != old.size() || !backup.commit()) {
        const int error = errno != 0 ? errno : EIO;
        ::close(handle);
        return {error, false};
    }

    // Room for the longer content is taken before a byte of the file changes: a full disk then
    // leaves the file as it was.
    int error = content.size() > old.size() ? ::posix_fallocate(handle, 0, content.size()) : 0;
    if (error == 0)
        error = replaceContent(handle, content);
    bool backupKept = false;
    if (error != 0)
        backupKept = replaceContent(handle, old) != 0;
    ::close(handle);
    if (!backupKept)
        QFile::remove(backupPath);
    return {error, backupKept};
}
