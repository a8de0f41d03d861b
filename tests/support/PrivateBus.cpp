#include "support/PrivateBus.h"

#include <QFile>
#include <QStandardPaths>

PrivateBus::PrivateBus()
{
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty() || !config_.open())
        return;
    QFile sessionConfig(QStringLiteral("/usr/share/dbus-1/session.conf"));
    if (!sessionConfig.open(QIODevice::ReadOnly))
        return;
    config_.write(sessionConfig.readAll().replace("<standard_session_servicedirs />", ""));
    config_.close();
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--config-file=") + config_.fileName(), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
    if (daemon_.waitForReadyRead(5000))
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

PrivateBus::~PrivateBus()
{
    daemon_.kill();
    daemon_.waitForFinished();
}
