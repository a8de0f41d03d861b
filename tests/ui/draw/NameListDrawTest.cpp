// The name-list draw window on virtual time with the in-memory spreadsheet.
#include "ui/draw/NameListDraw.h"

#include "platform/Timer.h"
#include "support/FindControl.h"
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
#include <stdexcept>

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
        control<QPushButton>(main, "Command5")->click();
        control<QPushButton>(t.program->loaded<DrawLauncher>(), "Command10")->click();
        w = t.program->loaded<NameListDraw>();
        return *w;
    }

    QPushButton* startButton() const { return control<QPushButton>(w, "Command1"); }
    QPushButton* nextButton() const { return control<QPushButton>(w, "CommandZb"); }
    QPushButton* drawButton() const { return control<QPushButton>(w, "CommandQq"); }
    QPushButton* quitButton() const { return control<QPushButton>(w, "CommandQuit"); }
    // Quit draws "please wait" first; the rest follows from the event loop.
    void quit()
    {
        quitButton()->click();
        t.advance(0);
    }
    QPushButton* editButton() const { return control<QPushButton>(w, "Command2"); }
    QLineEdit* numberBox() const { return control<QLineEdit>(w, "Text1"); }
    QLineEdit* nameBox() const { return control<QLineEdit>(w, "Text2"); }
    QLabel* totalLabel() const { return control<QLabel>(w, "Label3"); }
    QLabel* orderLabel() const { return control<QLabel>(w, "Label5"); }
    QLabel* roundOverLabel() const { return control<QLabel>(w, "Label8"); }
    QLabel* editNotice() const { return control<QLabel>(w, "Label4"); }
    QFrame* editSteps() const { return control<QFrame>(w, "Frame2"); }
    Timer* rollTimer() const { return control<Timer>(w, "Timer1"); }
    // The main window's watch over the desktop, paused while a draw is up.
    Timer* trackingTimer() const { return control<Timer>(main, "Timer2"); }

    int savedOrder(int entry) const
    {
        const CellValue value = t.spreadsheet.savedCell(listPath(), entry + 2, 3);
        return value.kind == CellValue::Kind::Number ? int(value.number) : 0;
    }

    // Draws until the round is over; the names shown, in draw order.
    QStringList drawWholeRound()
    {
        QStringList shown;
        for (int guard = 0; guard < 300 && !roundOverLabel()->isVisible(); ++guard) {
            if (nextButton()->isEnabled())
                nextButton()->click();
            t.advance(120);
            drawButton()->click();
            shown << nameBox()->text();
        }
        return shown;
    }

    // The teacher renames somebody in their own office and saves, while the round goes on.
    void renameAsTheTeacher(int entry, const QString& name)
    {
        t.spreadsheet.files[listPath()].sheets[QStringLiteral("Sheet1")][{entry + 2, 2}] =
            CellValue::fromText(name);
    }
    QStringList orderFiles() const
    {
        return QDir(t.dataDir.path()).entryList({QStringLiteral("name-抽签顺序-*.csv")});
    }

    void expectIdle()
    {
        EXPECT_TRUE(startButton()->isEnabled());
        EXPECT_EQ(startButton()->text(), "开始");
        EXPECT_FALSE(drawButton()->isEnabled());
        EXPECT_FALSE(nextButton()->isEnabled());
        EXPECT_TRUE(quitButton()->isEnabled());
        EXPECT_TRUE(editButton()->isEnabled());
        EXPECT_FALSE(rollTimer()->isEnabled());
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
    EXPECT_EQ(numberBox()->text(), "点击“开始”按钮");
    EXPECT_EQ(nameBox()->text(), "开始抽签");
    EXPECT_EQ(totalLabel()->text(), "?");
    EXPECT_EQ(orderLabel()->text(), "1");
    EXPECT_FALSE(editSteps()->isVisible());
    EXPECT_FALSE(roundOverLabel()->isVisible());
    expectIdle();
}

