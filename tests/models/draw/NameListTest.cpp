// The name list over the in-memory spreadsheet: reading a round, recording the order, saving it, and
// every way the workbook or the office can fail.
#include "models/draw/NameList.h"

#include "models/draw/NameListOrder.h"
#include "platform/office/OfficeLock.h"
#include "support/FakeSpreadsheet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace {

using Kind = NameList::Problem::Kind;
using Entries = QList<std::pair<QString, QString>>;
constexpr int kFirstRow = 3;

Entries people(int count)
{
    Entries entries;
    for (int i = 1; i <= count; ++i)
        entries << std::pair{QString::number(i), QStringLiteral("学生%1").arg(i)};
    return entries;
}

// Whether the text holds every one of the words; the text is shown when it does not.
::testing::AssertionResult holdsAll(const QString& text, const QStringList& words)
{
    for (const QString& each : words) {
        if (!text.contains(each))
            return ::testing::AssertionFailure()
                   << "no \"" << each.toStdString() << "\" in: " << text.toStdString();
    }
    return ::testing::AssertionSuccess();
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

    // A round that draws the given entries in turn, during which the teacher, in their own office, puts a
    // newcomer at the top of the list, keeps only its first people and saves: everybody moves down a row.
    void drawWhileTheTeacherSaves(const QList<int>& drawn, int kept)
    {
        ASSERT_FALSE(*open(list));
        for (int i = 0; i < drawn.size(); ++i)
            EXPECT_FALSE(list.recordOrder(drawn[i], i + 1));
        FakeSpreadsheet::Cells& cells = office.files[listPath()].sheets[QStringLiteral("Sheet1")];
        FakeSpreadsheet::Cells edited;
        for (auto it = cells.begin(); it != cells.end(); ++it) {
            const auto [row, column] = it.key();
            if (row < 3)
                edited[it.key()] = it.value();
            else if (row < kFirstRow + kept)
                edited[{row + 1, column}] = it.value();
        }
        edited[{3, 1}] = CellValue::fromText(QStringLiteral("0"));
        edited[{3, 2}] = CellValue::fromText(QStringLiteral("新同学"));
        cells = edited;
    }
    // The files beside the list that keep a round's order.
    QStringList orderFiles() const
    {
        return QDir(folder.path()).entryList({QStringLiteral("name-抽签顺序-*.csv")});
    }

    QTemporaryDir folder;
    FlakyOffice office;
    NameList list{&office, folder.path()};
};

TEST_F(NameListTest, ReadsTheRowsAsTheyAreAndClearsTheLastOrder)
{
    FakeSpreadsheet::Workbook workbook =
        FakeSpreadsheet::nameList(CellValue::fromText(QStringLiteral("4")),
                                  {{" 07 ", "  Li Lei  "}, {"", "王五"}, {"", "张三"}, {"", "李四"}});
    workbook.sheets[QStringLiteral("Sheet1")][{3, 3}] = CellValue::fromNumber(2);
    workbook.sheets[QStringLiteral("Sheet1")][{4, 3}] = CellValue::fromNumber(1);
    // A number formatted in the sheet (a student number 001) is the number the teacher sees.
    workbook.sheets[QStringLiteral("Sheet1")][{5, 1}] = CellValue::fromNumber(1, QStringLiteral("001"));
    workbook.sheets[QStringLiteral("Sheet1")][{6, 1}] = CellValue::fromNumber(2);
    putWorkbook(workbook);

    const auto reported = open(list);
    ASSERT_TRUE(reported.has_value());
    EXPECT_FALSE(*reported) << reported->text.toStdString();
    EXPECT_TRUE(list.isOpen());
    EXPECT_EQ(list.path(), listPath());
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.entry(1).number, " 07 ");
    EXPECT_EQ(list.entry(1).name, "  Li Lei  ");
    EXPECT_EQ(list.entry(2).number, "");
    EXPECT_EQ(list.entry(2).name, "王五");
    EXPECT_EQ(list.entry(3).number, "001");
    EXPECT_EQ(list.entry(4).number, "2");
    EXPECT_EQ(list.caveat(), "") << "a list that adds up is drawn from without a question";
    EXPECT_EQ(office.liveCell(3, 3).kind, CellValue::Kind::Empty);
    EXPECT_EQ(office.liveCell(4, 3).kind, CellValue::Kind::Empty);
    // Nothing is saved by reading.
    EXPECT_EQ(office.saves, 0);
    EXPECT_EQ(saved(3, 3), CellValue::fromNumber(2));
}

