// The LibreOffice engine against real workbooks: what it reads, what it writes, and what it refuses.
#include "CalcFiles.h"
#include "OfficeEnvironment.h"
#include "platform/office/OfficeLock.h"
#include "platform/office/OfficeProcess.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {

using Cells = CalcFiles::Cells;
using CalcSheet = CalcFiles::Sheet;

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

// What else lies in the folder besides the workbook: temporary files and locks that were left behind.
QStringList leftovers(const QString& folder, const QString& workbook)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    names.removeAll(workbook);
    return names;
}

class SpreadsheetEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const OfficeError error = office::ensureRunning();
        ASSERT_FALSE(error) << error.detail.toStdString();
    }
    void TearDown() override { office::engine().closeWorkbook(); }

    QString path(const QString& name) const { return dir.filePath(name); }

    // Saves the workbook as the teacher's own office does: a new file put in the list's place.
    void saveAsTheTeacher(const QString& list, const QList<CalcSheet>& sheets) const
    {
        const QString written = path(QStringLiteral("teacher-") + QFileInfo(list).fileName());
        office::files().write(written, sheets);
        ASSERT_EQ(std::rename(QFile::encodeName(written).constData(), QFile::encodeName(list).constData()),
                  0);
    }

    static CalcSheet listSheet(const QString& name = QStringLiteral("Sheet1"))
    {
        return nameSheet(num(3),
                         {{num(1), txt(QStringLiteral("张三"))},
                          {txt(QStringLiteral("A-07")), txt(QStringLiteral("  Li Lei  "))},
                          {num(3), txt(QStringLiteral("王五"))}},
                         name);
    }
    static CalcSheet notesSheet()
    {
        CalcSheet notes{QStringLiteral("Notes"), {}, {}};
        notes.cells[{1, 1}] = txt(QStringLiteral("别动这里"));
        notes.cells[{2, 2}] = num(42);
        return notes;
    }

    QTemporaryDir dir;
    LibreOfficeSpreadsheet& engine = office::engine();
};

TEST_F(SpreadsheetEngineTest, ReadsTheListAsWrittenFindingTheSheetIgnoringCase)
{
    office::files().write(path("name.xls"), {notesSheet(), listSheet(QStringLiteral("SHEET1"))});

    const OfficeError error = engine.open(path("name.xls"), QStringLiteral("sheet1"));
    ASSERT_FALSE(error) << error.detail.toStdString();
    EXPECT_TRUE(engine.hasWorkbook());
    EXPECT_EQ(cellInt16(engine.cell(1, 1)), 3);
    EXPECT_EQ(cellText(engine.cell(3, 1)), "1");
    EXPECT_EQ(cellText(engine.cell(3, 2)), "张三");
    EXPECT_EQ(cellText(engine.cell(4, 1)), "A-07");
    EXPECT_EQ(cellText(engine.cell(4, 2)), "  Li Lei  ");
    EXPECT_EQ(engine.cell(3, 3).kind, CellValue::Kind::Empty);
    EXPECT_EQ(engine.cell(9, 2).kind, CellValue::Kind::Empty);
}

class SpreadsheetFormatTest : public SpreadsheetEngineTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(SpreadsheetFormatTest, SavesInPlaceKeepingFormatSheetsAndOtherCells)
{
    const QString name = QStringLiteral("name.") + QLatin1String(GetParam());
    CalcSheet list = listSheet();
    list.cells[{5, 3}] = txt(QStringLiteral("old order"));
    list.cells[{1, 4}] = txt(QStringLiteral("班级 3"));
    office::files().write(path(name), {list, notesSheet()});

    ASSERT_FALSE(engine.open(path(name), QStringLiteral("sheet1")));
    EXPECT_FALSE(engine.setCell(3, 3, num(2)));
    EXPECT_FALSE(engine.setCell(4, 3, num(1)));
    EXPECT_FALSE(engine.setCell(5, 3, CellValue::empty()));
    const OfficeError saved = engine.save();
    ASSERT_FALSE(saved) << saved.detail.toStdString();
    engine.closeWorkbook();