TEST_F(NameListDrawTest, ARoundOfThreeDrawsEachOnceNumbersThemAndSavesTheOrder)
{
    putList(CellValue::fromNumber(3), {{"1", "张三"}, {"2", "李四"}, {"3", "王五"}});
    open();
    startButton()->click();
    EXPECT_FALSE(startButton()->isEnabled());
    EXPECT_FALSE(editButton()->isEnabled());
    EXPECT_FALSE(quitButton()->isEnabled());
    EXPECT_TRUE(drawButton()->isEnabled());
    EXPECT_TRUE(rollTimer()->isEnabled());
    EXPECT_EQ(totalLabel()->text(), "3");
    EXPECT_EQ(orderLabel()->text(), "1");
    EXPECT_TRUE(w->isListLoaded());

    // Rolling shows entries of the list.
    t.advance(500);
    EXPECT_TRUE(QStringList({"张三", "李四", "王五"}).contains(nameBox()->text()));

    QStringList order;
    for (int draw = 1; draw <= 3; ++draw) {
        if (draw > 1) {
            nextButton()->click();
            EXPECT_EQ(orderLabel()->text(), QString::number(draw));
            EXPECT_TRUE(rollTimer()->isEnabled());
            t.advance(200);
        }
        drawButton()->click();
        EXPECT_EQ(orderLabel()->text(), QString::number(draw));
        EXPECT_FALSE(rollTimer()->isEnabled());
        EXPECT_TRUE(quitButton()->isEnabled());
        EXPECT_FALSE(drawButton()->isEnabled());
        order << nameBox()->text();
        const int entry = w->lastDrawn();
        EXPECT_EQ(nameBox()->text(), QStringList({"张三", "李四", "王五"}).at(entry - 1));
        if (draw < 3) {
            EXPECT_EQ(t.spreadsheet.liveCell(entry + 2, 3), CellValue::fromNumber(draw));
            EXPECT_TRUE(nextButton()->isEnabled());
            EXPECT_EQ(t.spreadsheet.saves, 0);
        }
    }
    EXPECT_EQ(QSet<QString>(order.begin(), order.end()).size(), 3);

    // The third draw ended the round and saved the order into the file.
    EXPECT_TRUE(roundOverLabel()->isVisible());
    EXPECT_EQ(roundOverLabel()->text(), "本轮抽签结束!");
    EXPECT_EQ(startButton()->text(), "下一轮");
    EXPECT_TRUE(startButton()->isEnabled());
    EXPECT_FALSE(nextButton()->isVisible());
    EXPECT_FALSE(drawButton()->isVisible());
    EXPECT_EQ(nameBox()->text(), order.last());
    EXPECT_EQ(t.spreadsheet.saves, 1);
    EXPECT_FALSE(t.spreadsheet.isRunning());
    EXPECT_FALSE(w->isListLoaded());
    for (int i = 0; i < 3; ++i) {
        const int entry = int(QStringList({"张三", "李四", "王五"}).indexOf(order[i])) + 1;
        EXPECT_EQ(savedOrder(entry), i + 1);
    }

    // The next round starts over: every entry back in the pot, column C cleared.
    startButton()->click();
    EXPECT_EQ(w->remainingInRound(), 3);
    EXPECT_EQ(orderLabel()->text(), "1");
    for (int row = 3; row <= 5; ++row)
        EXPECT_EQ(t.spreadsheet.liveCell(row, 3).kind, CellValue::Kind::Empty);
    EXPECT_EQ(startButton()->text(), "下一轮");
    EXPECT_FALSE(roundOverLabel()->isVisible());
    EXPECT_EQ(t.dialogs.shown.size(), 0);
}

