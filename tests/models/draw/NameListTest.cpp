// The name list over the in-memory spreadsheet: reading a round, recording the order, saving it, and
// every way the workbook or the office can fail.
#include "models/draw/NameList.h"

#include "support/FakeSpreadsheet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

using Kind = NameList::Problem::Kind;
using Entries = QList<std::pair<QString, QString>>;

Entries people(int count)
{
    Entries entries;
    for (int i = 1; i <= count; ++i)
        entries << std::pair{QString::number(i), QStringLiteral("学生%1").arg(i)};
    return entries;
}

// An office whose cell writes fail on demand while the workbook stays open (a full disk for its
// temporary files, say).
class FlakyOffice : public FakeSpreadsheet {
public:
    OfficeError setCell(int row, int column, const CellValue& value) override
    {
        if (failWrites)
            return OfficeError::of(OfficeError::Code::WriteFailed);
        return FakeSpreadsheet::setCell(row, column, value);
    }
    bool failWrites = false;
};

class NameListTest : public ::testing::Test {
protected:
    QString listPath() const { return QDir(folder.path()).filePath(QStringLiteral("name.xls")); }

    // A workbook on disk where the list looks for it, its content in the fake spreadsheet.
    void putWorkbook(const FakeSpreadsheet::Workbook& workbook)
    {
        QFile file(listPath());
        file.open(QIODevice::WriteOnly);
        office.putWorkbook(listPath(), workbook);
    }
    void putList(const CellValue& total, const Entries& entries)
    {
        putWorkbook(FakeSpreadsheet::nameList(total, entries));
    }

    // Opens the list; the problem it reported, or nothing when done was not called (yet).
    std::optional<NameList::Problem> open(NameList& names)
    {
        std::optional<NameList::Problem> reported;
        names.open([&reported](const NameList::Problem& problem) { reported = problem; });
        return reported;
    }

    CellValue saved(int row, int column) const { return office.savedCell(listPath(), row, column); }

    QTemporaryDir folder;
    FlakyOffice office;
    NameList list{&office, folder.path()};
};

TEST_F(NameListTest, ReadsTheCountAndTheRowsAsTheyAreAndClearsTheLastOrder)
{
    FakeSpreadsheet::Workbook workbook = FakeSpreadsheet::nameList(CellValue::fromText(QStringLiteral("3")),
                                                                   {{" 07 ", "  Li Lei  "}, {"", "王五"}});
    workbook.sheets[QStringLiteral("Sheet1")][{3, 3}] = CellValue::fromNumber(2);
    workbook.sheets[QStringLiteral("Sheet1")][{4, 3}] = CellValue::fromNumber(1);
    putWorkbook(workbook);

    const auto reported = open(list);
    ASSERT_TRUE(reported.has_value());
    EXPECT_FALSE(*reported) << reported->text.toStdString();
    EXPECT_TRUE(list.isOpen());
    EXPECT_EQ(list.path(), listPath());
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.entry(1).number, " 07 ");
    EXPECT_EQ(list.entry(1).name, "  Li Lei  ");
    EXPECT_EQ(list.entry(2).number, "");
    EXPECT_EQ(list.entry(2).name, "王五");
    // A count above the filled rows: the rest are entries with no number and no name.
    EXPECT_EQ(list.entry(3).number, "");
    EXPECT_EQ(list.entry(3).name, "");
    EXPECT_EQ(office.liveCell(3, 3).kind, CellValue::Kind::Empty);
    EXPECT_EQ(office.liveCell(4, 3).kind, CellValue::Kind::Empty);
    // Nothing is saved by reading.
    EXPECT_EQ(office.saves, 0);
    EXPECT_EQ(saved(3, 3), CellValue::fromNumber(2));
}

