// The name-list draw window on virtual time with the in-memory spreadsheet.
#include "ui/draw/NameListDraw.h"

#include "platform/Timer.h"
#include "support/TestProgram.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/main/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <gtest/gtest.h>

namespace {

using Entries = QList<std::pair<QString, QString>>;

Entries people(int count, int from = 1)
{
    Entries entries;
    for (int i = from; i < from + count; ++i)
        entries << std::pair{QString::number(i), QStringLiteral("学生%1").arg(i)};
    return entries;
}

class NameListDrawTest : public ::testing::Test {
protected:
    NameListDrawTest() { main = &t.start(); }

    QString listPath() const { return QDir(t.dataDir.path()).filePath(QStringLiteral("name.xls")); }

    // A workbook on disk as the window finds it, with its content in the fake spreadsheet.
    void putList(const CellValue& total, const Entries& entries)
    {
        QFile file(listPath());
        file.open(QIODevice::WriteOnly);
        t.spreadsheet.putWorkbook(listPath(), FakeSpreadsheet::nameList(total, entries));
    }

    // Opened as the launcher's "按名单随机抽签" opens it.
    NameListDraw& open()
    {
        main->Command5->click();
        t.program->loaded<DrawLauncher>()->findChild<QPushButton*>(QStringLiteral("Command10"))->click();
        w = t.program->loadedAs<NameListDraw>(WindowKind::NameListDraw);
        return *w;
    }

    int savedOrder(int entry) const
    {
        const CellValue value = t.spreadsheet.savedCell(listPath(), entry + 2, 3);
        return value.kind == CellValue::Kind::Number ? int(value.number) : 0;
    }

    // Draws until the round is over; the names shown, in draw order.
    QStringList drawWholeRound()
    {
        QStringList shown;
        for (int guard = 0; guard < 300 && !w->Label8->isVisible(); ++guard) {
            if (w->CommandZb->isEnabled())
                w->CommandZb->click();
            t.advance(120);
            w->CommandQq->click();
            shown << w->Text2->text();
        }
        return shown;
    }

    void expectIdle()
    {
        EXPECT_TRUE(w->Command1->isEnabled());
        EXPECT_EQ(w->Command1->text(), "开始");
        EXPECT_FALSE(w->CommandQq->isEnabled());
        EXPECT_FALSE(w->CommandZb->isEnabled());
        EXPECT_TRUE(w->CommandQuit->isEnabled());
        EXPECT_TRUE(w->Command2->isEnabled());
        EXPECT_FALSE(w->Timer1->isEnabled());
        EXPECT_FALSE(w->isListLoaded());
    }

