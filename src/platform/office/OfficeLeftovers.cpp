#include "platform/office/OfficeLeftovers.h"

#include "platform/office/DeckConverter.h"
#include "platform/office/OfficeLock.h"
#include "platform/office/OfficePipes.h"
#include "platform/office/OfficeProcess.h"
#include "platform/processes/DeadRuns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QUrl>

namespace {

void removeProfilesAndPipes(const QString& temporaryFolder)
{
    const QDir temporary(temporaryFolder);
    const QFileInfoList profiles = temporary.entryInfoList({kPrivateProfileMarker + QLatin1Char('*')},
                                                           QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& profile : profiles) {
        if (profile.isSymLink() || !isLeftOverByDeadRun(profile.fileName(), kPrivateProfileMarker))
            continue;
        removeRecordedOfficePipes(profile.absoluteFilePath());
        QDir(profile.absoluteFilePath()).removeRecursively();
    }
    // A UNO pipe whose profile folder is already gone (it was removed by hand, or lived elsewhere).
    const QFileInfo pipe(officePipePath(OfficeProcess::kPipePrefix));
    const QString pipePrefix = pipe.fileName();
    const QFileInfoList pipes =
        QDir(pipe.absolutePath()).entryInfoList({pipePrefix + QLatin1Char('*')}, QDir::System | QDir::Hidden);
    for (const QFileInfo& candidate : pipes) {
        if (!candidate.isDir() && isLeftOverByDeadRun(candidate.fileName(), pipePrefix))
            QFile::remove(candidate.absoluteFilePath());
    }
}

void removeHalfSaves(const QString& dataFolder)
{
    const QDir data(dataFolder);
    const QString lockPrefix = QStringLiteral(".~lock.");
    const QString saveLockPrefix = lockPrefix + kSaveFilePrefix;
    const QFileInfoList files = data.entryInfoList(
        {kSaveFilePrefix + QLatin1Char('*'), lockPrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    const QList<RunningOffice> running = runningOffices();
    for (const QFileInfo& file : files) {
        const QString name = file.fileName();
        if (file.isSymLink())
            continue;
        if (isLeftOverByDeadRun(name, kSaveFilePrefix) || isLeftOverByDeadRun(name, saveLockPrefix)) {
            QFile::remove(file.absoluteFilePath());
            continue;
        }
        // The office's lock on a workbook, written by an instance of ours that was killed with it open.
        if (!name.startsWith(lockPrefix) || !name.endsWith(QLatin1Char('#')))
            continue;
        const QString document = data.filePath(name.mid(lockPrefix.size()).chopped(1));
        const auto lock = readOfficeLock(document);
        if (!lock || lock->profileUrl.isEmpty())
            continue;
        const QString profileName = QFileInfo(QUrl(lock->profileUrl).toLocalFile()).fileName();
        if (isLeftOverByDeadRun(profileName, kPrivateProfileMarker) &&
            !isOfficeLockLive(*lock, QSysInfo::machineHostName(), running))
            QFile::remove(file.absoluteFilePath());
    }
}

} // namespace

void removeLeftoversOfDeadRuns(const QString& dataFolder)
{
    removeLeftoversOfDeadRuns(dataFolder, QDir::tempPath(), DeckConverter::defaultCacheFolder());
}

void removeLeftoversOfDeadRuns(const QString& dataFolder, const QString& temporaryFolder,
                               const QString& deckCacheFolder)
{
    removeProfilesAndPipes(temporaryFolder);
    if (!dataFolder.isEmpty())
        removeHalfSaves(dataFolder);
    DeckConverter::removeWorkOfDeadRuns(deckCacheFolder);
}
