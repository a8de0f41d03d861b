#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

// Where the spreadsheet program keeps its lock beside a document it has open: ".~lock.<file name>#"
// in the same folder. Nothing else may stand at that name, and the user is pointed to it when it is
// in the way.
inline QString officeLockPath(const QString& documentPath)
{
    const QFileInfo info(documentPath);
    return info.dir().filePath(QStringLiteral(".~lock.") + info.fileName() + QLatin1Char('#'));
}
