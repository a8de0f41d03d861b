// Rules of the office seam that need no office: reading cell values and lock files, telling a file
// changed, writing one in place.
#include "platform/Spreadsheet.h"
#include "platform/files/FileStamp.h"
#include "platform/files/InPlaceWrite.h"
#include "platform/files/WriteProtection.h"
#include "platform/office/OfficeLock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

TEST(CellValueTest, ReadsAsTextTheWayASpreadsheetShowsIt)
{
    EXPECT_EQ(cellText(CellValue::fromNumber(7)), "7");
    EXPECT_EQ(cellText(CellValue::fromNumber(2.5)), "2.5");
    EXPECT_EQ(cellText(CellValue::fromNumber(-12)), "-12");
    EXPECT_EQ(cellText(CellValue::fromNumber(0.1 + 0.2)), "0.3");
    EXPECT_EQ(cellText(CellValue::fromNumber(20240901)), "20240901");
    EXPECT_EQ(cellText(CellValue::fromText(QStringLiteral("  李 雷 "))), "  李 雷 ");
    EXPECT_EQ(cellText(CellValue::empty()), "");
    EXPECT_EQ(cellText(CellValue::error()), "");
    // A number in a format of its own reads as the sheet shows it; it still counts as the number.
    EXPECT_EQ(cellText(CellValue::fromNumber(1, QStringLiteral("001"))), "001");
    EXPECT_EQ(cellInt16(CellValue::fromNumber(1, QStringLiteral("001"))), 1);
}

TEST(CellValueTest, ConvertsToASixteenBitIntegerOrToNothing)
{
    EXPECT_EQ(cellInt16(CellValue::fromNumber(40)), 40);
    EXPECT_EQ(cellInt16(CellValue::empty()), 0);
    EXPECT_EQ(cellInt16(CellValue::fromText(QStringLiteral(" 12 "))), 12);
    EXPECT_EQ(cellInt16(CellValue::fromText(QStringLiteral("3.7"))), 4);
    // Halves go to the even neighbour.
    EXPECT_EQ(cellInt16(CellValue::fromNumber(2.5)), 2);
    EXPECT_EQ(cellInt16(CellValue::fromNumber(3.5)), 4);
    EXPECT_EQ(cellInt16(CellValue::fromNumber(-2.5)), -2);
    EXPECT_EQ(cellInt16(CellValue::fromNumber(-3.5)), -4);
    EXPECT_EQ(cellInt16(CellValue::fromNumber(32767)), 32767);
    EXPECT_EQ(cellInt16(CellValue::fromNumber(-32768)), -32768);

    EXPECT_EQ(cellInt16(CellValue::fromNumber(32767.5)), std::nullopt);
    EXPECT_EQ(cellInt16(CellValue::fromNumber(1e9)), std::nullopt);
    EXPECT_EQ(cellInt16(CellValue::fromText(QStringLiteral("四十"))), std::nullopt);
    EXPECT_EQ(cellInt16(CellValue::fromText(QStringLiteral("40人"))), std::nullopt);
    EXPECT_EQ(cellInt16(CellValue::fromText(QStringLiteral("inf"))), std::nullopt);
    EXPECT_EQ(cellInt16(CellValue::fromText(QString())), std::nullopt);
    EXPECT_EQ(cellInt16(CellValue::error()), std::nullopt);
}

TEST(OfficeLockTest, ReadsTheLockBesideTheDocument)
{
    EXPECT_EQ(officeLockPath(QStringLiteral("/data/班级/name.xls")), "/data/班级/.~lock.name.xls#");

    const auto lock = parseOfficeLock(
        "王老师,teacher,classroom-pc,07.12.2026 10:00,file:///home/teacher/.config/libreoffice/4;");
    ASSERT_TRUE(lock.has_value());
    EXPECT_EQ(lock->name, "王老师");
    EXPECT_EQ(lock->user, "teacher");
    EXPECT_EQ(lock->host, "classroom-pc");
    EXPECT_EQ(lock->profileUrl, "file:///home/teacher/.config/libreoffice/4");
    EXPECT_EQ(describeOfficeLock(*lock), "王老师（classroom-pc）");

    // Separators inside a field are escaped.
    const auto escaped = parseOfficeLock("Smith\\, J.,js,pc,date,file:///p\\;q;");
    ASSERT_TRUE(escaped.has_value());
    EXPECT_EQ(escaped->name, "Smith, J.");
    EXPECT_EQ(escaped->profileUrl, "file:///p;q");

    EXPECT_FALSE(parseOfficeLock("garbage").has_value());
    EXPECT_FALSE(parseOfficeLock(",a,b;").has_value());
    // As LibreOffice writes it, without a name of its user.
    const auto plain = parseOfficeLock(",root,vm,07.12.2026 21:34,file:///tmp/vantrel-office-x;");
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain->user, "root");
    EXPECT_EQ(plain->host, "vm");
    EXPECT_EQ(describeOfficeLock(*plain), "root（vm）");

    // A lock file that cannot be made sense of still means somebody has the file.
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("name.xls"));
    EXPECT_FALSE(readOfficeLock(document).has_value());
    QFile file(officeLockPath(document));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("half written");
    file.close();
    const auto unreadable = readOfficeLock(document);
    ASSERT_TRUE(unreadable.has_value());
    EXPECT_TRUE(isOfficeLockLive(*unreadable, QStringLiteral("pc"), {}));
}