// A list whose count does not match its rows is asked about before anything is drawn: 否 leaves it
// unread and untouched, 是 draws from the rows the question names.
TEST_F(NameListDrawTest, ACountThatDoesNotMatchTheRowsIsAskedAboutFirst)
{
    putList(CellValue::fromNumber(250), people(250));
    open();
    startButton()->click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    const ScriptedDialogs::Shown& question = t.dialogs.shown[0];
    EXPECT_EQ(question.kind, ScriptedDialogs::Kind::Ask);
    EXPECT_EQ(question.title, "Vantrel工具提示：");
    EXPECT_TRUE(question.text.contains(QStringLiteral("单元格 A1 写的是 250 人，但一轮最多 200 人")));
    EXPECT_TRUE(question.text.contains(QStringLiteral("下面的 50 个姓名不参加")));
    EXPECT_TRUE(question.text.endsWith(QStringLiteral("要按这 200 人抽签吗？")));
    // No (the default): back where it was, our office ended, nothing saved.
    EXPECT_EQ(numberBox()->text(), "点击“开始”按钮");
    EXPECT_EQ(totalLabel()->text(), "?");
    EXPECT_FALSE(t.spreadsheet.isRunning());
    EXPECT_EQ(t.spreadsheet.saves, 0);
    expectIdle();

    t.dialogs.answerNext(Answer::Yes);
    startButton()->click();
    EXPECT_EQ(t.dialogs.shown.size(), 2);
    EXPECT_EQ(totalLabel()->text(), "200");
    EXPECT_EQ(w->remainingInRound(), 200);
    drawButton()->click();
    EXPECT_GE(w->lastDrawn(), 1);
    EXPECT_LE(w->lastDrawn(), 200);
    EXPECT_EQ(t.spreadsheet.liveCell(w->lastDrawn() + 2, 3), CellValue::fromNumber(1));
}

TEST_F(NameListDrawTest, ARoundNeverDrawsAnEmptyName)
{
    putList(CellValue::fromNumber(10), {{"1", "张三"}, {"2", ""}, {"3", "王五"}});
    t.dialogs.answerNext(Answer::Yes);
    open();
    startButton()->click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("第 3 到第 12 行中只有 2 个姓名")));
    EXPECT_EQ(totalLabel()->text(), "2");

    const QStringList shown = drawWholeRound();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown.contains(QStringLiteral("张三")));
    EXPECT_TRUE(shown.contains(QStringLiteral("王五")));
    EXPECT_TRUE(roundOverLabel()->isVisible());
    EXPECT_EQ(t.spreadsheet.saves, 1);
    // The orders sit in the rows of the names drawn, not in the empty row between them.
    EXPECT_EQ(savedOrder(1) + savedOrder(3), 3);
    EXPECT_EQ(savedOrder(2), 0);
}

// The user made the list read-only: the teacher may still draw from it, and the file stays as it was.
TEST_F(NameListDrawTest, AReadOnlyListIsDrawnFromOnlyWhenWantedAndNeverSaved)
{
    putList(CellValue::fromNumber(3), people(3));
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(listPath(), readOnly));
    open();
    startButton()->click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].kind, ScriptedDialogs::Kind::Ask);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("名单文件是只读的（写保护）")));
    EXPECT_TRUE(t.dialogs.shown[0].text.endsWith(QStringLiteral("仍要抽签吗？")));
    expectIdle();

    t.dialogs.answerNext(Answer::Yes);
    startButton()->click();
    EXPECT_EQ(drawWholeRound().size(), 3);
    EXPECT_TRUE(roundOverLabel()->isVisible());
    EXPECT_EQ(t.spreadsheet.saves, 0);
    EXPECT_EQ(savedOrder(1) + savedOrder(2) + savedOrder(3), 0);
    quit();
    // Asked twice, and nothing else: no save failure to report, since none was tried.
    EXPECT_EQ(t.dialogs.shown.size(), 2);
    EXPECT_EQ(QFile::permissions(listPath()) & (readOnly | QFile::WriteOwner), readOnly);
}

TEST_F(NameListDrawTest, NamesAreShownTrimmedAndStoredAsTheyAre)
{
    putList(CellValue::fromNumber(1), {{" 07 ", "  Li Lei  "}});
    open();
    startButton()->click();
    t.advance(100);
    EXPECT_EQ(nameBox()->text(), "Li Lei");
    drawButton()->click();
    EXPECT_EQ(numberBox()->text(), "07");
    EXPECT_EQ(nameBox()->text(), "Li Lei");
    EXPECT_EQ(t.spreadsheet.savedCell(listPath(), 3, 2), CellValue::fromText(QStringLiteral("  Li Lei  ")));
    EXPECT_EQ(savedOrder(1), 1);
}