TEST_F(NameListTest, OnlyTheFirstTwoHundredRowsTakePart)
{
    putList(CellValue::fromNumber(250), people(250));
    ASSERT_FALSE(*open(list));
    ASSERT_EQ(list.count(), 200);
    EXPECT_EQ(list.entry(200).name, "学生200");
}

TEST_F(NameListTest, TheOrderGoesIntoColumnCAndIsSavedWhenTheRoundEnds)
{
    putList(CellValue::fromNumber(3), people(3));
    ASSERT_FALSE(*open(list));
    EXPECT_FALSE(list.recordOrder(2, 1));
    EXPECT_FALSE(list.recordOrder(3, 2));
    EXPECT_EQ(office.liveCell(4, 3), CellValue::fromNumber(1));
    EXPECT_EQ(office.liveCell(5, 3), CellValue::fromNumber(2));
    EXPECT_EQ(office.saves, 0);

    EXPECT_FALSE(list.saveAndEnd());
    EXPECT_EQ(office.saves, 1);
    EXPECT_FALSE(office.isRunning());
    EXPECT_EQ(list.state(), NameList::State::Closed);
    EXPECT_EQ(saved(4, 3), CellValue::fromNumber(1));
    EXPECT_EQ(saved(5, 3), CellValue::fromNumber(2));
    EXPECT_EQ(saved(3, 3).kind, CellValue::Kind::Empty);
    EXPECT_EQ(saved(4, 2), CellValue::fromText(QStringLiteral("学生2")));

    // Once closed, nothing more is written anywhere.
    EXPECT_FALSE(list.recordOrder(1, 3));
    EXPECT_EQ(saved(3, 3).kind, CellValue::Kind::Empty);
}

TEST_F(NameListTest, AnOfficeThatDiesMidRoundIsReportedOnceAndNothingHalfDoneIsSaved)
{
    putList(CellValue::fromNumber(3), people(3));
    ASSERT_FALSE(*open(list));
    EXPECT_FALSE(list.recordOrder(1, 1));
    office.crash();

    const NameList::Problem lost = list.recordOrder(2, 2);
    EXPECT_EQ(lost.kind, Kind::NotWritten);
    EXPECT_TRUE(lost.text.contains(QStringLiteral("意外停止")));
    EXPECT_TRUE(lost.text.contains(QDir::toNativeSeparators(listPath())));
    EXPECT_TRUE(list.isOrderLost());
    EXPECT_FALSE(list.recordOrder(3, 3)) << "told once per round";

    EXPECT_FALSE(list.saveAndEnd());
    EXPECT_EQ(office.saves, 0);
    EXPECT_EQ(saved(3, 3).kind, CellValue::Kind::Empty);

    // The next round reads afresh and records again.
    ASSERT_FALSE(*open(list));
    EXPECT_FALSE(list.isOrderLost());
    EXPECT_FALSE(list.recordOrder(3, 1));
    EXPECT_EQ(office.liveCell(5, 3), CellValue::fromNumber(1));
}

TEST_F(NameListTest, ARoundWithAWriteLostIsNotSavedSoTheFileKeepsItsLastWholeOrder)
{
    putList(CellValue::fromNumber(3), people(3));
    ASSERT_FALSE(*open(list));
    list.recordOrder(1, 1);
    ASSERT_FALSE(list.saveAndEnd());

    ASSERT_FALSE(*open(list));
    EXPECT_FALSE(list.recordOrder(2, 1));
    office.failWrites = true;
    EXPECT_EQ(list.recordOrder(3, 2).kind, Kind::NotWritten);
    office.failWrites = false;
    EXPECT_FALSE(list.recordOrder(1, 3));
    EXPECT_EQ(office.liveCell(3, 3).kind, CellValue::Kind::Empty) << "nothing written after the loss";

    EXPECT_FALSE(list.saveAndEnd());
    EXPECT_EQ(office.saves, 1);
    EXPECT_EQ(saved(3, 3), CellValue::fromNumber(1));
    EXPECT_EQ(saved(4, 3).kind, CellValue::Kind::Empty);
    EXPECT_FALSE(office.isRunning());
}

