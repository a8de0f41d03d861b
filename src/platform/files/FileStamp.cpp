#include "platform/files/FileStamp.h"

#include "platform/files/FileAccess.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

FileStamp FileStamp::of(const QString& path)
{
    const int handle = openRegularFile(path, FileUse::Read);
    if (handle < 0)
        return {};
    FileStamp stamp;
    QFile file;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (file.open(handle, QIODevice::ReadOnly, QFileDevice::DontCloseHandle) && hash.addData(&file)) {
        stamp.size = file.size();
        stamp.hash = hash.result();
    }
    file.close();
    ::close(handle);
    return stamp;
}

bool FileStamp::isStillThe(const QString& path) const
{
    if (!isValid())
        return false;
    // A different size needs no reading.
    if (const QFileInfo info(path); !info.isFile() || info.size() != size)
        return false;
    return FileStamp::of(path).hash == hash;
}