TEST(OfficeLockTest, ALockIsLiveWhileAnOfficeOfItsProfileRuns)
{
    const OfficeLock user{{},
                          QStringLiteral("t"),
                          QStringLiteral("pc"),
                          {},
                          QStringLiteral("file:///home/t/.config/libreoffice/4")};
    const OfficeLock ours{{},
                          QStringLiteral("t"),
                          QStringLiteral("pc"),
                          {},
                          QStringLiteral("file:///tmp/vantrel-office-AbC123")};
    const RunningOffice defaultOffice{10, {}};
    const RunningOffice ourOffice{11, QStringLiteral("file:///tmp/vantrel-office-AbC123/")};
    const RunningOffice otherPrivate{12, QStringLiteral("file:///tmp/vantrel-office-Other1")};

    EXPECT_FALSE(isOfficeLockLive(user, QStringLiteral("pc"), {}));
    EXPECT_TRUE(isOfficeLockLive(user, QStringLiteral("pc"), {defaultOffice}));
    EXPECT_FALSE(isOfficeLockLive(user, QStringLiteral("pc"), {otherPrivate}));
    EXPECT_TRUE(isOfficeLockLive(user, QStringLiteral("other-pc"), {}));

    EXPECT_FALSE(isOfficeLockLive(ours, QStringLiteral("pc"), {defaultOffice, otherPrivate}));
    EXPECT_TRUE(isOfficeLockLive(ours, QStringLiteral("pc"), {ourOffice}));
}

TEST(OfficeLockTest, AGarbledLockIsDebrisOnceSettledAndNoOfficeOfTheUserRuns)
{
    // As readOfficeLock gives an empty or garbage lock file.
    const OfficeLock garbled{};
    EXPECT_TRUE(isGarbledOfficeLock(garbled));
    const OfficeLock readable{{}, QStringLiteral("t"), QStringLiteral("pc"), {}, QStringLiteral("file:///p")};
    EXPECT_FALSE(isGarbledOfficeLock(readable));

    const RunningOffice ours{11, QStringLiteral("file:///tmp/vantrel-office-AbC123")};
    const RunningOffice usersDefault{10, {}};
    const RunningOffice usersOther{12, QStringLiteral("file:///home/t/other-profile")};
    const qint64 settled = kGarbledLockSettleMs;

    EXPECT_TRUE(isAbandonedGarbledLock(garbled, settled, {}));
    EXPECT_TRUE(isAbandonedGarbledLock(garbled, 60000, {ours}));
    // Still being written, perhaps.
    EXPECT_FALSE(isAbandonedGarbledLock(garbled, settled - 1, {}));
    // The user's own office may own it.
    EXPECT_FALSE(isAbandonedGarbledLock(garbled, 60000, {ours, usersDefault}));
    EXPECT_FALSE(isAbandonedGarbledLock(garbled, 60000, {usersOther}));
    // A lock that reads is judged by its profile, not by this rule.
    EXPECT_FALSE(isAbandonedGarbledLock(readable, 60000, {}));
}

// Read-only by the user's choice, whoever runs the program: root could write, but does not.
TEST(WriteProtectionTest, FollowsTheModeAsWellAsWhatThisProcessMayDo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("name.xls"));
    EXPECT_EQ(writeProtectionOf(path), WriteProtection::None) << "a file still to be made";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(writeProtectionOf(path), WriteProtection::None);

    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    EXPECT_EQ(writeProtectionOf(path), WriteProtection::File);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(writeProtectionOf(path), WriteProtection::None);

    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_EQ(writeProtectionOf(path), WriteProtection::Folder);
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    if (::geteuid() == 0) {
        // Another user's list: writable while any write bit is set, protected when none is.
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        EXPECT_EQ(writeProtectionOf(path), WriteProtection::None);
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther));
        EXPECT_EQ(writeProtectionOf(path), WriteProtection::File);
    }
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(content), content.size());
}

