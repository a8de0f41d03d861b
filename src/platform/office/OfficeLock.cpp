#include "platform/office/OfficeLock.h"

#include "platform/files/FileAccess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <unistd.h>

std::optional<OfficeLock> parseOfficeLock(const QByteArray& content)
{
    // Fields are separated by ',' and end with ';'; a backslash escapes the next character.
    QStringList fields;
    QString field;
    const QString text = QString::fromUtf8(content);
    bool ended = false;
    for (qsizetype i = 0; i < text.size() && !ended; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            field += text.at(++i);
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
        } else if (c == QLatin1Char(';')) {
            fields << field;
            ended = true;
        } else {
            field += c;
        }
    }
    if (!ended || fields.size() < 5)
        return std::nullopt;
    return OfficeLock{fields[0], fields[1], fields[2], fields[3], fields[4]};
}

std::optional<OfficeLock> readOfficeLock(const QString& documentPath)
{
    // A pipe at the lock's name would keep the read waiting for a writer forever.
    const int handle = openRegularFile(officeLockPath(documentPath), FileUse::Read);
    if (handle < 0)
        return std::nullopt;
    QFile file;
    QByteArray content;
    if (file.open(handle, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        content = file.read(4096);
    file.close();
    ::close(handle);
    auto lock = parseOfficeLock(content);
    // A lock we cannot read is still a lock: somebody is writing it, or wrote it badly.
    if (!lock)
        return OfficeLock{};
    return lock;
}

QByteArray formatOfficeLock(const OfficeLock& lock)
{
    QString line;
    for (const QString& field : {lock.name, lock.user, lock.host, lock.when, lock.profileUrl}) {
        for (const QChar c : field) {
            if (c == QLatin1Char(',') || c == QLatin1Char(';') || c == QLatin1Char('\\'))
                line += QLatin1Char('\\');
            line += c;
        }
        line += QLatin1Char(',');
    }
    line.back() = QLatin1Char(';');
    return line.toUtf8();
}

bool signOwnOfficeLock(const QString& documentPath, const QString& ownProfileUrl)
{
    auto lock = readOfficeLock(documentPath);
    if (!lock || !isSameOfficeProfile(lock->profileUrl, ownProfileUrl))
        return false;
    lock->name = kOwnLockName;
    lock->user = kOwnLockUser;
    // Replaced in one go: an office that reads it meanwhile finds the old lock or the new one.
    QSaveFile file(officeLockPath(documentPath));
    file.setDirectWriteFallback(false);
    return file.open(QIODevice::WriteOnly) && file.write(formatOfficeLock(*lock)) >= 0 && file.commit();
}

bool isGarbledOfficeLock(const OfficeLock& lock)
{
    return lock.host.isEmpty() && lock.profileUrl.isEmpty();
}

QList<RunningOffice> runningOffices()
{
    QList<RunningOffice> found;
    const QDir proc(QStringLiteral("/proc"));
    const QStringList entries = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        QFile cmdline(proc.filePath(entry + QStringLiteral("/cmdline")));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> args = cmdline.readAll().split('\0');
        if (args.isEmpty() || !args.first().endsWith("soffice.bin"))
            continue;
        RunningOffice office{pid, {}};
        for (const QByteArray& arg : args) {
            static const QByteArray option("-env:UserInstallation=");
            if (arg.startsWith(option))
                office.profileUrl = QString::fromUtf8(arg.mid(option.size()));
        }
        found << office;
    }
    return found;
}

namespace {

// A profile URL as a path, so that the office's own spelling of it (in a lock) and ours (on a command
// line, with more characters encoded) compare equal.
QString profileKey(const QString& url)
{
    QString key = url.startsWith(QLatin1String("file:")) ? QUrl(url).toLocalFile() : url;
    while (key.size() > 1 && key.endsWith(QLatin1Char('/')))
        key.chop(1);
    return key;
}

} // namespace

bool isSameOfficeProfile(const QString& url, const QString& otherUrl)
{
    return profileKey(url) == profileKey(otherUrl);
}

bool isOfficeLockLive(const OfficeLock& lock, const QString& thisHost, const QList<RunningOffice>& running)
{
    if (lock.host.isEmpty() || lock.host != thisHost)
        return true;
    const QString profile = profileKey(lock.profileUrl);
    const bool privateProfile = profile.contains(kPrivateProfileMarker);
    for (const RunningOffice& office : running) {
        if (office.profileUrl.isEmpty()) {
            // An office on the default profile: it wrote every lock that does not name a profile given
            // on a command line, and we cannot tell which of those it holds.
            if (!privateProfile)
                return true;
        } else if (profileKey(office.profileUrl) == profile) {
            return true;
        }
    }
    return false;
}

bool isAbandonedGarbledLock(const OfficeLock& lock, qint64 ageMs, const QList<RunningOffice>& running)
{
    if (!isGarbledOfficeLock(lock) || ageMs < kGarbledLockSettleMs)
        return false;
    for (const RunningOffice& office : running) {
        if (!profileKey(office.profileUrl).contains(kPrivateProfileMarker))
            return false;
    }
    return true;
}

QString describeOfficeLock(const OfficeLock& lock)
{
    const QString who = !lock.name.trimmed().isEmpty() ? lock.name.trimmed() : lock.user;
    if (who.isEmpty() && lock.host.isEmpty())
        return QCoreApplication::translate("OfficeLock", "另一个程序");
    return QStringLiteral("%1（%2）").arg(who, lock.host);
}
