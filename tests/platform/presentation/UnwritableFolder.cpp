#include "UnwritableFolder.h"

#include <QDir>
#include <QFile>
#include <sys/mount.h>
#include <unistd.h>

namespace testdecks {

UnwritableFolder::UnwritableFolder(QString path) : path_(std::move(path))
{
    if (!QDir().mkpath(path_))
        return;
    const QByteArray native = QFile::encodeName(path_);
    if (::geteuid() == 0) {
        mounted_ = ::mount("tmpfs", native.constData(), "tmpfs", MS_RDONLY, "size=64k") == 0;
        unwritable_ = mounted_;
        return;
    }
    unwritable_ = QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner);
}

UnwritableFolder::~UnwritableFolder()
{
    if (mounted_)
        ::umount(QFile::encodeName(path_).constData());
    else if (unwritable_)
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace testdecks
