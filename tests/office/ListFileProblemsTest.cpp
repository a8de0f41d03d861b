// What the real LibreOffice makes of a list that cannot simply be read and saved: a password, a full
// disk, a read-only file, a folder in its place, a lock file left garbled. Each must come out as what
// it is, never as a damaged list, and the file must stay as it was.
#include "CalcFiles.h"
#include "OfficeEnvironment.h"
#include "platform/office/OfficeLock.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
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

CellValue num(double value)
{
    return CellValue::fromNumber(value);
}

CellValue txt(const QString& value)
{
    return CellValue::fromText(value);
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct stat statusOf(const QString& path)
{
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

// Runs the program's way of reading or saving the list as another user (root's tests stand in for the
// teacher who is not the list's owner); what it printed.
QString asUser(uid_t user, gid_t group, const QString& mode, const QString& target)
{
    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), QDir::tempPath());
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    helper.setProcessEnvironment(environment);
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(QStringLiteral("setpriv"),
                 {QStringLiteral("--reuid=%1").arg(user), QStringLiteral("--regid=%1").arg(group),
                  QStringLiteral("--clear-groups"), QStringLiteral("--"),
                  QStringLiteral(VANTREL_OFFICE_LIST_HELPER), mode, target});
    if (!helper.waitForFinished(120000))
        return QStringLiteral("no answer");
    return QString::fromUtf8(helper.readAllStandardOutput()).trimmed();
}

constexpr uid_t kOwner = 1;       // daemon: the list's owner
constexpr uid_t kTeacher = 65534; // nobody: the teacher who saves or reads it

// What lies in the folder besides the files named: temporary saves and their locks left behind.
QStringList othersIn(const QString& folder, const QStringList& expected)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : expected)
        names.removeAll(name);
    return names;
}

class ListFileProblemsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const OfficeError error = office::ensureRunning();
        ASSERT_FALSE(error) << error.detail.toStdString();
    }
    void TearDown() override { engine.closeWorkbook(); }

    QString path(const QString& name) const { return dir.filePath(name); }
    static CalcFiles::Sheet list()
    {
        return nameSheet(num(2),
                         {{num(1), txt(QStringLiteral("张三"))}, {num(2), txt(QStringLiteral("李四"))}});
    }

    QTemporaryDir dir;
    LibreOfficeSpreadsheet& engine = office::engine();
};

TEST_F(ListFileProblemsTest, APasswordProtectedListIsToldAsSuchNotAsDamaged)
{
    for (const char* name : {"name.xls", "name.ods"}) {
        SCOPED_TRACE(name);
        office::files().write(path(name), {list()}, QStringLiteral("secret"));
        const QByteArray before = contentOf(path(name));
        EXPECT_EQ(engine.open(path(name), QStringLiteral("sheet1")).code,
                  OfficeError::Code::PasswordProtected);
        EXPECT_FALSE(engine.hasWorkbook());
        EXPECT_EQ(contentOf(path(name)), before);
    }
    // A damaged file is still told as damaged.
    QFile damaged(path("damaged.xls"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(contentOf(path("name.xls")).left(1200));
    damaged.close();
    EXPECT_EQ(engine.open(path("damaged.xls"), QStringLiteral("sheet1")).code,
              OfficeError::Code::NotAWorkbook);
    EXPECT_TRUE(engine.isRunning());
}

TEST_F(ListFileProblemsTest, AFolderInThePlaceOfTheListIsNotAMissingList)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("name.xls")));
    EXPECT_EQ(engine.open(path("name.xls"), QStringLiteral("sheet1")).code, OfficeError::Code::NotAFile);
    EXPECT_EQ(engine.open(path("gone.xls"), QStringLiteral("sheet1")).code, OfficeError::Code::FileMissing);
}

