// The LibreOffice engine against real workbooks: what it reads, what it writes, and what it refuses.
#include "CalcFiles.h"
#include "OfficeEnvironment.h"
#include "platform/office/OfficeLock.h"
#include "platform/office/OfficeProcess.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

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
        CalcSheet notes{QStringLiteral("Notes"), {}};
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

    // An .ods under an .xls name is not what the name says either.
    office::files().write(path("real.ods"), {listSheet()});
    QFile::copy(path("real.ods"), path("disguised.xls"));
    EXPECT_EQ(engine.open(path("disguised.xls"), QStringLiteral("sheet1")).code,
              OfficeError::Code::NotAWorkbook);

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
