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

namespace {

// Where a shipped folder keeps the samples: in the build tree in samples/, since a name.xls beside
// the program would make the build folder the data folder; after installation in the folder itself.
QString findSample(const QStringList& sampleDirs, const QString& home, const QString& sample)
{
    for (const QString& dir : sampleDirs) {
        if (QDir(dir).absolutePath() == QDir(home).absolutePath())
            continue;
        for (const QString& folder : {dir, QDir(dir).filePath(QStringLiteral("samples"))}) {
            const QString source = findFileIgnoringCase(folder, sample);
            if (!source.isEmpty())
                return source;
        }
    }
    return {};
}

} // namespace

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
        const QString source = findSample(sampleDirs, home, sample);
        if (source.isEmpty())
            continue;
        const QString target = QDir(home).filePath(QFileInfo(source).fileName());
        QFile::copy(source, target);
        // Installed samples are read-only; the teacher's copy is theirs to edit.
        QFile(target).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                     QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    return home;
}