    TestProgram t;
    MainWindow* main = nullptr;
    NameListDraw* w = nullptr;
};

TEST_F(NameListDrawTest, OpensAboveTheHiddenMainWindowReadyToStart)
{
    putList(CellValue::fromNumber(3), people(3));
    open();
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(t.windows.topMost.contains(QStringLiteral("Form4")));
    EXPECT_NEAR(w->leftTwips(), (t.windows.screen.width() - w->widthTwips()) / 2, 15);
    EXPECT_EQ(w->Text1->text(), "点击“开始”按钮");
    EXPECT_EQ(w->Text2->text(), "开始抽签");
    EXPECT_EQ(w->Label3->text(), "?");
    EXPECT_EQ(w->Label5->text(), "1");
    EXPECT_FALSE(w->Frame2->isVisible());
    EXPECT_FALSE(w->Label8->isVisible());
    expectIdle();
}

TEST_F(NameListDrawTest, ARoundOfThreeDrawsEachOnceNumbersThemAndSavesTheOrder)
{
    putList(CellValue::fromNumber(3), {{"1", "张三"}, {"2", "李四"}, {"3", "王五"}});
    open();
    w->Command1->click();
    EXPECT_FALSE(w->Command1->isEnabled());
    EXPECT_FALSE(w->Command2->isEnabled());
    EXPECT_FALSE(w->CommandQuit->isEnabled());
    EXPECT_TRUE(w->CommandQq->isEnabled());
    EXPECT_TRUE(w->Timer1->isEnabled());
    EXPECT_EQ(w->Label3->text(), "3");
    EXPECT_EQ(w->Label5->text(), "1");
    EXPECT_TRUE(w->isListLoaded());

    // Rolling shows entries of the list.
    t.advance(500);
    EXPECT_TRUE(QStringList({"张三", "李四", "王五"}).contains(w->Text2->text()));

    QStringList order;
    for (int draw = 1; draw <= 3; ++draw) {
        if (draw > 1) {
            w->CommandZb->click();
            EXPECT_EQ(w->Label5->text(), QString::number(draw));
            EXPECT_TRUE(w->Timer1->isEnabled());
            t.advance(200);
        }
        w->CommandQq->click();
        EXPECT_EQ(w->Label5->text(), QString::number(draw));
        EXPECT_FALSE(w->Timer1->isEnabled());
        EXPECT_TRUE(w->CommandQuit->isEnabled());
        EXPECT_FALSE(w->CommandQq->isEnabled());
        order << w->Text2->text();
        const int entry = w->LastDrawn;
        EXPECT_EQ(w->Text2->text(), QStringList({"张三", "李四", "王五"}).at(entry - 1));
        if (draw < 3) {
            EXPECT_EQ(t.spreadsheet.liveCell(entry + 2, 3), CellValue::fromNumber(draw));
            EXPECT_TRUE(w->CommandZb->isEnabled());
            EXPECT_EQ(t.spreadsheet.saves, 0);
        }
    }
    EXPECT_EQ(QSet<QString>(order.begin(), order.end()).size(), 3);

    // The third draw ended the round and saved the order into the file.
    EXPECT_TRUE(w->Label8->isVisible());
    EXPECT_EQ(w->Label8->text(), "本轮抽签结束!");
    EXPECT_EQ(w->Command1->text(), "下一轮");
    EXPECT_TRUE(w->Command1->isEnabled());
    EXPECT_FALSE(w->CommandZb->isVisible());
    EXPECT_FALSE(w->CommandQq->isVisible());
    EXPECT_EQ(w->Text2->text(), order.last());
    EXPECT_EQ(t.spreadsheet.saves, 1);
    EXPECT_FALSE(t.spreadsheet.isRunning());
    EXPECT_FALSE(w->isListLoaded());
    for (int i = 0; i < 3; ++i) {
        const int entry = int(QStringList({"张三", "李四", "王五"}).indexOf(order[i])) + 1;
        EXPECT_EQ(savedOrder(entry), i + 1);
    }

    // The next round starts over: every entry back in the pot, column C cleared.
    w->Command1->click();
    EXPECT_EQ(w->pot().remaining(), 3);
    EXPECT_EQ(w->Label5->text(), "1");
    for (int row = 3; row <= 5; ++row)
        EXPECT_EQ(t.spreadsheet.liveCell(row, 3).kind, CellValue::Kind::Empty);
    EXPECT_EQ(w->Command1->text(), "下一轮");
    EXPECT_FALSE(w->Label8->isVisible());
    EXPECT_EQ(t.dialogs.shown.size(), 0);
}

TEST_F(NameListDrawTest, OnlyTheFirstTwoHundredTakePartAndEmptyRowsCount)
{
    putList(CellValue::fromNumber(250), people(250));
    open();
    w->Command1->click();
    EXPECT_EQ(w->Label3->text(), "200");
    EXPECT_EQ(w->EntryNames[200], "学生200");
    const QStringList shown = drawWholeRound();
    EXPECT_EQ(shown.size(), 200);
    EXPECT_EQ(QSet<QString>(shown.begin(), shown.end()).size(), 200);
    QSet<int> orders;
    for (int entry = 1; entry <= 200; ++entry)
        orders.insert(savedOrder(entry));
    EXPECT_EQ(orders.size(), 200);
    EXPECT_FALSE(orders.contains(0));
    EXPECT_EQ(savedOrder(201), 0);

    // A count above the filled rows: the empty rows are entries with no number and no name.
    putList(CellValue::fromText(QStringLiteral("4")), people(2));
    w->Command1->click();
    EXPECT_EQ(w->Label3->text(), "4");
    const QStringList second = drawWholeRound();
    EXPECT_EQ(second.size(), 4);
    EXPECT_EQ(second.count(QString()), 2);
    for (int entry = 1; entry <= 4; ++entry)
        EXPECT_NE(savedOrder(entry), 0);
}

TEST_F(NameListDrawTest, NamesAreShownTrimmedAndStoredAsTheyAre)
{
    putList(CellValue::fromNumber(1), {{" 07 ", "  Li Lei  "}});
    open();
    w->Command1->click();
    t.advance(100);
    EXPECT_EQ(w->Text2->text(), "Li Lei");
    w->CommandQq->click();
    EXPECT_EQ(w->Text1->text(), "07");
    EXPECT_EQ(w->Text2->text(), "Li Lei");
    EXPECT_EQ(w->EntryNames[1], "  Li Lei  ");
    EXPECT_EQ(t.spreadsheet.savedCell(listPath(), 3, 2), CellValue::fromText(QStringLiteral("  Li Lei  ")));
    EXPECT_EQ(savedOrder(1), 1);
}

TEST_F(NameListDrawTest, QuitBetweenDrawsSavesWhatWasDrawnAndReturnsToTheMainWindow)
{
    putList(CellValue::fromNumber(3), people(3));
    open();
    w->Command1->click();
    w->CommandQq->click();
    const int first = w->LastDrawn;
    w->CommandQuit->click();

    EXPECT_EQ(t.spreadsheet.saves, 1);
    EXPECT_EQ(savedOrder(first), 1);
    EXPECT_EQ(savedOrder(first % 3 + 1), 0);
    EXPECT_FALSE(t.spreadsheet.isRunning());
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->Timer2->isEnabled());
    EXPECT_EQ(w->Text1->text(), "点击“开始”按钮");
    EXPECT_EQ(w->Label3->text(), "?");
    expectIdle();

