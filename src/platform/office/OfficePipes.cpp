#include "platform/office/OfficePipes.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QUrl>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Where the office's pipes live: /tmp, whatever TMPDIR says, or /var/tmp when /tmp is not writable.
QString pipeFolder()
{
    return ::access("/tmp", W_OK) == 0 ? QStringLiteral("/tmp") : QStringLiteral("/var/tmp");
}

QString pipePrefix()
{
    return pipeFolder() + QStringLiteral("/OSL_PIPE_%1_").arg(::getuid());
}

const QString kRecordName = QStringLiteral("pipes");

} // namespace

QString officeArgumentUrl(const QString& path)
{
    return officeUrl(path).replace(QLatin1Char('$'), QLatin1String("%24"));
}

QString officeUrl(const QString& path)
{
    return QUrl::fromLocalFile(QDir::cleanPath(QDir(path).absolutePath())).toString(QUrl::FullyEncoded);
}

QString officePipePath(const QString& pipeName)
{
    return pipePrefix() + pipeName;
}

QString officeInstancePipePath(const QString& profileUrl)
{
    // The office names it after the MD5 of the profile URL in UTF-16, each byte in hex without padding.
    QByteArray utf16(reinterpret_cast<const char*>(profileUrl.utf16()), profileUrl.size() * 2);
    const QByteArray digest = QCryptographicHash::hash(utf16, QCryptographicHash::Md5);
    QString hex;
    for (const char byte : digest)
        hex += QString::number(uint(static_cast<unsigned char>(byte)), 16);
    return pipePrefix() + QStringLiteral("SingleOfficeIPC_") + hex;
}

bool recordOfficePipes(const QString& folder, const QStringList& pipePaths)
{
    QSaveFile record(QDir(folder).filePath(kRecordName));
    if (!record.open(QIODevice::WriteOnly))
        return false;
    record.write(pipePaths.join(QLatin1Char('\n')).toUtf8() + '\n');
    return record.commit();
}

void removeRecordedOfficePipes(const QString& folder)
{
    QFile record(QDir(folder).filePath(kRecordName));
    if (!record.open(QIODevice::ReadOnly))
        return;
    const QString prefix = pipePrefix();
    const QStringList paths =
        QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& path : paths) {
        struct stat info {};
        const QByteArray native = QFile::encodeName(path);
        if (path.startsWith(prefix) && !path.mid(prefix.size()).contains(QLatin1Char('/')) &&
            ::lstat(native.constData(), &info) == 0 && S_ISSOCK(info.st_mode))
            ::unlink(native.constData());
    }
}