TEST_F(NameListTest, AFailedSaveIsReportedWithWhatTheOfficeSaid)
{
    putList(CellValue::fromNumber(2), people(2));
    office.saveResult =
        OfficeError::of(OfficeError::Code::WriteFailed, QStringLiteral("No space left on device"));
    ASSERT_FALSE(*open(list));
    list.recordOrder(1, 1);

    const NameList::Problem problem = list.saveAndEnd();
    EXPECT_EQ(problem.kind, Kind::NotSaved);
    EXPECT_TRUE(problem.text.contains(QStringLiteral("没有保存")));
    EXPECT_TRUE(problem.text.contains(QStringLiteral("No space left on device")));
    EXPECT_TRUE(problem.text.contains(QDir::toNativeSeparators(listPath())));
    EXPECT_FALSE(office.isRunning());
    EXPECT_EQ(saved(3, 3).kind, CellValue::Kind::Empty);
}

// What can be told without the office is told before open returns, and our instance is not started.
TEST_F(NameListTest, AMissingOrHeldListIsToldAtOnce)
{
    const auto missing = open(list);
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->kind, Kind::CannotOpen);
    EXPECT_TRUE(missing->text.contains(QStringLiteral("找不到名单文件")));
    EXPECT_TRUE(missing->text.contains(QDir::toNativeSeparators(listPath())));

    putList(CellValue::fromNumber(3), people(3));
    office.holders[listPath()] = QStringLiteral("王老师（classroom-pc）");
    const auto held = open(list);
    ASSERT_TRUE(held.has_value());
    EXPECT_EQ(held->kind, Kind::CannotOpen);
    EXPECT_TRUE(held->text.contains(QStringLiteral("正被 王老师（classroom-pc） 打开")));

    EXPECT_EQ(office.starts, 0);
    EXPECT_EQ(list.state(), NameList::State::Closed);
    EXPECT_EQ(list.count(), 0);

    NameList withoutOffice(nullptr, folder.path());
    const auto none = open(withoutOffice);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->kind, Kind::CannotOpen);
    EXPECT_TRUE(none->text.contains(QStringLiteral("这个版本没有表格程序")));
}

// A list the office cannot draw from: the problem names the file and the fault, and our instance ends
// rather than holding a workbook nobody uses.
TEST_F(NameListTest, AnUnusableWorkbookIsToldAndEndsOurInstance)
{
    struct Case {
        const char* what;
        std::function<void()> arrange;
        QString expected;
    };
    const QList<Case> cases{
        {"not a workbook", [&] { office.corrupt << listPath(); }, "不是有效的工作簿"},
        {"no sheet1",
         [&] {
             office.corrupt.clear();
             FakeSpreadsheet::Workbook other;
             other.sheets[QStringLiteral("Notes")] = {};
             putWorkbook(other);
         },
         "没有工作表“sheet1”"},
        {"A1 empty", [&] { putList(CellValue::empty(), people(3)); }, "A1 是空的"},
        {"A1 zero", [&] { putList(CellValue::fromNumber(0), people(3)); }, "人数是 0"},
        {"A1 text", [&] { putList(CellValue::fromText(QStringLiteral("全班")), people(3)); },
         "不是人数（“全班”）"},
        {"office does not come up",
         [&] {
             putList(CellValue::fromNumber(3), people(3));
             office.startResult = OfficeError::of(OfficeError::Code::EngineUnavailable, "soffice not found");
         },
         "soffice not found"},
    };
    putList(CellValue::fromNumber(3), people(3));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        const auto reported = open(list);
        ASSERT_TRUE(reported.has_value());
        EXPECT_EQ(reported->kind, Kind::CannotOpen);
        EXPECT_TRUE(reported->text.contains(c.expected)) << reported->text.toStdString();
        EXPECT_TRUE(reported->text.contains(QDir::toNativeSeparators(listPath())));
        EXPECT_EQ(list.state(), NameList::State::Closed);
        EXPECT_FALSE(office.isRunning());
        EXPECT_FALSE(office.hasWorkbook());
    }
    EXPECT_EQ(office.saves, 0);
}

