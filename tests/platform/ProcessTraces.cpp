#include "ProcessTraces.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>

namespace traces {

QList<qint64> processesWith(const QStringList& tokens)
{
    QList<qint64> found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (!cmdline.open(QIODevice::ReadOnly))
            continue;
        const QString line = QString::fromUtf8(cmdline.readAll());
        for (const QString& token : tokens) {
            if (line.contains(token)) {
                found << pid;
                break;
            }
        }
    }
    return found;
}

QStringList socketFilesOf(const QList<qint64>& pids)
{
    QSet<QString> inodes;
    for (const qint64 pid : pids) {
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QString& fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
            const QString target = QFile::symLinkTarget(fds.filePath(fd));
            if (target.contains(QLatin1String("socket:[")))
                inodes << target.section(QLatin1Char('['), 1).section(QLatin1Char(']'), 0, 0);
        }
    }
    QStringList files;
    QFile table(QStringLiteral("/proc/net/unix"));
    if (!table.open(QIODevice::ReadOnly))
        return files;
    for (const QByteArray& row : table.readAll().split('\n')) {
        const QList<QByteArray> columns = row.simplified().split(' ');
        if (columns.size() >= 8 && inodes.contains(QString::fromLatin1(columns[6])) &&
            columns[7].startsWith('/'))
            files << QString::fromUtf8(columns[7]);
    }
    files.removeDuplicates();
    return files;
}

bool isRunning(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    // "<pid> (<name>) <state> …": the name may hold anything, so the state is read after its end.
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(')');
    const char state = end >= 0 && end + 2 < line.size() ? line.at(end + 2) : 'X';
    return state != 'Z' && state != 'X';
}

qint64 pidOfEndedProcess()
{
    QProcess process;
    process.start(QStringLiteral("true"), {});
    if (!process.waitForStarted())
        return 0;
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

} // namespace traces