TEST_F(NameListDrawTest, QuitBetweenDrawsSavesWhatWasDrawnAndReturnsToTheMainWindow)
{
    putList(CellValue::fromNumber(3), people(3));
    open();
    startButton()->click();
    drawButton()->click();
    const int first = w->lastDrawn();
    quit();

    EXPECT_EQ(t.spreadsheet.saves, 1);
    EXPECT_EQ(savedOrder(first), 1);
    EXPECT_EQ(savedOrder(first % 3 + 1), 0);
    EXPECT_FALSE(t.spreadsheet.isRunning());
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(trackingTimer()->isEnabled());
    EXPECT_EQ(numberBox()->text(), "点击“开始”按钮");
    EXPECT_EQ(totalLabel()->text(), "?");
    expectIdle();

    // Opened again, it is as Quit left it; a new Start reads the saved list afresh.
    open();
    EXPECT_EQ(nameBox()->text(), "开始抽签");
    startButton()->click();
    EXPECT_EQ(w->remainingInRound(), 3);
}

TEST_F(NameListDrawTest, StartingShowsLoadingWithoutBlockingAndQuitAbandonsIt)
{
    putList(CellValue::fromNumber(3), people(3));
    t.spreadsheet.holdStart = true;
    open();
    startButton()->click();
    EXPECT_TRUE(w->isLoading());
    EXPECT_EQ(numberBox()->text(), "程序载入中");
    EXPECT_EQ(nameBox()->text(), "请稍候...");
    EXPECT_FALSE(startButton()->isEnabled());
    EXPECT_FALSE(rollTimer()->isEnabled());
    t.advance(2000);
    EXPECT_EQ(numberBox()->text(), "程序载入中");

    t.spreadsheet.completeStart();
    EXPECT_FALSE(w->isLoading());
    EXPECT_TRUE(rollTimer()->isEnabled());
    EXPECT_TRUE(drawButton()->isEnabled());
    quitButton()->setEnabled(true); // as the launcher leaves it; Quit is how a slow start is left
    quit();

    open();
    startButton()->click();
    ASSERT_TRUE(w->isLoading());
    quit();
    EXPECT_FALSE(w->isLoading());
    EXPECT_FALSE(t.spreadsheet.isStarting());
    EXPECT_TRUE(main->isVisible());
    t.spreadsheet.completeStart(); // too late: nobody waits for it any more
    EXPECT_FALSE(rollTimer()->isEnabled());
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
        {"password",
         [&] {
             putList(CellValue::fromNumber(3), people(3));
             t.spreadsheet.openErrors[listPath()] = OfficeError::of(OfficeError::Code::PasswordProtected);
         },
         "设置了打开密码"},
        {"disk full",
         [&] { t.spreadsheet.openErrors[listPath()] = OfficeError::of(OfficeError::Code::DiskFull); },
         "请不要删除它"},
        {"office missing",
         [&] {
             t.spreadsheet.openErrors.clear();
             putList(CellValue::fromNumber(3), people(3));
             t.spreadsheet.startResult =
                 OfficeError::of(OfficeError::Code::EngineUnavailable, "soffice not found");
         },
         "soffice not found"},
        {"a folder named as the list",
         [&] {
             t.spreadsheet.startResult = {};
             QFile::remove(listPath());
             QDir(t.dataDir.path()).mkdir(QStringLiteral("name.xls"));
         },
         "名单文件的位置上是一个文件夹"},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        const qsizetype before = t.dialogs.shown.size();
        startButton()->click();
        t.advance(1000);
        ASSERT_EQ(t.dialogs.shown.size(), before + 1);
        const QString text = t.dialogs.shown.last().text;
        EXPECT_EQ(t.dialogs.shown.last().title, "Vantrel工具提示：");
        EXPECT_TRUE(text.contains(c.expected)) << text.toStdString();
        EXPECT_TRUE(text.contains(QDir::toNativeSeparators(listPath()))) << text.toStdString();
        EXPECT_EQ(numberBox()->text(), "点击“开始”按钮");
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
    startButton()->click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("正被 王老师（classroom-pc） 打开")));
    EXPECT_EQ(t.dialogs.shown[0].folder, t.program->dataFolder()) << "it offers the list's folder";
    EXPECT_EQ(t.spreadsheet.saves, 0);
    EXPECT_EQ(t.spreadsheet.starts, 0);
    expectIdle();
}

