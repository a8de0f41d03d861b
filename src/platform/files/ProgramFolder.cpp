#include "platform/files/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <sys/statvfs.h>

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

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString userDataFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("vantrel"));
}

// Without $XDG_DATA_HOME the data folder is in the home folder, and a home folder is not ours to make.
QString homeProblem(const QString& folder)
{
    if (!qEnvironmentVariableIsEmpty("XDG_DATA_HOME") || folder != userDataFolder())
        return {};
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty())
        return QCoreApplication::translate("ProgramFolder", "环境变量 HOME 没有设置，找不到您的主文件夹。");
    if (!QFileInfo(home).isDir())
        return QCoreApplication::translate("ProgramFolder", "您的主文件夹 %1（环境变量 HOME）不存在。")
            .arg(native(home));
    return {};
}

} // namespace

QString ProgramFolder::whyMissing(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return {};
    const QString intro = QCoreApplication::translate("ProgramFolder", "数据文件夹 %1 不存在，也无法建立：")
                              .arg(native(folder));
    if (const QString home = homeProblem(folder); !home.isEmpty())
        return intro + home;
    // The nearest part of the path that is there says what stands in the way.
    QFileInfo there(QDir::cleanPath(QDir(folder).absolutePath()));
    while (!there.exists() && !there.isSymLink() && !there.isRoot())
        there = QFileInfo(there.absolutePath());
    if (there.isSymLink() && !there.exists())
        return intro + QCoreApplication::translate("ProgramFolder", "%1 是一个链接，它指向的位置不存在。")
                           .arg(native(there.filePath()));
    if (!there.isDir())
        return intro + QCoreApplication::translate("ProgramFolder", "%1 是一个文件，不是文件夹。")
                           .arg(native(there.filePath()));
    if (!there.isWritable())
        return intro + QCoreApplication::translate("ProgramFolder", "没有权限在文件夹 %1 中建立文件夹。")
                           .arg(native(there.filePath()));
    struct statvfs disk;
    if (::statvfs(QFile::encodeName(there.filePath()).constData(), &disk) == 0) {
        if (disk.f_flag & ST_RDONLY)
            return intro + QCoreApplication::translate("ProgramFolder", "%1 所在的磁盘是只读的。")
                               .arg(native(there.filePath()));
        if (disk.f_bavail == 0 || disk.f_favail == 0)
            return intro + QCoreApplication::translate("ProgramFolder", "磁盘空间已满。");
    }
    return QCoreApplication::translate("ProgramFolder", "数据文件夹 %1 不存在。").arg(native(folder));
}

ProgramFolder::Located ProgramFolder::locate(const QString& applicationDir, const QStringList& sampleDirs)
{
    if (!findFileIgnoringCase(applicationDir, QStringLiteral("name.xls")).isEmpty())
        return {applicationDir, {}};

    const QString home = userDataFolder();
    if (homeProblem(home).isEmpty())
        QDir().mkpath(home);
    if (const QString problem = whyMissing(home); !problem.isEmpty())
        return {home, problem};
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
    return {home, {}};
}