// A1 and the rows below it disagree: the teacher is told what is wrong and what the draw takes, and
// nobody is ever drawn as an empty name.
TEST_F(NameListTest, ACountThatDoesNotMatchTheRowsIsToldAndOnlyNamedRowsTakePart)
{
    struct Case {
        const char* what;
        CellValue a1;
        Entries rows;
        int taking;
        QStringList told;
    };
    const Entries gappy{{"1", "张三"}, {"2", ""}, {"", ""}, {"4", "  "}, {"5", "赵六"}};
    const QList<Case> cases{
        {"A1 above the names",
         CellValue::fromNumber(10),
         people(3),
         3,
         {"单元格 A1 写的是 10 人，但第 3 到第 12 行中只有 3 个姓名", "本轮按 3 人抽签",
          "要按这 3 人抽签吗？"}},
        {"names below A1's rows",
         CellValue::fromNumber(3),
         people(10),
         3,
         {"单元格 A1 写的是 3 人，但名单中共有 10 个姓名",
          "只有第 3 到第 5 行参加抽签，下面的 7 个姓名不参加"}},
        {"a fractional count",
         CellValue::fromNumber(7.5),
         people(7),
         7,
         {"单元格 A1 中的人数 7.5 不是整数，按 7 人计。"}},
        {"a fractional count as text",
         CellValue::fromText(QStringLiteral(" 2.9 ")),
         people(3),
         2,
         {"人数 2.9 不是整数，按 2 人计", "共有 3 个姓名"}},
        {"rows without a name",
         CellValue::fromNumber(5),
         gappy,
         2,
         {"第 3 到第 7 行中只有 2 个姓名；没有姓名的行不参加抽签", "本轮按 2 人抽签"}},
        {"far above a round",
         CellValue::fromNumber(1e12),
         people(5),
         5,
         {"单元格 A1 写的是 1000000000 人，但一轮最多 200 人", "第 3 到第 202 行中只有 5 个姓名"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        putList(c.a1, c.rows);
        const auto reported = open(list);
        ASSERT_TRUE(reported.has_value());
        ASSERT_FALSE(*reported) << reported->text.toStdString();
        EXPECT_EQ(list.count(), c.taking);
        for (int i = 1; i <= list.count(); ++i)
            EXPECT_FALSE(list.entry(i).name.trimmed().isEmpty()) << i;
        EXPECT_TRUE(
            list.caveat().startsWith(QStringLiteral("名单文件：") + QDir::toNativeSeparators(listPath())));
        EXPECT_TRUE(holdsAll(list.caveat(), c.told));
        list.close();
        EXPECT_FALSE(office.isRunning());
    }
    EXPECT_EQ(office.saves, 0);
}

TEST_F(NameListTest, TheOrderOfARowBelowAGapGoesIntoItsOwnRow)
{
    putList(CellValue::fromNumber(4), {{"1", "张三"}, {"", ""}, {"3", "王五"}, {"4", "赵六"}});
    ASSERT_FALSE(*open(list));
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.entry(2).name, "王五");
    EXPECT_EQ(list.entry(2).row, 5);
    EXPECT_FALSE(list.recordOrder(2, 1));
    EXPECT_FALSE(list.recordOrder(3, 2));
    EXPECT_EQ(office.liveCell(5, 3), CellValue::fromNumber(1));
    EXPECT_EQ(office.liveCell(6, 3), CellValue::fromNumber(2));
    EXPECT_EQ(office.liveCell(4, 3).kind, CellValue::Kind::Empty);
}

TEST_F(NameListTest, OnlyTheFirstTwoHundredOfTenThousandRowsTakePartAndTheTeacherIsTold)
{
    FakeSpreadsheet::Workbook workbook =
        FakeSpreadsheet::nameList(CellValue::fromNumber(10000), people(10000));
    // An order of an earlier round far down the list stays: those rows do not take part.
    workbook.sheets[QStringLiteral("Sheet1")][{5000, 3}] = CellValue::fromNumber(4);
    putWorkbook(workbook);
    ASSERT_FALSE(*open(list));
    ASSERT_EQ(list.count(), 200);
    EXPECT_EQ(list.entry(200).name, "学生200");
    EXPECT_TRUE(holdsAll(list.caveat(),
                         {"单元格 A1 写的是 10000 人，但一轮最多 200 人",
                          "名单中共有 10000 个姓名：只有第 3 到第 202 行参加抽签，下面的 9800 个姓名不参加",
                          "本轮按 200 人抽签"}));
    // Read a column at a time, the rows below included, not cell by cell: only A1 is read alone.
    EXPECT_EQ(office.cellReads, 1);
    EXPECT_EQ(office.columnReads, 4);
    EXPECT_EQ(office.liveCell(5000, 3), CellValue::fromNumber(4));
}

TEST_F(NameListTest, ACountWithNoNameBelowItIsAProblemNotARound)
{
    putList(CellValue::fromNumber(5), {{"1", ""}, {"2", " "}});
    const auto reported = open(list);
    ASSERT_TRUE(reported.has_value());
    EXPECT_EQ(reported->kind, Kind::CannotOpen);
    EXPECT_TRUE(reported->text.contains(QStringLiteral("第 3 到第 7 行的 B 列中没有姓名")));
    EXPECT_FALSE(office.isRunning());
    EXPECT_EQ(list.caveat(), "");
}

// A list the user made read-only is drawn from but never written, and the teacher hears of it first.
TEST_F(NameListTest, AWriteProtectedListIsDrawnFromButNeverWritten)
{
    putList(CellValue::fromNumber(3), people(3));
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(listPath(), readOnly));
    ASSERT_FALSE(*open(list));
    EXPECT_TRUE(list.isWriteProtected());
    EXPECT_EQ(list.count(), 3);
    EXPECT_TRUE(
        holdsAll(list.caveat(), {"名单文件是只读的（写保护）", "抽签顺序不会写入名单文件，文件保持原样"}));
    EXPECT_TRUE(list.caveat().endsWith(QStringLiteral("仍要抽签吗？")));

    EXPECT_FALSE(list.recordOrder(1, 1));
    EXPECT_EQ(office.liveCell(3, 3).kind, CellValue::Kind::Empty);
    EXPECT_FALSE(list.saveAndEnd());
    EXPECT_EQ(office.saves, 0);
    EXPECT_FALSE(office.isRunning());
    EXPECT_EQ(QFile::permissions(listPath()) & (readOnly | QFile::WriteOwner), readOnly);

    // Writable again: the next read records and saves as ever.
    ASSERT_TRUE(QFile::setPermissions(listPath(), QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_FALSE(*open(list));
    EXPECT_FALSE(list.isWriteProtected());
    EXPECT_EQ(list.caveat(), "");
    EXPECT_FALSE(list.recordOrder(1, 1));
    EXPECT_FALSE(list.saveAndEnd());
    EXPECT_EQ(saved(3, 3), CellValue::fromNumber(1));
}

TEST_F(NameListTest, AReadOnlyFolderProtectsTheListAndCombinesWithACountNote)
{
    putList(CellValue::fromNumber(4), people(3));
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    const auto reported = open(list);
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ASSERT_TRUE(reported.has_value());
    ASSERT_FALSE(*reported);
    EXPECT_TRUE(list.isWriteProtected());
    EXPECT_TRUE(holdsAll(list.caveat(), {"第 3 到第 6 行中只有 3 个姓名",
                                         "名单文件所在的文件夹是只读的（写保护）", "要按这 3 人抽签吗？"}));
    list.close();
    EXPECT_EQ(office.saves, 0);
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

// The teacher saved the list in their own office during the round: their save is never written over,
// the round keeps its order, and the teacher decides where it goes.
TEST_F(NameListTest, AListSavedElsewhereDuringTheRoundIsNotWrittenOverAndTheOrderFindsEveryoneAgain)
{
    putList(CellValue::fromNumber(4), people(4));
    office.files[listPath()].sheets[QStringLiteral("Sheet1")][{5, 3}] = CellValue::fromNumber(9);
    drawWhileTheTeacherSaves({3, 1}, 3);
    const FakeSpreadsheet::Workbook theirs = office.files[listPath()];

    const NameList::Problem changed = list.saveAndEnd();
    EXPECT_EQ(changed.kind, Kind::ListChanged);
    EXPECT_TRUE(holdsAll(changed.text, {QDir::toNativeSeparators(listPath()),
                                        QDir::toNativeSeparators(list.orderFilePath())}));
    EXPECT_TRUE(
        list.orderFilePath().startsWith(QDir(folder.path()).filePath(QStringLiteral("name-抽签顺序-"))));
    EXPECT_EQ(office.files[listPath()], theirs) << "written over";
    EXPECT_FALSE(office.hasWorkbook()) << "our older copy is kept open";

    const NameList::Problem written = list.writeOrderIntoChangedList();
    EXPECT_FALSE(written) << written.text.toStdString();
    // 学生3 and 学生1, each a row further down; the earlier order of the rows A1 counts cleared.
    EXPECT_EQ(saved(6, 3), CellValue::fromNumber(1));
    EXPECT_EQ(saved(4, 3), CellValue::fromNumber(2));
    EXPECT_EQ(saved(5, 3).kind, CellValue::Kind::Empty);
    EXPECT_EQ(saved(3, 2), CellValue::fromText(QStringLiteral("新同学")));
    EXPECT_EQ(saved(3, 3).kind, CellValue::Kind::Empty);
    EXPECT_FALSE(office.isRunning());
    EXPECT_EQ(orderFiles(), QStringList{});
    // Answered once: nothing more happens.
    EXPECT_FALSE(list.writeOrderIntoChangedList());
    EXPECT_FALSE(list.keepOrderAside());
}

// Kept aside, the list stays as the teacher saved it and the order is in a file beside it that any
// spreadsheet program opens.
TEST_F(NameListTest, TheOrderKeptAsideIsAFileBesideTheListWhichStaysAsSaved)
{
    putList(CellValue::fromNumber(3), {{"1", "张三"}, {" 07 ", "O'Neil, \"Sam\""}, {"3", "李四"}});
    drawWhileTheTeacherSaves({2, 3}, 3);
    const FakeSpreadsheet::Workbook theirs = office.files[listPath()];
    ASSERT_EQ(list.saveAndEnd().kind, Kind::ListChanged);

    const NameList::Problem kept = list.keepOrderAside();
    EXPECT_EQ(kept.kind, Kind::OrderKeptAside);
    EXPECT_TRUE(
        holdsAll(kept.text, {"名单文件保持现在的样子", QDir::toNativeSeparators(list.orderFilePath())}));
    EXPECT_EQ(office.files[listPath()], theirs);
    EXPECT_FALSE(office.isRunning());
    ASSERT_EQ(orderFiles().size(), 1);
    QFile order(list.orderFilePath());
    ASSERT_TRUE(order.open(QIODevice::ReadOnly));
    EXPECT_EQ(order.readAll(), QStringLiteral("\uFEFF顺序,编号,姓名\r\n"
                                              "1,\" 07 \",\"O'Neil, \"\"Sam\"\"\"\r\n"
                                              "2,3,李四\r\n")
                                   .toUtf8());
}

// People the teacher took off the list (or who cannot be told apart) are named; the whole order is kept
// aside as well, so nothing of the round is lost.
TEST_F(NameListTest, PeopleNotFoundAgainAreNamedAndTheWholeOrderIsKeptAside)
{
    putList(CellValue::fromNumber(4), people(4));
    drawWhileTheTeacherSaves({4, 2}, 3); // 学生4 is gone
    ASSERT_EQ(list.saveAndEnd().kind, Kind::ListChanged);

    const NameList::Problem partly = list.writeOrderIntoChangedList();
    EXPECT_EQ(partly.kind, Kind::OrderKeptAside);
    EXPECT_TRUE(holdsAll(partly.text, {"找不到以下抽签者", "4 学生4"}));
    EXPECT_FALSE(partly.text.contains(QStringLiteral("2 学生2")));
    EXPECT_EQ(saved(5, 3), CellValue::fromNumber(2));
    EXPECT_EQ(orderFiles().size(), 1);
}

// Their office still has the list open: whatever we wrote now, its next save would write over it. The
// order is kept aside at once, and the teacher is told why.
TEST_F(NameListTest, AChangedListStillOpenInTheTeachersOfficeHasTheOrderKeptAsideWithoutAQuestion)
{
    putList(CellValue::fromNumber(3), people(3));
    drawWhileTheTeacherSaves({1}, 3);
    office.holders[listPath()] = QStringLiteral("王老师（classroom-pc）");

    const NameList::Problem kept = list.saveAndEnd();
    EXPECT_EQ(kept.kind, Kind::OrderKeptAside);
    EXPECT_TRUE(kept.text.contains(QStringLiteral("现在仍被 王老师（classroom-pc） 打开")));
    EXPECT_EQ(orderFiles().size(), 1);
    EXPECT_FALSE(office.isRunning());
}

// Nothing drawn, nothing to keep: a list saved elsewhere is simply left as it is.
TEST_F(NameListTest, AChangedListWithNothingDrawnIsLeftAloneWithoutAWord)
{
    putList(CellValue::fromNumber(3), people(3));
    drawWhileTheTeacherSaves({}, 3);
    const FakeSpreadsheet::Workbook theirs = office.files[listPath()];
    EXPECT_FALSE(list.saveAndEnd());
    EXPECT_EQ(office.files[listPath()], theirs);
    EXPECT_FALSE(office.isRunning());
    EXPECT_EQ(orderFiles(), QStringList{});
}

TEST_F(NameListTest, AnOfficeThatDiesMidRoundIsReportedOnceAndNothingHalfDoneIsSaved)
{
    putList(CellValue::fromNumber(3), people(3));
    ASSERT_FALSE(*open(list));
    EXPECT_FALSE(list.recordOrder(1, 1));
    office.crash();

    const NameList::Problem lost = list.recordOrder(2, 2);
    EXPECT_EQ(lost.kind, Kind::NotWritten);
    EXPECT_TRUE(holdsAll(lost.text, {"意外停止", QDir::toNativeSeparators(listPath())}));
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

// A save that fails says why in the user's words, and that the file keeps its last content: a full
// disk must not read as a damaged list.
TEST_F(NameListTest, AFailedSaveIsToldPlainlyWithTheFileAsItWas)
{
    struct Case {
        const char* what;
        OfficeError error;
        QStringList told;
    };
    const QList<Case> cases{
        {"disk full",
         OfficeError::of(OfficeError::Code::DiskFull),
         {"磁盘空间已满，本轮的抽签顺序没有保存", "没有损坏", "腾出磁盘空间"}},
        {"made read-only meanwhile",
         OfficeError::of(OfficeError::Code::WriteProtected),
         {"名单文件是只读的，本轮的抽签顺序没有保存", "取消只读属性"}},
        {"folder gone",
         OfficeError::of(OfficeError::Code::WriteFailed, QStringLiteral("名单所在的文件夹已不存在。")),
         {"没有保存到名单文件", "名单所在的文件夹已不存在。", "保持上次保存时的内容", "U 盘"}},
        {"office gone",
         OfficeError::of(OfficeError::Code::EngineStopped, QStringLiteral("Binary URP bridge disposed")),
         {"意外停止", "保持上次保存时的内容"}},
    };
    putList(CellValue::fromNumber(2), people(2));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        office.saveResult = c.error;
        ASSERT_FALSE(*open(list));
        list.recordOrder(1, 1);
        const NameList::Problem problem = list.saveAndEnd();
        EXPECT_EQ(problem.kind, Kind::NotSaved);
        EXPECT_TRUE(holdsAll(problem.text, c.told + QStringList{QDir::toNativeSeparators(listPath())}));
        EXPECT_FALSE(problem.text.contains(QStringLiteral("URP"))) << "the office's own words stay out";
        EXPECT_FALSE(office.isRunning());
        EXPECT_EQ(saved(3, 3).kind, CellValue::Kind::Empty);
    }
}

// What can be told without the office is told before open returns, and our instance is not started.
TEST_F(NameListTest, AMissingHeldOrSpecialListIsToldAtOnce)
{
    const auto missing = open(list);
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->kind, Kind::CannotOpen);
    EXPECT_TRUE(holdsAll(missing->text, {"找不到名单文件", QDir::toNativeSeparators(listPath())}));

    putList(CellValue::fromNumber(3), people(3));
    office.holders[listPath()] = QStringLiteral("王老师（classroom-pc）");
    const auto held = open(list);
    ASSERT_TRUE(held.has_value());
    EXPECT_EQ(held->kind, Kind::CannotOpen);
    EXPECT_TRUE(held->text.contains(QStringLiteral("正被 王老师（classroom-pc） 打开")));
    // The way out, should nobody really hold it: the lock file by name.
    EXPECT_TRUE(
        held->text.contains(QStringLiteral("请删除名单旁边的锁定文件 ") +
                            QDir::toNativeSeparators(QDir(folder.path()).filePath(".~lock.name.xls#"))));

    // A folder where the list should be is not a missing list.
    office.holders.clear();
    QFile::remove(listPath());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("name.xls")));
    const auto folderNamedList = open(list);
    ASSERT_TRUE(folderNamedList.has_value());
    EXPECT_EQ(folderNamedList->kind, Kind::CannotOpen);
    EXPECT_TRUE(folderNamedList->text.contains(QStringLiteral("名单文件的位置上是一个文件夹，不是工作簿")))
        << folderNamedList->text.toStdString();
    EXPECT_FALSE(folderNamedList->text.contains(QStringLiteral("找不到")));
    EXPECT_TRUE(list.editElsewhere().text.contains(QStringLiteral("是一个文件夹")));
    EXPECT_EQ(office.editedFiles, QStringList{});
    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("name.xls")));

    // Nor is a pipe where the list or its lock should be: opening one waits for a writer that never
    // comes, and the window with it.
    ASSERT_EQ(::mkfifo(QFile::encodeName(listPath()).constData(), 0644), 0);
    const auto pipeAsList = open(list);
    ASSERT_TRUE(pipeAsList.has_value());
    EXPECT_TRUE(holdsAll(pipeAsList->text, {"名单文件的位置上是一个管道（FIFO），不是工作簿"}));
    ASSERT_TRUE(QFile::remove(listPath()));
    putList(CellValue::fromNumber(3), people(3));
    const QString lock = officeLockPath(listPath());
    ASSERT_EQ(::mkfifo(QFile::encodeName(lock).constData(), 0644), 0);
    const auto lockInTheWay = open(list);
    ASSERT_TRUE(lockInTheWay.has_value());
    EXPECT_EQ(lockInTheWay->kind, Kind::CannotOpen);
    EXPECT_TRUE(holdsAll(lockInTheWay->text,
                         {"名单旁边的锁定文件 " + QDir::toNativeSeparators(lock) + " 是一个管道（FIFO）"}));
    EXPECT_TRUE(QFile::exists(lock)) << "the teacher's to remove";
    ASSERT_TRUE(QFile::remove(lock));

    EXPECT_EQ(office.starts, 0);
    EXPECT_EQ(list.state(), NameList::State::Closed);
    EXPECT_EQ(list.count(), 0);

    NameList withoutOffice(nullptr, folder.path());
    const auto none = open(withoutOffice);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->kind, Kind::CannotOpen);
    EXPECT_TRUE(none->text.contains(QStringLiteral("这个版本没有表格程序")));
}