TEST_F(NameListDrawTest, EditingOpensTheUsersOfficeAndQuitLeavesItsEditsAlone)
{
    putList(CellValue::fromNumber(3), people(3));
    open();
    editButton()->click();
    EXPECT_TRUE(editSteps()->isVisible());
    EXPECT_EQ(editNotice()->text(), "稍后将自动打开LibreOffice，修改名单后请：");
    // The office's name and the steps fit their lines.
    EXPECT_LE(editNotice()->sizeHint().width(), editNotice()->width());
    for (const char* step : {"Label6", "Label7", "Label9", "Label10"}) {
        auto* line = control<QLabel>(editSteps(), step);
        EXPECT_LE(line->sizeHint().width(), line->width()) << step;
    }
    EXPECT_EQ(control<QLabel>(editSteps(), "Label9")->text(), "3.关闭LibreOffice Calc窗口");
    EXPECT_FALSE(startButton()->isEnabled());
    EXPECT_FALSE(editButton()->isEnabled());
    EXPECT_EQ(t.spreadsheet.editedFiles, QStringList{listPath()});

    // The user has not closed the workbook yet: say so, and do not close or save it for them.
    t.spreadsheet.holders[listPath()] = QStringLiteral("teacher（pc）");
    quit();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("仍被 teacher（pc） 打开")));
    EXPECT_EQ(t.spreadsheet.saves, 0);
    EXPECT_FALSE(editSteps()->isVisible());
    EXPECT_TRUE(main->isVisible());
    expectIdle();

    // Once closed there, Quit has nothing to say.
    t.spreadsheet.holders.clear();
    open();
    quit();
    EXPECT_EQ(t.dialogs.shown.size(), 1);

    // No list to edit: told so, and the window stays as it was.
    QFile::remove(listPath());
    t.spreadsheet.files.clear();
    open();
    editButton()->click();
    ASSERT_EQ(t.dialogs.shown.size(), 2);
    EXPECT_TRUE(t.dialogs.shown[1].text.contains(QStringLiteral("找不到名单文件")));
    EXPECT_FALSE(editSteps()->isVisible());
    EXPECT_TRUE(editButton()->isEnabled());
}

TEST_F(NameListDrawTest, AFailedSaveIsReportedNotTakenForSuccess)
{
    putList(CellValue::fromNumber(2), people(2));
    t.spreadsheet.saveResult = OfficeError::of(OfficeError::Code::DiskFull);
    open();
    startButton()->click();
    drawWholeRound();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("磁盘空间已满，本轮的抽签顺序没有保存")));
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("没有损坏")));
    EXPECT_EQ(savedOrder(1), 0);
    EXPECT_TRUE(roundOverLabel()->isVisible());
    EXPECT_FALSE(t.spreadsheet.isRunning());
}

TEST_F(NameListDrawTest, AnEngineThatDiesMidRoundIsReportedOnceAndTheNextStartWorks)
{
    putList(CellValue::fromNumber(3), people(3));
    open();
    startButton()->click();
    drawButton()->click();
    t.spreadsheet.crash();
    nextButton()->click();
    drawButton()->click();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("意外停止")));
    nextButton()->click();
    drawButton()->click();
    EXPECT_TRUE(roundOverLabel()->isVisible());
    EXPECT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(savedOrder(1) + savedOrder(2) + savedOrder(3), 0);

    startButton()->click();
    EXPECT_TRUE(t.spreadsheet.isRunning());
    EXPECT_TRUE(drawButton()->isEnabled());
    drawButton()->click();
    EXPECT_EQ(t.spreadsheet.liveCell(w->lastDrawn() + 2, 3), CellValue::fromNumber(1));
}

