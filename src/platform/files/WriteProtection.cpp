#include "platform/files/WriteProtection.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isReadOnly(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (::stat(native.constData(), &status) != 0)
        return false;
    // A read-only mount, an ACL or the mode refuse this process.
    if (::access(native.constData(), W_OK) != 0)
        return true;
    // Root passes access() whatever the mode: the mode says what the owner wants.
    if (status.st_uid == ::geteuid())
        return (status.st_mode & S_IWUSR) == 0;
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

WriteProtection writeProtectionOf(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && isReadOnly(info.absoluteFilePath()))
        return WriteProtection::File;
    // A save writes a new file beside the old one and puts it in its place.
    if (isReadOnly(info.absolutePath()))
        return WriteProtection::Folder;
    return WriteProtection::None;
}