// The user made the list read-only: even root, who could write it, leaves it byte for byte and mode
// for mode as it was.
TEST_F(ListFileProblemsTest, AReadOnlyListIsNeverReplaced)
{
    office::files().write(path("name.xls"), {list()});
    ASSERT_TRUE(
        QFile::setPermissions(path("name.xls"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QByteArray before = contentOf(path("name.xls"));
    const struct stat was = statusOf(path("name.xls"));

    ASSERT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));
    ASSERT_FALSE(engine.setCell(3, 3, num(1)));
    EXPECT_EQ(engine.save().code, OfficeError::Code::WriteProtected);
    engine.closeWorkbook();

    EXPECT_EQ(contentOf(path("name.xls")), before);
    const struct stat is = statusOf(path("name.xls"));
    EXPECT_EQ(is.st_mode, was.st_mode);
    EXPECT_EQ(is.st_ino, was.st_ino) << "the file was replaced";
    EXPECT_EQ(othersIn(dir.path(), {"name.xls"}), QStringList{});
}

// A list saved by root keeps its owner and its mode, so its user can still edit it afterwards.
TEST_F(ListFileProblemsTest, ASavedListKeepsItsOwnerAndMode)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    office::files().write(path("name.xls"), {list()});
    ASSERT_EQ(::chown(QFile::encodeName(path("name.xls")).constData(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path("name.xls")).constData(), 0664), 0);

    ASSERT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));
    ASSERT_FALSE(engine.setCell(3, 3, num(1)));
    ASSERT_FALSE(engine.save());
    engine.closeWorkbook();

    const struct stat is = statusOf(path("name.xls"));
    EXPECT_EQ(is.st_uid, 65534u);
    EXPECT_EQ(is.st_gid, 65534u);
    EXPECT_EQ(is.st_mode & 07777, 0664u);
    EXPECT_EQ(office::files().read(path("name.xls"))[0].cells.value({3, 3}), num(1));
}

// A list with a second name (a hard link, say on the class's shared folder): a new file renamed into
// its place would leave the other name with the old list. The list is written in place instead.
TEST_F(ListFileProblemsTest, AListWithAnotherNameIsWrittenInPlaceSoBothNamesShowTheOrder)
{
    office::files().write(path("name.xls"), {list()});
    ASSERT_EQ(::link(QFile::encodeName(path("name.xls")).constData(),
                     QFile::encodeName(path("class.xls")).constData()),
              0);
    ASSERT_EQ(::chmod(QFile::encodeName(path("name.xls")).constData(), 0640), 0);
    const struct stat was = statusOf(path("name.xls"));

    ASSERT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));
    ASSERT_FALSE(engine.setCell(4, 3, num(1)));
    ASSERT_FALSE(engine.save());
    ASSERT_FALSE(engine.setCell(3, 3, num(2)));
    ASSERT_FALSE(engine.save()) << "a second save of the same round";
    engine.closeWorkbook();

    const struct stat is = statusOf(path("name.xls"));
    EXPECT_EQ(is.st_ino, was.st_ino);
    EXPECT_EQ(is.st_nlink, 2u);
    EXPECT_EQ(is.st_mode & 07777, 0640u);
    EXPECT_EQ(contentOf(path("class.xls")), contentOf(path("name.xls")));
    const CalcFiles::Cells cells = office::files().read(path("class.xls"))[0].cells;
    EXPECT_EQ(cells.value({4, 3}), num(1));
    EXPECT_EQ(cells.value({3, 3}), num(2));
    EXPECT_EQ(othersIn(dir.path(), {"name.xls", "class.xls"}), QStringList{})
        << "a backup or temporary file stayed";
}