    // Opened again, it is as Quit left it; a new Start reads the saved list afresh.
    open();
    EXPECT_EQ(w->Text2->text(), "开始抽签");
    w->Command1->click();
    EXPECT_EQ(w->pot().remaining(), 3);
}

TEST_F(NameListDrawTest, StartingShowsLoadingWithoutBlockingAndQuitAbandonsIt)
{
    putList(CellValue::fromNumber(3), people(3));
    t.spreadsheet.holdStart = true;
    open();
    w->Command1->click();
    EXPECT_TRUE(w->isLoading());
    EXPECT_EQ(w->Text1->text(), "程序载入中");
    EXPECT_EQ(w->Text2->text(), "请稍候...");
    EXPECT_FALSE(w->Command1->isEnabled());
    EXPECT_FALSE(w->Timer1->isEnabled());
    t.advance(2000);
    EXPECT_EQ(w->Text1->text(), "程序载入中");

    t.spreadsheet.completeStart();
    EXPECT_FALSE(w->isLoading());
    EXPECT_TRUE(w->Timer1->isEnabled());
    EXPECT_TRUE(w->CommandQq->isEnabled());
    w->CommandQuit->setEnabled(true); // as the launcher leaves it; Quit is how a slow start is left
    w->CommandQuit->click();

    open();
    w->Command1->click();
    ASSERT_TRUE(w->isLoading());
    w->CommandQuit->click();
    EXPECT_FALSE(w->isLoading());
    EXPECT_FALSE(t.spreadsheet.isStarting());
    EXPECT_TRUE(main->isVisible());
    t.spreadsheet.completeStart(); // too late: nobody waits for it any more
    EXPECT_FALSE(w->Timer1->isEnabled());
    expectIdle();
}

// The list cannot be drawn from: one message naming the file and what is wrong, and the window stays
// usable instead of offering a draw that can never end.
TEST_F(NameListDrawTest, AnUnusableListIsExplainedAndLeavesTheWindowUsable)
{
    struct Case {
        const char* what;
        std::function<void()> arrange;
        QString expected;
    };
    const QList<Case> cases{
        {"missing file",
         [&] {
             QFile::remove(listPath());
             t.spreadsheet.files.clear();
         },
         "找不到名单文件"},
        {"not a workbook",
         [&] {
             putList(CellValue::fromNumber(3), people(3));
             t.spreadsheet.corrupt << listPath();
         },
         "不是有效的工作簿"},
        {"no sheet1",
         [&] {
             t.spreadsheet.corrupt.clear();
             FakeSpreadsheet::Workbook other;
             other.sheets[QStringLiteral("Notes")] = {};
             t.spreadsheet.putWorkbook(listPath(), other);
         },
         "没有工作表“sheet1”"},
        {"A1 empty", [&] { putList(CellValue::empty(), people(3)); }, "A1 是空的"},
        {"A1 zero", [&] { putList(CellValue::fromNumber(0), people(3)); }, "人数是 0"},
        {"A1 negative", [&] { putList(CellValue::fromNumber(-3), people(3)); }, "人数是 -3"},
        {"A1 text", [&] { putList(CellValue::fromText(QStringLiteral("全班")), people(3)); },
         "不是人数（“全班”）"},
        {"office missing",
         [&] {
             putList(CellValue::fromNumber(3), people(3));
             t.spreadsheet.startResult =
                 OfficeError::of(OfficeError::Code::EngineUnavailable, "soffice not found");
         },
         "soffice not found"},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        const qsizetype before = t.dialogs.shown.size();
        w->Command1->click();
        t.advance(1000);
        ASSERT_EQ(t.dialogs.shown.size(), before + 1);
        const QString text = t.dialogs.shown.last().text;
        EXPECT_EQ(t.dialogs.shown.last().title, "Vantrel工具提示：");
        EXPECT_TRUE(text.contains(c.expected)) << text.toStdString();
        EXPECT_TRUE(text.contains(QDir::toNativeSeparators(listPath()))) << text.toStdString();
        EXPECT_EQ(w->Text1->text(), "点击“开始”按钮");
        EXPECT_FALSE(t.spreadsheet.isRunning());
        EXPECT_EQ(t.spreadsheet.saves, 0);
        expectIdle();
    }
}