TEST_F(NameListTest, AReadWaitsForOurInstanceAndCanBeGivenUp)
{
    putList(CellValue::fromNumber(3), people(3));
    office.holdStart = true;
    EXPECT_FALSE(open(list).has_value());
    EXPECT_TRUE(list.isOpening());

    int calls = 0;
    list.cancelOpening();
    EXPECT_EQ(list.state(), NameList::State::Closed);
    list.open([&calls](const NameList::Problem&) { ++calls; });
    ASSERT_TRUE(list.isOpening());
    office.completeStart();
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(list.isOpen());
    list.saveAndEnd();

    // Given up: the instance that comes up later is not used for a read.
    list.open([&calls](const NameList::Problem&) { ++calls; });
    list.cancelOpening();
    EXPECT_FALSE(office.isStarting());
    office.completeStart();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(office.hasWorkbook());
}

TEST_F(NameListTest, AListGoneWhileItsReadWaitsIsNotCalledBack)
{
    putList(CellValue::fromNumber(3), people(3));
    office.holdStart = true;
    bool called = false;
    {
        NameList shortLived(&office, folder.path());
        shortLived.open([&called](const NameList::Problem&) { called = true; });
        ASSERT_TRUE(office.isStarting());
    }
    EXPECT_FALSE(office.isStarting());
    office.completeStart();
    EXPECT_FALSE(called);
}

TEST_F(NameListTest, LeavingSavesAnOpenRoundAndLeavesAnIdleOfficeAlone)
{
    putList(CellValue::fromNumber(3), people(3));
    // Nothing of ours runs: nothing to save or end.
    EXPECT_FALSE(list.release());
    EXPECT_FALSE(list.finishEarlierRound());
    EXPECT_EQ(office.quits, 0);

    ASSERT_FALSE(*open(list));
    list.recordOrder(1, 1);
    EXPECT_FALSE(list.finishEarlierRound());
    EXPECT_EQ(saved(3, 3), CellValue::fromNumber(1));
    EXPECT_FALSE(office.isRunning());

    ASSERT_FALSE(*open(list));
    list.recordOrder(2, 1);
    EXPECT_FALSE(list.release());
    EXPECT_EQ(saved(4, 3), CellValue::fromNumber(1));
    EXPECT_EQ(saved(3, 3).kind, CellValue::Kind::Empty);
    EXPECT_FALSE(office.isRunning());
    EXPECT_EQ(office.saves, 2);
}

TEST_F(NameListTest, EditingHappensInTheUsersOwnOfficeWhichKeepsTheList)
{
    putList(CellValue::fromNumber(3), people(3));
    EXPECT_FALSE(list.editElsewhere());
    EXPECT_EQ(office.editedFiles, QStringList{listPath()});

    EXPECT_FALSE(list.stillOpenElsewhere());
    office.holders[listPath()] = QStringLiteral("teacher（pc）");
    const NameList::Problem stillOpen = list.stillOpenElsewhere();
    EXPECT_EQ(stillOpen.kind, Kind::StillOpenElsewhere);
    EXPECT_TRUE(stillOpen.text.contains(QStringLiteral("仍被 teacher（pc） 打开")));
    EXPECT_EQ(office.saves, 0);
    EXPECT_EQ(office.quits, 0);

    QFile::remove(listPath());
    office.files.clear();
    const NameList::Problem missing = list.editElsewhere();
    EXPECT_EQ(missing.kind, Kind::CannotOpen);
    EXPECT_TRUE(missing.text.contains(QStringLiteral("找不到名单文件")));
}

} // namespace