// The teacher saved the list elsewhere mid-round: leaving the draw asks, and 是 puts the order into the
// list as the teacher saved it.
TEST_F(NameListDrawTest, AListSavedElsewhereMidRoundIsAskedAboutAndYesWritesTheOrderIntoIt)
{
    putList(CellValue::fromNumber(3), people(3));
    open();
    startButton()->click();
    drawButton()->click();
    const int first = w->lastDrawn();
    renameAsTheTeacher(first == 1 ? 2 : 1, QStringLiteral("改过的名字"));

    t.dialogs.answerNext(Answer::Yes);
    quit();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].kind, ScriptedDialogs::Kind::Ask);
    EXPECT_EQ(t.dialogs.shown[0].title, "Vantrel工具提示：");
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("要把抽签顺序写入修改后的名单吗？")));
    EXPECT_EQ(savedOrder(first), 1);
    EXPECT_EQ(t.spreadsheet.savedCell(listPath(), (first == 1 ? 2 : 1) + 2, 2),
              CellValue::fromText(QStringLiteral("改过的名字")));
    EXPECT_EQ(orderFiles(), QStringList{});
    EXPECT_TRUE(main->isVisible());
}

// The question's default, 否: the list stays as the teacher saved it, the order goes beside it, and
// the teacher is told where.
TEST_F(NameListDrawTest, AListSavedElsewhereAtTheRoundsEndKeepsItsContentWhenTheOrderGoesAside)
{
    putList(CellValue::fromNumber(2), people(2));
    open();
    startButton()->click();
    drawButton()->click();
    renameAsTheTeacher(1, QStringLiteral("改过的名字"));
    const FakeSpreadsheet::Workbook theirs = t.spreadsheet.files[listPath()];
    nextButton()->click();
    drawButton()->click();

    ASSERT_TRUE(roundOverLabel()->isVisible());
    ASSERT_EQ(t.dialogs.shown.size(), 2);
    EXPECT_EQ(t.dialogs.shown[0].kind, ScriptedDialogs::Kind::Ask);
    EXPECT_EQ(t.dialogs.shown[1].kind, ScriptedDialogs::Kind::Inform);
    ASSERT_EQ(orderFiles().size(), 1);
    EXPECT_TRUE(t.dialogs.shown[1].text.contains(orderFiles()[0]));
    EXPECT_EQ(t.spreadsheet.files[listPath()], theirs);
    EXPECT_FALSE(t.spreadsheet.isRunning());
    EXPECT_TRUE(startButton()->isEnabled());
}

// Closed (or the program ends): nobody is asked, nothing is written over, and the order is kept aside.
TEST_F(NameListDrawTest, ClosingTheWindowAfterTheListWasSavedElsewhereKeepsTheOrderAsideWithoutAQuestion)
{
    putList(CellValue::fromNumber(3), people(3));
    open();
    startButton()->click();
    drawButton()->click();
    renameAsTheTeacher(1, QStringLiteral("改过的名字"));
    const FakeSpreadsheet::Workbook theirs = t.spreadsheet.files[listPath()];
    w->close();
    TestProgram::settle();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].kind, ScriptedDialogs::Kind::Inform);
    EXPECT_EQ(t.spreadsheet.files[listPath()], theirs);
    EXPECT_EQ(orderFiles().size(), 1);
    EXPECT_FALSE(t.spreadsheet.isRunning());
}

TEST_F(NameListDrawTest, ClosingTheWindowMidRoundKeepsTheDraws)
{
    putList(CellValue::fromNumber(3), people(3));
    open();
    startButton()->click();
    drawButton()->click();
    const int first = w->lastDrawn();
    w->close();
    TestProgram::settle();
    EXPECT_EQ(savedOrder(first), 1);
    EXPECT_FALSE(t.spreadsheet.isRunning());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(trackingTimer()->isEnabled());
    EXPECT_FALSE(t.program->isLoaded(WindowKind::NameListDraw));
}

} // namespace