    EXPECT_EQ(leftovers(dir.path(), name), QStringList{}) << "temporary files or locks left behind";
    const QList<CalcSheet> back = office::files().read(path(name));
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[0].name, "Sheet1");
    EXPECT_EQ(back[1].name, "Notes");
    EXPECT_EQ(back[1].cells, notesSheet().cells);
    Cells expected = list.cells;
    expected[{3, 3}] = num(2);
    expected[{4, 3}] = num(1);
    expected.remove({5, 3});
    EXPECT_EQ(back[0].cells, expected);

    const QByteArray bytes = contentOf(path(name));
    if (name.endsWith(QLatin1String(".xls"))) {
        // Still an Excel 97 (BIFF8) file: a compound document with a "Workbook" stream.
        EXPECT_TRUE(bytes.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1")));
        EXPECT_TRUE(bytes.contains(QByteArray("W\0o\0r\0k\0b\0o\0o\0k\0", 16)));
    } else if (name.endsWith(QLatin1String(".xlsx"))) {
        EXPECT_TRUE(bytes.startsWith("PK"));
        EXPECT_TRUE(bytes.contains("xl/workbook.xml"));
    } else {
        EXPECT_TRUE(bytes.startsWith("PK"));
        EXPECT_TRUE(bytes.contains("application/vnd.oasis.opendocument.spreadsheet"));
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, SpreadsheetFormatTest, ::testing::Values("xls", "xlsx", "ods"));

// The office opens a workbook whatever its name says: so does the list, and it stays in its format.
// The sheet is named "sheet1" as the README asks, which LibreOffice reads from an .xlsx as "sheet1 -1".
struct Disguise {
    const char* madeAs;
    const char* namedAs;
    const char* filter; // the format it is in, to read it back
    QByteArray mark;    // what the bytes of that format hold
};

class DisguisedWorkbookTest : public SpreadsheetEngineTest, public ::testing::WithParamInterface<Disguise> {};

TEST_P(DisguisedWorkbookTest, IsReadByItsContentAndWrittenBackInItsOwnFormat)
{
    const Disguise disguise = GetParam();
    office::files().write(path(QStringLiteral("made.") + QLatin1String(disguise.madeAs)),
                          {listSheet(QStringLiteral("sheet1"))});
    const QString named = path(QStringLiteral("name.") + QLatin1String(disguise.namedAs));
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("made.") + QLatin1String(disguise.madeAs)), named));

    const OfficeError opened = engine.open(named, QStringLiteral("sheet1"));
    ASSERT_FALSE(opened) << int(opened.code);
    EXPECT_EQ(cellText(engine.cell(4, 2)), "  Li Lei  ");
    ASSERT_FALSE(engine.setCell(4, 3, num(1)));
    const OfficeError saved = engine.save();
    ASSERT_FALSE(saved) << saved.detail.toStdString();
    engine.closeWorkbook();

    EXPECT_TRUE(contentOf(named).contains(disguise.mark));
    const QList<CalcSheet> back = office::files().read(named, 12, QLatin1String(disguise.filter));
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(back[0].cells.value({4, 3}), num(1));
    EXPECT_EQ(back[0].cells.value({3, 2}), txt(QStringLiteral("张三")));
}

INSTANTIATE_TEST_SUITE_P(
    Disguises, DisguisedWorkbookTest,
    ::testing::Values(Disguise{"xlsx", "xlsx", "Calc MS Excel 2007 XML", "xl/workbook.xml"},
                      Disguise{"xlsx", "xls", "Calc MS Excel 2007 XML", "xl/workbook.xml"},
                      Disguise{"ods", "xls", "calc8", "application/vnd.oasis.opendocument.spreadsheet"},
                      Disguise{"xls", "ods", "MS Excel 97", QByteArray("W\0o\0r\0k\0b\0o\0o\0k\0", 16)}),
    [](const ::testing::TestParamInfo<Disguise>& disguise) {
        return std::string(disguise.param.madeAs) + "As" + disguise.param.namedAs;
    });

