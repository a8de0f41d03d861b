// Rules of the office seam that need no office: reading cell values and lock files.
#include "platform/office/OfficeLock.h"
#include "platform/office/Spreadsheet.h"
#include "platform/office/WriteProtection.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
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

} // namespace
