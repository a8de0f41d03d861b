#include "platform/files/RuntimeFolder.h"

#include <QDir>
#include <QStandardPaths>
#include <unistd.h>

QString runtimeFilePath(const QString& kind)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return QDir(runtime).filePath(QStringLiteral("vantrel.") + kind);
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("vantrel-%1.%2").arg(QString::number(::geteuid()), kind));
}