// The teacher saved the list in their own office while our round had it open: our copy is older,
// and the save is refused, whatever the file's times say. A file that holds what we read is ours to
// write, however often it was touched.
TEST_F(SpreadsheetEngineTest, NeverWritesOverAListSavedElsewhereSinceItWasRead)
{
    office::files().write(path("name.xls"), {listSheet()});
    ASSERT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));
    ASSERT_FALSE(engine.setCell(3, 3, num(1)));

    // Read and written back unchanged, later: the same list.
    const QByteArray read = contentOf(path("name.xls"));
    {
        QFile same(path("name.xls"));
        ASSERT_TRUE(same.open(QIODevice::WriteOnly | QIODevice::Truncate));
        same.write(read);
    }
    EXPECT_FALSE(engine.save());
    ASSERT_FALSE(engine.setCell(4, 3, num(2)));
    EXPECT_FALSE(engine.save()) << "a second save of the same round";

    // The teacher renames somebody and saves.
    CalcSheet edited = listSheet();
    edited.cells[{3, 2}] = txt(QStringLiteral("张三丰"));
    saveAsTheTeacher(path("name.xls"), {edited});
    const QByteArray theirs = contentOf(path("name.xls"));
    ASSERT_FALSE(engine.setCell(5, 3, num(3)));
    EXPECT_EQ(engine.save().code, OfficeError::Code::ChangedOnDisk);
    engine.closeWorkbook();
    EXPECT_EQ(contentOf(path("name.xls")), theirs);
    EXPECT_EQ(office::files().read(path("name.xls"))[0].cells.value({3, 2}), txt(QStringLiteral("张三丰")));
    EXPECT_EQ(leftovers(dir.path(), QStringLiteral("name.xls")), QStringList{});

    // Even byte for byte as long as the file, with the time set back.
    saveAsTheTeacher(path("name.xls"), {listSheet()});
    ASSERT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));
    QByteArray flipped = contentOf(path("name.xls"));
    const QDateTime modified = QFileInfo(path("name.xls")).lastModified();
    const qsizetype at = flipped.indexOf(QByteArray("Li Lei"));
    ASSERT_GE(at, 0);
    flipped[at] = 'X';
    {
        QFile same(path("name.xls"));
        ASSERT_TRUE(same.open(QIODevice::ReadWrite));
        same.write(flipped);
        ASSERT_TRUE(same.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(engine.save().code, OfficeError::Code::ChangedOnDisk);
    EXPECT_EQ(contentOf(path("name.xls")), flipped);
}

// The lock our office keeps beside the list names Vantrel: the teacher's own office, run by the same
// login, would otherwise take it for one of the teacher's own and offer to open the list for editing.
TEST_F(SpreadsheetEngineTest, TheTeachersOfficeIsToldThatVantrelHoldsTheList)
{
    office::files().write(path("name.xls"), {listSheet()});
    OfficeProcess other;
    QString error;
    ASSERT_TRUE(other.start(&error)) << error.toStdString();
    std::unique_ptr<CalcFiles> teacher;
    ASSERT_TRUE(office::waitFor([&] {
        try {
            teacher = std::make_unique<CalcFiles>(other.connectionUrl());
            return true;
        } catch (...) {
            return false;
        }
    }));

    // What the office writes on its own: the teacher's login, taken for the teacher's own lock.
    QFile lock(officeLockPath(path("name.xls")));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(formatOfficeLock({QString(), QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name),
                                 QSysInfo::machineHostName(), QStringLiteral("07.12.2026 10:00"),
                                 engine.process()->profileUrl()}));
    lock.close();
    EXPECT_TRUE(teacher->lockWarning(path("name.xls")).startsWith(QStringLiteral("own lock: ")));
    ASSERT_TRUE(QFile::remove(lock.fileName()));

    ASSERT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));
    const auto written = readOfficeLock(path("name.xls"));
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->name, kOwnLockName);
    EXPECT_EQ(written->user, kOwnLockUser);
    EXPECT_TRUE(isSameOfficeProfile(written->profileUrl, engine.process()->profileUrl()));
    // LibreOffice 7.4 shows the name, then the time: "Vantrel工具（按名单抽签） ( 08.12.2026 14:45 )".
    const QString warning = teacher->lockWarning(path("name.xls"));
    EXPECT_TRUE(warning.startsWith(QStringLiteral("locked by: ") + kOwnLockName)) << warning.toStdString();
    // Still ours: the teacher is not told that somebody else holds it.
    EXPECT_EQ(engine.heldBy(path("name.xls")), "");
    engine.closeWorkbook();
    EXPECT_FALSE(QFile::exists(officeLockPath(path("name.xls")))) << "our lock stays behind";
    EXPECT_EQ(teacher->lockWarning(path("name.xls")), "");
    teacher.reset();
}

