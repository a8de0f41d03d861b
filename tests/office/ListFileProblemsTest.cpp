// What the real LibreOffice makes of a list that cannot simply be read and saved: a password, a full
// disk, a read-only file, a folder in its place, a lock file left garbled. Each must come out as what
// it is, never as a damaged list, and the file must stay as it was.
#include "CalcFiles.h"
#include "OfficeEnvironment.h"
#include "platform/office/OfficeLock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
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
