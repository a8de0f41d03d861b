#include "platform/processes/DeadRuns.h"

#include <QCoreApplication>
#include <cerrno>
#include <csignal>

QString namePrefixOfThisRun(const QString& prefix)
{
    return prefix + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-');
}

qint64 ownerInName(const QString& name, const QString& prefix)
{
    if (!name.startsWith(prefix))
        return 0;
    const qsizetype dash = name.indexOf(QLatin1Char('-'), prefix.size());
    if (dash <= prefix.size())
        return 0;
    bool isNumber = false;
    const qint64 pid = QStringView(name).mid(prefix.size(), dash - prefix.size()).toLongLong(&isNumber);
    return isNumber && pid > 0 ? pid : 0;
}

bool isProcessAlive(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

bool isLeftOverByDeadRun(const QString& name, const QString& prefix)
{
    const qint64 owner = ownerInName(name, prefix);
    return owner != 0 && owner != QCoreApplication::applicationPid() && !isProcessAlive(owner);
}