// The teacher saves a list that belongs to somebody else and that everybody may write (mode 0666, in
// a shared folder): the list stays that person's, with its mode, and the teacher's order is in it.
TEST_F(ListFileProblemsTest, AnotherUsersListSavedByTheTeacherStaysItsOwnersAndKeepsItsMode)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can play two users";
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 01777), 0);
    office::files().write(path("name.xls"), {list()});
    ASSERT_EQ(::chown(QFile::encodeName(path("name.xls")).constData(), kOwner, kOwner), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path("name.xls")).constData(), 0666), 0);
    const struct stat was = statusOf(path("name.xls"));

    EXPECT_EQ(asUser(kTeacher, kTeacher, QStringLiteral("save"), path("name.xls")), "saved");

    const struct stat is = statusOf(path("name.xls"));
    EXPECT_EQ(is.st_uid, kOwner);
    EXPECT_EQ(is.st_gid, kOwner);
    EXPECT_EQ(is.st_mode & 07777, 0666u);
    EXPECT_EQ(is.st_ino, was.st_ino);
    EXPECT_EQ(office::files().read(path("name.xls"))[0].cells.value({3, 3}), num(1));
    EXPECT_EQ(othersIn(dir.path(), {"name.xls"}), QStringList{});
}

// A list the teacher may not read is no damaged list: it is told as a permission, and nobody is told
// to throw it away.
TEST_F(ListFileProblemsTest, AListTheTeacherMayNotReadIsToldAsAPermissionNotAsDamaged)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can play two users";
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    office::files().write(path("name.xls"), {list()});
    ASSERT_EQ(::chmod(QFile::encodeName(path("name.xls")).constData(), 0600), 0);

    const QString told = asUser(kTeacher, kTeacher, QStringLiteral("open"), dir.path());
    EXPECT_TRUE(told.startsWith(QStringLiteral("没有权限读取名单文件"))) << told.toStdString();
    EXPECT_FALSE(told.contains(QStringLiteral("备份"))) << told.toStdString();

    // The folder it is in may not be entered: the list is there all the same, not missing.
    ASSERT_EQ(::chmod(QFile::encodeName(path("name.xls")).constData(), 0644), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0700), 0);
    const QString toldForFolder = asUser(kTeacher, kTeacher, QStringLiteral("open"), dir.path());
    EXPECT_TRUE(toldForFolder.startsWith(QStringLiteral("没有权限读取名单文件")))
        << toldForFolder.toStdString();

    // Readable again: the very same list opens.
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    EXPECT_EQ(asUser(kTeacher, kTeacher, QStringLiteral("open"), dir.path()), "opened");
}

