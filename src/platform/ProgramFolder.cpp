#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString findFileIgnoringCase(const QString& folder, const QString& fileName)
{
    if (fileName.isEmpty() || fileName.contains(QLatin1Char('/')))
        return {};
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(fileName)).isFile())
        return dir.filePath(fileName);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

QStringList ProgramFolder::shippedFolders(const QString& applicationDir)
{
    QStringList folders{applicationDir};
    // Installed layout: <prefix>/bin/vantrel with the data in <prefix>/share/vantrel.
    folders << QDir(applicationDir).absoluteFilePath(QStringLiteral("../share/vantrel"));
    for (const QString& dataDir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << QDir(dataDir).filePath(QStringLiteral("vantrel"));
    folders.removeDuplicates();
    return folders;
}

QString ProgramFolder::resolve(const QString& applicationDir, const QStringList& sampleDirs)
{
    if (!findFileIgnoringCase(applicationDir, QStringLiteral("name.xls")).isEmpty())
        return applicationDir;

    const QString home = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                             .filePath(QStringLiteral("vantrel"));
    QDir().mkpath(home);
    static const QStringList samples{QStringLiteral("name.xls"), QStringLiteral("MYPPT.ppt"),
                                     QStringLiteral("Note1.PPT"), QStringLiteral("Note2.PPT")};
    for (const QString& sample : samples) {
        if (!findFileIgnoringCase(home, sample).isEmpty())
            continue;
        for (const QString& dir : sampleDirs) {
            if (QDir(dir).absolutePath() == QDir(home).absolutePath())
                continue;
            const QString source = findFileIgnoringCase(dir, sample);
            if (!source.isEmpty()) {
                QFile::copy(source, QDir(home).filePath(QFileInfo(source).fileName()));
                QFile(QDir(home).filePath(QFileInfo(source).fileName()))
                    .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ReadOther);
                break;
            }
        }
    }
    return home;
}
