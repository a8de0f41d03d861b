#include "platform/files/FileKind.h"

#include <cstring>
#include <sys/stat.h>

namespace filekind {

QString describe(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a directory");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISLNK(mode))
        return QStringLiteral("a symbolic link");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device");
}

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace filekind