// A student number 001 reads "001", a date reads as a date: what the teacher sees in the sheet.
TEST_F(SpreadsheetEngineTest, ReadsNumbersAsTheSheetShowsThem)
{
    CalcSheet list = listSheet();
    list.cells[{5, 1}] = num(7);
    list.numberFormats[{3, 1}] = QStringLiteral("000");
    list.cells[{6, 1}] = num(45292);
    list.numberFormats[{6, 1}] = QStringLiteral("YYYY-MM-DD");
    list.cells[{7, 1}] = num(2.5);
    office::files().write(path("name.xls"), {list});
    ASSERT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));

    EXPECT_EQ(engine.cell(3, 1), CellValue::fromNumber(1, QStringLiteral("001")));
    EXPECT_EQ(cellText(engine.cell(6, 1)), "2024-01-01");
    EXPECT_EQ(engine.cell(5, 1), num(7)) << "a number in the general format reads as itself";
    const QList<CellValue> column = engine.columnDown(1, 3, 10);
    ASSERT_EQ(column.size(), 5);
    EXPECT_EQ(cellText(column[0]), "001");
    EXPECT_EQ(cellText(column[1]), "A-07");
    EXPECT_EQ(column[2], num(7));
    EXPECT_EQ(cellText(column[3]), "2024-01-01");
    EXPECT_EQ(column[4], num(2.5));
    EXPECT_EQ(cellInt16(column[0]), 1) << "the number itself is kept for counting";
}

TEST_F(SpreadsheetEngineTest, RefusesFilesThatAreNotSuchWorkbooks)
{
    QFile text(path("name.xls"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("A1;3\n1;张三\n");
    text.close();
    EXPECT_EQ(engine.open(path("name.xls"), QStringLiteral("sheet1")).code, OfficeError::Code::NotAWorkbook);
    EXPECT_FALSE(engine.hasWorkbook());

    QFile empty(path("empty.xls"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_EQ(engine.open(path("empty.xls"), QStringLiteral("sheet1")).code, OfficeError::Code::NotAWorkbook);

    EXPECT_EQ(engine.open(path("missing.xls"), QStringLiteral("sheet1")).code,
              OfficeError::Code::FileMissing);

    office::files().write(path("other.xls"), {notesSheet()});
    EXPECT_EQ(engine.open(path("other.xls"), QStringLiteral("sheet1")).code, OfficeError::Code::SheetMissing);
    EXPECT_FALSE(engine.hasWorkbook());
    // None of these refusals touched the files.
    EXPECT_EQ(contentOf(path("name.xls")), QByteArray("A1;3\n1;张三\n"));
    EXPECT_TRUE(engine.isRunning());
}

TEST_F(SpreadsheetEngineTest, LeavesAWorkbookAloneWhileAnotherOfficeHasItOpen)
{
    office::files().write(path("name.xls"), {listSheet()});
    const QByteArray before = contentOf(path("name.xls"));

    // Another LibreOffice, with a profile of its own, opens the file as a user's office would.
    OfficeProcess other;
    QString error;
    ASSERT_TRUE(other.start(&error)) << error.toStdString();
    std::unique_ptr<CalcFiles> user;
    ASSERT_TRUE(office::waitFor([&] {
        try {
            user = std::make_unique<CalcFiles>(other.connectionUrl());
            return true;
        } catch (...) {
            return false;
        }
    }));
    user->hold(path("name.xls"));

    EXPECT_FALSE(engine.heldBy(path("name.xls")).isEmpty());
    const OfficeError refused = engine.open(path("name.xls"), QStringLiteral("sheet1"));
    EXPECT_EQ(refused.code, OfficeError::Code::HeldByOther);
    EXPECT_EQ(refused.detail, engine.heldBy(path("name.xls")));
    EXPECT_FALSE(engine.hasWorkbook());

    user->release();
    EXPECT_TRUE(engine.heldBy(path("name.xls")).isEmpty());
    EXPECT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));
    engine.closeWorkbook();
    EXPECT_EQ(contentOf(path("name.xls")), before);
    user.reset();
}

TEST_F(SpreadsheetEngineTest, TellsLiveLocksFromLeftoverOnes)
{
    office::files().write(path("name.xls"), {listSheet()});
    const QString lock = officeLockPath(path("name.xls"));
    auto writeLock = [&](const QString& host, const QString& profile) {
        QFile file(lock);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral(",Teacher,%1,07.12.2026 10:00,%2;").arg(host, profile).toUtf8());
    };

    // Left by an instance of ours that was killed: removed, and the file opens.
    writeLock(QSysInfo::machineHostName(), QStringLiteral("file:///tmp/vantrel-office-gone"));
    EXPECT_TRUE(engine.heldBy(path("name.xls")).isEmpty());
    EXPECT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));
    engine.closeWorkbook();
    EXPECT_FALSE(QFile::exists(lock));

    // Written on another machine (a shared folder): it cannot be checked, so it counts.
    writeLock(QStringLiteral("staffroom-pc"), QStringLiteral("file:///home/teacher/.config/libreoffice/4"));
    EXPECT_EQ(engine.open(path("name.xls"), QStringLiteral("sheet1")).code, OfficeError::Code::HeldByOther);
    EXPECT_TRUE(engine.heldBy(path("name.xls")).contains(QStringLiteral("staffroom-pc")));
    QFile::remove(lock);
}