// Opens the pipe for writing after a while unless told not to: a reader stuck on it is let go, so
// that a test fails instead of hanging.
class PipeRescuer {
public:
    explicit PipeRescuer(const QString& pipe)
        : thread_([this, name = QFile::encodeName(pipe)] {
              for (int waited = 0; waited < 50 && !done_; ++waited)
                  std::this_thread::sleep_for(std::chrono::milliseconds(100));
              if (const int writer = ::open(name.constData(), O_WRONLY | O_NONBLOCK); writer >= 0)
                  ::close(writer);
          })
    {
    }
    ~PipeRescuer()
    {
        done_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

TEST(OfficeLockTest, OurLockNamesVantrelAndStillTellsItselfAsOurs)
{
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("name.xls"));
    const QString ours = QStringLiteral("file:///tmp/vantrel-office-42-abc");
    const OfficeLock written{{},
                             QStringLiteral("teacher"),
                             QStringLiteral("classroom-pc"),
                             QStringLiteral("07.12.2026 10:00"),
                             ours};
    writeFile(officeLockPath(document), formatOfficeLock(written));

    ASSERT_TRUE(signOwnOfficeLock(document, ours + QLatin1Char('/')));
    const auto signed_ = readOfficeLock(document);
    ASSERT_TRUE(signed_.has_value());
    EXPECT_EQ(signed_->name, kOwnLockName);
    EXPECT_EQ(signed_->user, kOwnLockUser);
    EXPECT_EQ(signed_->host, written.host);
    EXPECT_EQ(signed_->when, written.when);
    EXPECT_EQ(signed_->profileUrl, ours);

    // Somebody else's lock is theirs.
    const OfficeLock theirs{QStringLiteral("王老师"), QStringLiteral("teacher"),
                            QStringLiteral("classroom-pc"), QStringLiteral("07.12.2026 10:00"),
                            QStringLiteral("file:///home/teacher/.config/lo")};
    writeFile(officeLockPath(document), formatOfficeLock(theirs));
    EXPECT_FALSE(signOwnOfficeLock(document, ours));
    EXPECT_EQ(contentOf(officeLockPath(document)), formatOfficeLock(theirs));

    // Fields holding the separators come back as they were.
    const OfficeLock awkward{QStringLiteral("a,b;c\\d"), QStringLiteral("u"), QStringLiteral("h"),
                             QStringLiteral("w"), QStringLiteral("file:///x;y")};
    const auto parsed = parseOfficeLock(formatOfficeLock(awkward));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->name, awkward.name);
    EXPECT_EQ(parsed->profileUrl, awkward.profileUrl);
}

TEST(OfficeLockTest, APipeAtTheLocksNameIsNoLockAndNothingWaitsOnIt)
{
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("name.xls"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(officeLockPath(document)).constData(), 0644), 0);
    PipeRescuer rescuer(officeLockPath(document));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(readOfficeLock(document).has_value());
    EXPECT_FALSE(signOwnOfficeLock(document, QStringLiteral("file:///tmp/vantrel-office-1-x")));
    EXPECT_FALSE(FileStamp::of(officeLockPath(document)).isValid());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2)) << "waited on the pipe";
}

// The list as it was read, against the list on disk now: its content decides, not its times.
TEST(FileStampTest, TellsAFileWrittenSinceFromTheSameFileWhateverItsTimes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("name.xls"));
    writeFile(path, "张三 李四 王五");
    const FileStamp read = FileStamp::of(path);
    ASSERT_TRUE(read.isValid());
    EXPECT_TRUE(read.isStillThe(path));

    // Written again with the same content, later: the same list.
    writeFile(path, "张三 李四 王五");
    EXPECT_TRUE(read.isStillThe(path));

    // One letter changed, as long as before, with the old time put back.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
    file.write("X");
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();
    EXPECT_FALSE(read.isStillThe(path));

    writeFile(path, "张三 李四");
    EXPECT_FALSE(read.isStillThe(path));
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(read.isStillThe(path));
    EXPECT_FALSE(FileStamp::of(path).isValid());
}

// Written in place, a file keeps its inode and so its other names; on a disk too full for the new
// content, the file stays as it was and no copy is left behind.
TEST(InPlaceWriteTest, KeepsTheFileItselfAndPutsItBackWhenTheDiskIsFull)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("name.xls"));
    writeFile(path, "old list");
    ASSERT_EQ(
        ::link(QFile::encodeName(path).constData(), QFile::encodeName(dir.filePath("other.xls")).constData()),
        0);
    struct stat was {};
    ::stat(QFile::encodeName(path).constData(), &was);
    const InPlaceWriteResult written = writeInPlace(path, "the new list, longer");
    EXPECT_EQ(written.error, 0);
    EXPECT_EQ(contentOf(dir.filePath("other.xls")), "the new list, longer");
    struct stat is {};
    ::stat(QFile::encodeName(path).constData(), &is);
    EXPECT_EQ(is.st_ino, was.st_ino);
    EXPECT_FALSE(QFile::exists(inPlaceBackupPath(path)));
    EXPECT_EQ(writeInPlace(path, "short").error, 0);
    EXPECT_EQ(contentOf(path), "short") << "not cut to the new length";

    QTemporaryDir mountPoint;
    if (::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small disk here (needs root): " << std::strerror(errno);
    struct Unmount {
        QString at;
        ~Unmount() { ::umount2(QFile::encodeName(at).constData(), MNT_DETACH); }
    } unmount{mountPoint.path()};
    const QString small = QDir(mountPoint.path()).filePath(QStringLiteral("name.xls"));
    const QByteArray old(20 * 1024, 'o');
    writeFile(small, old);
    // Room for the list and its backup copy, not for the longer list.
    const InPlaceWriteResult full = writeInPlace(small, QByteArray(60 * 1024, 'n'));
    EXPECT_EQ(full.error, ENOSPC);
    EXPECT_FALSE(full.backupKept);
    EXPECT_EQ(contentOf(small), old);
    EXPECT_EQ(QDir(mountPoint.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("name.xls")});
}

} // namespace
