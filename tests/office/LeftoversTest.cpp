// What a killed run leaves behind, removed at the next start: only what is ours and only of runs
// that have ended.
#include "ProcessTraces.h"
#include "platform/office/OfficeLeftovers.h"
#include "platform/office/OfficeLock.h"
#include "platform/office/OfficePipes.h"
#include "platform/processes/DeadRuns.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

std::string names(QStringList list)
{
    list.sort();
    return list.join(QStringLiteral(" | ")).toStdString();
}

bool writeFile(const QString& path, const QByteArray& content = {})
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// A socket file as the office leaves it: bound, then abandoned.
bool makeSocketFile(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    qstrncpy(address.sun_path, native.constData(), sizeof address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

// The names in a folder, sorted, as one line that reads well in a failure.
std::string entries(const QString& folder)
{
    return names(
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
}

TEST(LeftoversTest, RemovesWhatEndedRunsLeftAndKeepsEverythingElse)
{
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    const QString temporary = base.filePath(QStringLiteral("tmp"));
    const QString data = base.filePath(QStringLiteral("data"));
    const QString cache = base.filePath(QStringLiteral("cache"));
    for (const QString& folder : {temporary, data, cache})
        ASSERT_TRUE(QDir().mkpath(folder));
    const qint64 ended = traces::pidOfEndedProcess();
    ASSERT_NE(ended, 0);
    const QString dead = QString::number(ended);
    const QString live = QString::number(QCoreApplication::applicationPid());

    // A killed run's profile with its two pipes, and the UNO pipe of one whose profile went already.
    const QString deadProfile =
        QDir(temporary).filePath(kPrivateProfileMarker + dead + QStringLiteral("-Ab1"));
    ASSERT_TRUE(QDir().mkpath(deadProfile + QStringLiteral("/user/tmp")));
    const QString instancePipe = officeInstancePipePath(officeUrl(deadProfile));
    const QString unoPipe = officePipePath(QStringLiteral("vantrel-%1-1-Ab1").arg(dead));
    const QString strayPipe = officePipePath(QStringLiteral("vantrel-%1-2-Cd2").arg(dead));
    const QString livePipe = officePipePath(QStringLiteral("vantrel-%1-3-Ef3").arg(live));
    const QStringList pipes{instancePipe, unoPipe, strayPipe, livePipe};
    // The pipes live in the system's temporary folder: they go whatever the outcome.
    const std::unique_ptr<const QStringList, void (*)(const QStringList*)> removePipes(
        &pipes, [](const QStringList* made) {
            for (const QString& pipe : *made)
                QFile::remove(pipe);
        });
    for (const QString& pipe : pipes)
        ASSERT_TRUE(makeSocketFile(pipe)) << pipe.toStdString();
    ASSERT_TRUE(recordOfficePipes(deadProfile, {instancePipe, unoPipe}));
    // A running instance's profile, an old one without an owner, and somebody else's folder.
    const QString liveProfile =
        QDir(temporary).filePath(kPrivateProfileMarker + live + QStringLiteral("-Gh4"));
    ASSERT_TRUE(QDir().mkpath(liveProfile));
    ASSERT_TRUE(QDir().mkpath(QDir(temporary).filePath(kPrivateProfileMarker + QStringLiteral("Ij5"))));
    ASSERT_TRUE(QDir().mkpath(QDir(temporary).filePath(QStringLiteral("lu12345.tmp"))));

    // A save cut short and the locks the killed office had in the data folder.
    const QString half = kSaveFilePrefix + dead + QStringLiteral("-name.xls.Kl6");
    ASSERT_TRUE(writeFile(QDir(data).filePath(half)));
    ASSERT_TRUE(
        writeFile(QDir(data).filePath(QStringLiteral(".~lock.") + half + QLatin1Char('#')), ",x,y,z,w,u;"));
    const QString host = QSysInfo::machineHostName();
    const QByteArray deadLock =
        QStringLiteral(",Teacher,%1,08.12.2026 10:00,%2;").arg(host, officeUrl(deadProfile)).toUtf8();
    ASSERT_TRUE(writeFile(QDir(data).filePath(QStringLiteral("name.xls")), "workbook"));
    ASSERT_TRUE(writeFile(QDir(data).filePath(QStringLiteral(".~lock.name.xls#")), deadLock));
    // Kept: a save under way in a running program, the user's own office's lock, the user's files.
    ASSERT_TRUE(writeFile(QDir(data).filePath(kSaveFilePrefix + live + QStringLiteral("-name.xls.Mn7"))));
    ASSERT_TRUE(writeFile(QDir(data).filePath(QStringLiteral("list.xls")), "workbook"));
    ASSERT_TRUE(writeFile(QDir(data).filePath(QStringLiteral(".~lock.list.xls#")),
                          QStringLiteral(",Teacher,%1,08.12.2026 10:00,file:///root/.config/libreoffice/4;")
                              .arg(host)
                              .toUtf8()));
    ASSERT_TRUE(writeFile(QDir(data).filePath(QStringLiteral(".~vantrel.notes")), "the user's"));

    // The converter's work folders: a killed run's and a running one's.
    ASSERT_TRUE(QDir().mkpath(QDir(cache).filePath(QStringLiteral("work-%1-Op8/profile").arg(dead))));
    ASSERT_TRUE(QDir().mkpath(QDir(cache).filePath(QStringLiteral("work-%1-Qr9").arg(live))));

    removeLeftoversOfDeadRuns(data, temporary, cache);

    EXPECT_EQ(entries(temporary),
              names({kPrivateProfileMarker + QStringLiteral("Ij5"),
                     kPrivateProfileMarker + live + QStringLiteral("-Gh4"), QStringLiteral("lu12345.tmp")}));
    EXPECT_FALSE(QFile::exists(instancePipe));
    EXPECT_FALSE(QFile::exists(unoPipe));
    EXPECT_FALSE(QFile::exists(strayPipe));
    EXPECT_TRUE(QFile::exists(livePipe));
    EXPECT_EQ(entries(data), names({kSaveFilePrefix + live + QStringLiteral("-name.xls.Mn7"),
                                    QStringLiteral(".~lock.list.xls#"), QStringLiteral(".~vantrel.notes"),
                                    QStringLiteral("list.xls"), QStringLiteral("name.xls")}));
    EXPECT_EQ(entries(cache), names({QStringLiteral("work-%1-Qr9").arg(live)}));
}

} // namespace