// A save cut short by the computer stopping leaves the list's last good content beside it: the message
// about the damaged list says where.
TEST_F(NameListTest, ADamagedListNamesTheCopyAnInterruptedSaveLeft)
{
    putList(CellValue::fromNumber(3), people(3));
    office.corrupt << listPath();
    const auto damaged = open(list);
    ASSERT_TRUE(damaged.has_value());
    EXPECT_TRUE(damaged->text.contains(QStringLiteral("请换用名单的备份")));
    EXPECT_FALSE(damaged->text.contains(QStringLiteral("上次保存前的名单")));

    QFile copy(QDir(folder.path()).filePath(QStringLiteral(".~vantrel-backup.name.xls")));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.close();
    const auto withCopy = open(list);
    ASSERT_TRUE(withCopy.has_value());
    EXPECT_TRUE(withCopy->text.contains(QStringLiteral("名单旁边有上次保存前的名单：") +
                                        QDir::toNativeSeparators(copy.fileName())))
        << withCopy->text.toStdString();
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
        {"password",
         [&] { office.openErrors[listPath()] = OfficeError::of(OfficeError::Code::PasswordProtected); },
         "设置了打开密码"},
        {"disk full", [&] { office.openErrors[listPath()] = OfficeError::of(OfficeError::Code::DiskFull); },
         "磁盘空间已满，名单文件无法读取"},
        {"A1 a half",
         [&] {
             office.openErrors.clear();
             putList(CellValue::fromNumber(0.5), people(3));
         },
         "人数是 0.5"},
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
        EXPECT_TRUE(holdsAll(reported->text, {c.expected, QDir::toNativeSeparators(listPath())}));
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

namespace {

using namelist::Person;

// Where each person of a round's list is found in the list as it now is (a list moved down by a newcomer
// and a person taken off it are tried through NameList above).
TEST(FindPeopleAgainTest, FindsEachPersonByNumberAndNameThenByNameAndNeverGuesses)
{
    struct Case {
        const char* what;
        QList<Person> round;
        QList<Person> now;
        QList<int> found;
    };
    const QList<Case> cases{
        {"blanks around the cells do not matter", {{" 1", "张三 "}}, {{"1 ", "  张三"}}, {0}},
        {"renumbered: found by name",
         {{"1", "张三"}, {"2", "李四"}},
         {{"2", "李四"}, {"01", "张三"}},
         {1, 0}},
        {"two of a name told apart by number",
         {{"1", "张伟"}, {"2", "张伟"}},
         {{"2", "张伟"}, {"1", "张伟"}},
         {1, 0}},
        {"two of a name and number paired in list order",
         {{"", "张伟"}, {"", "王芳"}, {"", "张伟"}},
         {{"", "张伟"}, {"", "张伟"}, {"", "王芳"}},
         {0, 2, 1}},
        {"one of two namesakes left: no guess", {{"", "张伟"}, {"", "张伟"}}, {{"", "张伟"}}, {-1, -1}},
        {"an exact match is not given away to a name-only match",
         {{"1", "张三"}, {"9", "张三"}},
         {{"1", "张三"}, {"2", "张三"}},
         {0, 1}},
        {"rows without a name match nobody", {{"3", ""}}, {{"3", ""}}, {-1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(namelist::findPeopleAgain(c.round, c.now), c.found);
    }
}

TEST(OrderFileTest, IsNamedAfterTheListAndTheTimeAndNeverReplacesAFile)
{
    QTemporaryDir folder;
    const QString list = folder.filePath(QStringLiteral("name.xls"));
    const QDateTime when(QDate(2026, 3, 9), QTime(8, 5, 7));
    const QString first = namelist::orderFilePath(list, when);
    EXPECT_EQ(first, folder.filePath(QStringLiteral("name-抽签顺序-20260309-080507.csv")));
    EXPECT_EQ(namelist::writeOrderFile(first, {{1, {"1", "张三"}}}), "");
    EXPECT_EQ(namelist::orderFilePath(list, when),
              folder.filePath(QStringLiteral("name-抽签顺序-20260309-080507-2.csv")));

    EXPECT_EQ(namelist::orderLines({{2, {"", " 李四 "}}, {1, {" 07 ", "张三"}}}), "1. 07 张三\n2. 李四");
    EXPECT_FALSE(namelist::writeOrderFile(folder.filePath(QStringLiteral("gone/x.csv")), {}).isEmpty());
}

} // namespace