TEST_F(NameListDrawTest, AListOpenInTheUsersOfficeIsNeitherReadNorWritten)
{
    putList(CellValue::fromNumber(3), people(3));
    t.spreadsheet.holders[listPath()] = QStringLiteral("王老师（classroom-pc）");
    open();
    w->Command1->click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("正被 王老师（classroom-pc） 打开")));
    EXPECT_EQ(t.spreadsheet.saves, 0);
    EXPECT_EQ(t.spreadsheet.starts, 0);
    expectIdle();
}

TEST_F(NameListDrawTest, EditingOpensTheUsersOfficeAndQuitLeavesItsEditsAlone)
{
    putList(CellValue::fromNumber(3), people(3));
    open();
    w->Command2->click();
    EXPECT_TRUE(w->Frame2->isVisible());
    EXPECT_EQ(w->Label4->text(), "稍后将自动打开Excel，修改名单后请：");
    EXPECT_FALSE(w->Command1->isEnabled());
    EXPECT_FALSE(w->Command2->isEnabled());
    EXPECT_EQ(t.spreadsheet.editedFiles, QStringList{listPath()});

    // The user has not closed the workbook yet: say so, and do not close or save it for them.
    t.spreadsheet.holders[listPath()] = QStringLiteral("teacher（pc）");
    w->CommandQuit->click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("仍被 teacher（pc） 打开")));
    EXPECT_EQ(t.spreadsheet.saves, 0);
    EXPECT_FALSE(w->Frame2->isVisible());
    EXPECT_TRUE(main->isVisible());
    expectIdle();

    // Once closed there, Quit has nothing to say.
    t.spreadsheet.holders.clear();
    open();
    w->CommandQuit->click();
    EXPECT_EQ(t.dialogs.shown.size(), 1);

    // No list to edit: told so, and the window stays as it was.
    QFile::remove(listPath());
    t.spreadsheet.files.clear();
    open();
    w->Command2->click();
    ASSERT_EQ(t.dialogs.shown.size(), 2);
    EXPECT_TRUE(t.dialogs.shown[1].text.contains(QStringLiteral("找不到名单文件")));
    EXPECT_FALSE(w->Frame2->isVisible());
    EXPECT_TRUE(w->Command2->isEnabled());
}

TEST_F(NameListDrawTest, AFailedSaveIsReportedNotTakenForSuccess)
{
    putList(CellValue::fromNumber(2), people(2));
    t.spreadsheet.saveResult =
        OfficeError::of(OfficeError::Code::WriteFailed, QStringLiteral("No space left on device"));
    open();
    w->Command1->click();
    drawWholeRound();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("没有保存")));
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("No space left on device")));
    EXPECT_EQ(savedOrder(1), 0);
    EXPECT_TRUE(w->Label8->isVisible());
    EXPECT_FALSE(t.spreadsheet.isRunning());
}

TEST_F(NameListDrawTest, AnEngineThatDiesMidRoundIsReportedOnceAndTheNextStartWorks)
{
    putList(CellValue::fromNumber(3), people(3));
    open();
    w->Command1->click();
    w->CommandQq->click();
    t.spreadsheet.crash();
    w->CommandZb->click();
    w->CommandQq->click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("意外停止")));
    w->CommandZb->click();
    w->CommandQq->click();
    EXPECT_TRUE(w->Label8->isVisible());
    EXPECT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(savedOrder(1) + savedOrder(2) + savedOrder(3), 0);

    w->Command1->click();
    EXPECT_TRUE(t.spreadsheet.isRunning());
    EXPECT_TRUE(w->CommandQq->isEnabled());
    w->CommandQq->click();
    EXPECT_EQ(t.spreadsheet.liveCell(w->LastDrawn + 2, 3), CellValue::fromNumber(1));
}

TEST_F(NameListDrawTest, ClosingTheWindowMidRoundKeepsTheDraws)
{
    putList(CellValue::fromNumber(3), people(3));
    open();
    w->Command1->click();
    w->CommandQq->click();
    const int first = w->LastDrawn;
    w->close();
    TestProgram::settle();
    EXPECT_EQ(savedOrder(first), 1);
    EXPECT_FALSE(t.spreadsheet.isRunning());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->Timer2->isEnabled());
    EXPECT_FALSE(t.program->isLoaded(WindowKind::NameListDraw));
}

} // namespace