// A pipe with the name of the list's lock: reading it as a lock would wait for ever, and the office
// would wait on it while it loads the list. It is told, at once, and left where it is.
TEST_F(ListFileProblemsTest, APipeAtTheLocksNameIsToldAtOnceAndNothingWaitsOnIt)
{
    office::files().write(path("name.xls"), {list()});
    const QByteArray lock = QFile::encodeName(officeLockPath(path("name.xls")));
    ASSERT_EQ(::mkfifo(lock.constData(), 0644), 0);
    // Should anything open the pipe to read it, this lets it go after a while, so that the test fails
    // instead of hanging.
    std::atomic<bool> done{false};
    std::thread rescuer([lock, &done] {
        for (int waited = 0; waited < 80 && !done; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const int writer = ::open(lock.constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(engine.heldBy(path("name.xls")), "");
    const OfficeError refused = engine.open(path("name.xls"), QStringLiteral("sheet1"));
    EXPECT_EQ(refused.code, OfficeError::Code::LockInTheWay);
    EXPECT_EQ(refused.detail, "管道（FIFO）");
    EXPECT_LT(clock.elapsed(), 3000) << "something waited on the pipe";
    done = true;
    rescuer.join();
    struct stat status {};
    ASSERT_EQ(::stat(lock.constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode)) << "the pipe is the teacher's to remove";
    EXPECT_FALSE(engine.hasWorkbook());
}

// A small disk of its own for the list, filled up: neither the read nor the save may call the list
// damaged, and the list stays as it was.
TEST_F(ListFileProblemsTest, AFullDiskIsToldAsAFullDiskAndTheListStaysAsItWas)
{
    QTemporaryDir mountPoint;
    if (::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0, "size=512k") != 0)
        GTEST_SKIP() << "cannot mount a small disk here (needs root): " << std::strerror(errno);
    struct Unmount {
        QString at;
        ~Unmount() { ::umount2(QFile::encodeName(at).constData(), MNT_DETACH); }
    } unmount{mountPoint.path()};
    const QString listPath = QDir(mountPoint.path()).filePath(QStringLiteral("name.xls"));
    const QString fillerPath = QDir(mountPoint.path()).filePath(QStringLiteral("filler"));
    office::files().write(listPath, {list()});
    const QByteArray before = contentOf(listPath);

    ASSERT_FALSE(engine.open(listPath, QStringLiteral("sheet1")));
    ASSERT_FALSE(engine.setCell(3, 3, num(1)));
    const auto fillUp = [&fillerPath] {
        QFile filler(fillerPath);
        ASSERT_TRUE(filler.open(QIODevice::Append));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    };
    fillUp();

    const OfficeError saved = engine.save();
    EXPECT_EQ(saved.code, OfficeError::Code::DiskFull) << saved.detail.toStdString();
    engine.closeWorkbook();
    EXPECT_EQ(contentOf(listPath), before);
    EXPECT_EQ(othersIn(mountPoint.path(), {"name.xls", "filler"}), QStringList{});

    // What the failed save gave back is taken again.
    fillUp();
    const OfficeError opened = engine.open(listPath, QStringLiteral("sheet1"));
    EXPECT_EQ(opened.code, OfficeError::Code::DiskFull);
    EXPECT_EQ(contentOf(listPath), before);

    // Room again: the same list reads as ever.
    ASSERT_TRUE(QFile::remove(fillerPath));
    EXPECT_FALSE(engine.open(listPath, QStringLiteral("sheet1")));
    EXPECT_EQ(cellText(engine.cell(3, 2)), "张三");
    engine.closeWorkbook();
}

// An office writes its lock in one go; an empty or garbled one that has stayed so is debris (a full
// disk leaves one), and is cleared unless the user's own office runs and might be writing it.
TEST_F(ListFileProblemsTest, AGarbledLockIsClearedOnceSettledOrNamedAsTheWayOut)
{
    office::files().write(path("name.xls"), {list()});
    const QString lock = officeLockPath(path("name.xls"));
    QFile file(lock);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x01\x02 not a lock");
    file.close();
    // Fresh: it may be an office writing it right now.
    EXPECT_EQ(engine.heldBy(path("name.xls")), "另一个程序");
    EXPECT_TRUE(QFile::exists(lock));

    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    file.close();
    bool usersOfficeRuns = false;
    for (const RunningOffice& running : runningOffices())
        usersOfficeRuns = usersOfficeRuns || !running.profileUrl.contains(kPrivateProfileMarker);
    if (usersOfficeRuns) {
        EXPECT_EQ(engine.heldBy(path("name.xls")), "另一个程序");
        EXPECT_TRUE(QFile::exists(lock));
        QFile::remove(lock);
    } else {
        EXPECT_EQ(engine.heldBy(path("name.xls")), "");
        EXPECT_FALSE(QFile::exists(lock));
    }
    EXPECT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));
}

TEST_F(ListFileProblemsTest, AColumnIsReadDownToTheLastRowInOneCall)
{
    CalcFiles::Sheet sheet = list();
    sheet.cells[{40, 2}] = txt(QStringLiteral("最后一位"));
    sheet.cells[{41, 4}] = num(7);
    office::files().write(path("name.xls"), {sheet});
    ASSERT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));

    const QList<CellValue> below = engine.columnDown(2, 4, 1000);
    ASSERT_EQ(below.size(), 38); // rows 4 .. 41, the sheet's last row
    EXPECT_EQ(below[0], txt(QStringLiteral("李四")));
    EXPECT_EQ(below[1].kind, CellValue::Kind::Empty);
    EXPECT_EQ(below[36], txt(QStringLiteral("最后一位")));
    EXPECT_EQ(engine.columnDown(1, 3, 2), QList<CellValue>({num(1), num(2)}));
    EXPECT_EQ(engine.columnDown(2, 50, 10), QList<CellValue>{});
}

} // namespace
