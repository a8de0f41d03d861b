#include "platform/files/FileAccess.h"

#include "platform/DocumentLockPath.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QCoreApplication::translate("FileAccess", "文件夹");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("FileAccess", "管道（FIFO）");
    return QCoreApplication::translate("FileAccess", "特殊文件");
}

} // namespace

int openRegularFile(const QString& path, FileUse use)
{
    const int flags = (use == FileUse::Read ? O_RDONLY : O_RDWR) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    const int handle = ::open(QFile::encodeName(path).constData(), flags);
    if (handle < 0)
        return -1;
    struct stat status {};
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(handle);
        errno = EINVAL;
        return -1;
    }
    return handle;
}

OfficeError readProblem(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (::stat(native.constData(), &status) != 0) {
        if (errno == EACCES)
            return OfficeError::of(OfficeError::Code::NotReadable);
        return OfficeError::of(OfficeError::Code::FileMissing);
    }
    if (!S_ISREG(status.st_mode))
        return OfficeError::of(OfficeError::Code::NotAFile, kindOf(status.st_mode));
    const int handle = openRegularFile(path, FileUse::Read);
    if (handle < 0) {
        if (errno == EACCES || errno == EPERM)
            return OfficeError::of(OfficeError::Code::NotReadable);
        if (errno == ENOENT)
            return OfficeError::of(OfficeError::Code::FileMissing);
    } else {
        ::close(handle);
    }
    return OfficeError::none();
}

QString lockObstacle(const QString& documentPath)
{
    struct stat status {};
    if (::stat(QFile::encodeName(officeLockPath(documentPath)).constData(), &status) != 0 ||
        S_ISREG(status.st_mode))
        return {};
    return kindOf(status.st_mode);
}