TEST_F(SpreadsheetEngineTest, AFailedSaveIsReportedAndLeavesNoHalfFile)
{
    office::files().write(path("name.xls"), {listSheet()});
    ASSERT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));
    ASSERT_FALSE(engine.setCell(3, 3, num(1)));

    // The file's place is taken by a folder: the new workbook cannot be put there.
    ASSERT_TRUE(QFile::remove(path("name.xls")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("name.xls")));
    const OfficeError failed = engine.save();
    EXPECT_EQ(failed.code, OfficeError::Code::WriteFailed);
    // Said in the user's words, not in the office's or the system's.
    EXPECT_EQ(failed.detail, "名单文件的位置上是一个文件夹。");
    EXPECT_TRUE(QFileInfo(path("name.xls")).isDir());
    QStringList rest = leftovers(dir.path(), QStringLiteral("name.xls"));
    rest.removeAll(QStringLiteral(".~lock.name.xls#"));
    EXPECT_EQ(rest, QStringList{});

    // The folder itself is gone (a stick pulled out).
    QTemporaryDir gone;
    office::files().write(gone.filePath(QStringLiteral("name.xls")), {listSheet()});
    ASSERT_FALSE(engine.open(gone.filePath(QStringLiteral("name.xls")), QStringLiteral("sheet1")));
    ASSERT_TRUE(gone.remove());
    const OfficeError goneFailure = engine.save();
    EXPECT_EQ(goneFailure.code, OfficeError::Code::WriteFailed);
    EXPECT_EQ(goneFailure.detail, "名单所在的文件夹已不存在。");
}

TEST_F(SpreadsheetEngineTest, AKilledInstanceLeavesTheFileReadableAndANewOneStarts)
{
    office::files().write(path("name.xls"), {listSheet()});
    const QByteArray before = contentOf(path("name.xls"));
    ASSERT_FALSE(engine.open(path("name.xls"), QStringLiteral("sheet1")));
    ASSERT_FALSE(engine.setCell(3, 3, num(1)));

    ::kill(-pid_t(engine.process()->processGroup()), SIGKILL);
    ASSERT_TRUE(office::waitFor([&] { return !engine.isRunning(); }, 10000));
    EXPECT_FALSE(engine.hasWorkbook());
    EXPECT_TRUE(engine.setCell(4, 3, num(2)));
    EXPECT_TRUE(engine.save());
    EXPECT_EQ(contentOf(path("name.xls")), before);

    ASSERT_FALSE(office::ensureRunning());
    const OfficeError reopened = engine.open(path("name.xls"), QStringLiteral("sheet1"));
    ASSERT_FALSE(reopened) << reopened.detail.toStdString();
    EXPECT_EQ(cellText(engine.cell(3, 2)), "张三");
    EXPECT_EQ(engine.cell(3, 3).kind, CellValue::Kind::Empty);
}

TEST_F(SpreadsheetEngineTest, QuitEndsTheInstanceAndLeavesNothingRunning)
{
    ASSERT_TRUE(engine.isRunning());
    const qint64 group = engine.process()->processGroup();
    engine.quit();
    EXPECT_FALSE(engine.isRunning());
    EXPECT_TRUE(office::waitFor([&] { return ::kill(-pid_t(group), 0) != 0; }, 10000));
    bool ready = false;
    engine.start([&](const OfficeError& error) { ready = !error; });
    EXPECT_TRUE(office::waitFor([&] { return ready; }));
}

} // namespace
