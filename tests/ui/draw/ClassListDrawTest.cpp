// The class lists of the name-list draw on virtual time with the in-memory spreadsheet: off, the
// window is as it always was; on, the list is chosen, corrected and kept in the history.
#include "models/draw/ClassLists.h"
#include "models/draw/HistorySheet.h"
#include "models/draw/RoundSummary.h"
#include "platform/Timer.h"
#include "support/FindControl.h"
#include "support/TestFiles.h"
#include "support/TestProgram.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/draw/NameListDraw.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

class ClassListDrawTest : public ::testing::Test {
protected:
    QString inData(const QString& name) const { return QDir(t.dataDir.path()).filePath(name); }

    void putList(const QString& path, int count)
    {
        testfiles::write(path, "list");
        QList<std::pair<QString, QString>> entries;
        for (int i = 1; i <= count; ++i)
            entries << std::pair{QString::number(i),
                                 QStringLiteral("%1-学生%2").arg(QFileInfo(path).baseName()).arg(i)};
        t.spreadsheet.putWorkbook(path, FakeSpreadsheet::nameList(CellValue::fromNumber(count), entries));
    }

    NameListDraw& open(bool classLists)
    {
        if (classLists)
            t.settings.setValue(QStringLiteral("nameList/classLists"), QStringLiteral("true"));
        MainWindow& main = t.start();
        control<QPushButton>(&main, "Command5")->click();
        control<QPushButton>(t.program->loaded<DrawLauncher>(), "Command10")->click();
        w = t.program->loaded<NameListDraw>();
        return *w;
    }

    template <class T> T* find(const char* name) const { return control<T>(w, name); }

    void startRound() { find<QPushButton>("Command1")->click(); }
    QString drawOne()
    {
        if (find<QPushButton>("CommandZb")->isEnabled())
            find<QPushButton>("CommandZb")->click();
        t.advance(120);
        find<QPushButton>("CommandQq")->click();
        return find<QLineEdit>("Text2")->text();
    }
    // Column C of the row of that name in the open workbook, before the round's save.
    CellValue orderCell(const QString& path, const QString& name)
    {
        for (int row = 3; row < 60; ++row) {
            if (cellText(t.spreadsheet.cell(row, 2)) == name)
                return t.spreadsheet.cell(row, 3);
        }
        ADD_FAILURE() << "no row for " << name.toStdString() << " in " << path.toStdString();
        return {};
    }
    void chooseInMenu(const QString& text)
    {
        auto* menu = find<QMenu>("ListMenu");
        emit menu->aboutToShow();
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no menu entry " << text.toStdString();
    }

    TestProgram t;
    NameListDraw* w = nullptr;
};

} // namespace

TEST_F(ClassListDrawTest, OffTheWindowIsAsItWasAndNothingIsKept)
{
    putList(inData(QStringLiteral("name.xls")), 3);
    t.settings.setValue(QStringLiteral("nameList/current"), inData(QStringLiteral("other.xls")));
    open(false);
    EXPECT_EQ(w->windowTitle(), "Vantrel工具 - 按名单随机抽签");
    EXPECT_FALSE(find<QWidget>("ClassListRow")->isVisible());
    EXPECT_NEAR(w->heightTwips(), NameListDraw::kClientHeight, 60);
    EXPECT_EQ(w->listFile(), inData(QStringLiteral("name.xls")))
        << "a list chosen earlier is not taken while off";
    startRound();
    drawOne();
    drawOne();
    EXPECT_TRUE(t.drawHistory.rounds(inData(QStringLiteral("name.xls"))).isEmpty());
}

TEST_F(ClassListDrawTest, AListChosenInTheDialogIsDrawnNamedInTheTitleAndOfferedAgain)
{
    putList(inData(QStringLiteral("name.xls")), 3);
    const QString other = inData(QStringLiteral("三年二班.ods"));
    putList(other, 4);
    open(true);
    EXPECT_TRUE(find<QWidget>("ClassListRow")->isVisible());
    EXPECT_GT(w->heightTwips(), NameListDraw::kClientHeight + 300);
    EXPECT_EQ(w->windowTitle(), "Vantrel工具 - 按名单随机抽签") << "the folder's list keeps the title";

    t.dialogs.filesToChoose = {other};
    chooseInMenu(QStringLiteral("其他名单…"));
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].kind, ScriptedDialogs::Kind::ChooseFile);
    EXPECT_TRUE(t.dialogs.shown[0].folder.contains(QStringLiteral("*.csv")));
    EXPECT_EQ(w->windowTitle(), "Vantrel工具 - 按名单随机抽签 - 三年二班");
    EXPECT_EQ(ClassLists(t.settings).recent(), QStringList{other});

    startRound();
    EXPECT_EQ(find<QLabel>("Label3")->text(), "4");
    EXPECT_TRUE(drawOne().startsWith(QStringLiteral("三年二班-")));
    EXPECT_FALSE(find<QPushButton>("ChooseList")->isEnabled()) << "not while a round holds the list";

    // Back to the folder's list from the menu, once the round is left.
    find<QPushButton>("CommandQuit")->click();
    t.advance(0);
    chooseInMenu(QStringLiteral("默认名单（name.xls）"));
    EXPECT_EQ(w->windowTitle(), "Vantrel工具 - 按名单随机抽签");
    EXPECT_EQ(w->listFile(), inData(QStringLiteral("name.xls")));
    chooseInMenu(QDir::toNativeSeparators(other));
    EXPECT_EQ(w->listFile(), other);
}

TEST_F(ClassListDrawTest, AbsentAndUndoCorrectTheRoundTheListAndTheHistory)
{
    const QString list = inData(QStringLiteral("name.xls"));
    putList(list, 4);
    open(true);
    startRound();
    EXPECT_FALSE(find<QPushButton>("Absent")->isEnabled()) << "nothing drawn yet";
    EXPECT_FALSE(find<QPushButton>("UndoDraw")->isEnabled());
    const QString first = drawOne();
    const QString absent = drawOne();
    EXPECT_EQ(orderCell(list, absent), CellValue::fromNumber(2));
    ASSERT_TRUE(find<QPushButton>("Absent")->isEnabled());
    find<QPushButton>("Absent")->click();
    EXPECT_EQ(orderCell(list, absent).kind, CellValue::Kind::Empty);
    EXPECT_EQ(find<QLabel>("Label5")->text(), "2") << "the next draw takes the absent one's place";
    EXPECT_TRUE(find<QPushButton>("CommandQq")->isEnabled()) << "the draw goes on at once";
    EXPECT_FALSE(find<QPushButton>("Absent")->isEnabled());

    const QString mistaken = drawOne();
    EXPECT_NE(mistaken, absent);
    find<QPushButton>("UndoDraw")->click();
    EXPECT_EQ(orderCell(list, mistaken).kind, CellValue::Kind::Empty);
    EXPECT_EQ(w->remainingInRound(), 2);

    QStringList rest;
    for (int guard = 0; guard < 10 && !find<QLabel>("Label8")->isVisible(); ++guard)
        rest << drawOne();
    EXPECT_EQ(rest.size(), 2);
    EXPECT_TRUE(rest.contains(mistaken));
    EXPECT_FALSE(find<QPushButton>("Absent")->isEnabled()) << "the round is over and saved";
    EXPECT_FALSE(find<QPushButton>("UndoDraw")->isEnabled());
    // Entry n ("name-学生n") is on row n + 2.
    const auto savedOrder = [&](const QString& name) {
        return t.spreadsheet.savedCell(list, name.section(QStringLiteral("学生"), 1).toInt() + 2, 3);
    };
    EXPECT_EQ(savedOrder(absent).kind, CellValue::Kind::Empty);
    EXPECT_EQ(savedOrder(first), CellValue::fromNumber(1));
    EXPECT_EQ(savedOrder(rest.at(0)), CellValue::fromNumber(2));
    EXPECT_EQ(savedOrder(rest.at(1)), CellValue::fromNumber(3));

    const QList<RoundRecord> rounds = t.drawHistory.rounds(list);
    ASSERT_EQ(rounds.size(), 1);
    const RoundSummary summary = summarise(rounds.first());
    ASSERT_EQ(summary.order.size(), 3);
    EXPECT_EQ(summary.order.first().name, first);
    EXPECT_EQ(summary.absent.size(), 1);
    EXPECT_EQ(summary.undone.size(), 1);
    EXPECT_EQ(summary.undone.first().name, mistaken);
}

TEST_F(ClassListDrawTest, TheHistoryShowsTheNewestRoundFirstAndExportsCsv)
{
    const QString list = inData(QStringLiteral("name.xls"));
    putList(list, 2);
    open(true);
    QStringList rounds;
    for (int round = 0; round < 2; ++round) {
        startRound();
        const QString first = drawOne();
        rounds << first + QLatin1Char('|') + drawOne();
        t.advance(61000);
    }
    find<QPushButton>("DrawHistory")->click();
    auto* view = control<QWidget>(w, "DrawHistoryView");
    ASSERT_TRUE(view->isVisible());
    const QString text = control<QPlainTextEdit>(view, "HistoryRounds")->toPlainText();
    EXPECT_EQ(text.count(QStringLiteral("1. ")), 2);

    const QString exported = inData(QStringLiteral("记录.csv"));
    t.dialogs.filesToChoose = {exported};
    control<QPushButton>(view, "HistoryExport")->click();
    const QList<QStringList> expected =
        historysheet::rows(QStringLiteral("name"), t.drawHistory.rounds(list));
    EXPECT_EQ(testfiles::read(exported), historysheet::csv(expected));
    ASSERT_EQ(expected.size(), 5);
    // The newest round first, in the view and in the file.
    EXPECT_EQ(expected.at(1).at(5), rounds.at(1).section(QLatin1Char('|'), 0, 0));
    EXPECT_TRUE(t.dialogs.shown.last().text.contains(QStringLiteral("记录.csv")));
}

TEST_F(ClassListDrawTest, TheFairDrawFavoursWhoeverWasDrawnLessAndShowsTheWeights)
{
    const QString list = inData(QStringLiteral("name.xls"));
    putList(list, 3);
    // Six earlier lessons drew the first two and never the third.
    for (int lesson = 0; lesson < 6; ++lesson) {
        const qint64 round =
            t.drawHistory.beginRound(list, QDateTime(QDate(2026, 3, 2 + lesson), QTime(8, 0)));
        for (int i = 1; i <= 2; ++i)
            t.drawHistory.record(
                round,
                {DrawEvent::Kind::Drawn, i, QString::number(i), QStringLiteral("name-学生%1").arg(i), {}});
    }
    t.settings.setValue(QStringLiteral("nameList/fairDraw"), QStringLiteral("true"));
    open(true);
    // Each draw taken back: the history's counts, and so the weights, stay as they were.
    startRound();
    int third = 0;
    for (int draw = 0; draw < 20; ++draw) {
        third += drawOne() == QStringLiteral("name-学生3");
        find<QPushButton>("UndoDraw")->click();
    }
    // The last is kept: one draw for the third student now.
    const bool lastIsThird = drawOne() == QStringLiteral("name-学生3");
    third += lastIsThird;
    find<QPushButton>("CommandQuit")->click();
    t.advance(0);
    control<QPushButton>(t.program->loaded<MainWindow>(), "Command5")->click();
    control<QPushButton>(t.program->loaded<DrawLauncher>(), "Command10")->click();
    EXPECT_GE(third, 20) << "weighs 4^6 against 1 and 1";

    find<QPushButton>("DrawHistory")->click();
    auto* view = control<QWidget>(w, "DrawHistoryView");
    auto* weights = control<QTableWidget>(view, "HistoryWeights");
    ASSERT_EQ(weights->rowCount(), 3);
    EXPECT_EQ(weights->item(2, 0)->text(), "3 name-学生3");
    // Five draws behind the most drawn (six, in the rare case the last draw went elsewhere).
    EXPECT_EQ(weights->item(2, 2)->text(), lastIsThird ? "1024" : "4096");
    EXPECT_EQ(weights->item(0, 2)->text(), "1");
    auto* fair = control<QCheckBox>(view, "FairDraw");
    EXPECT_TRUE(fair->isChecked());
    fair->click();
    EXPECT_EQ(t.settings.value(QStringLiteral("nameList/fairDraw")), "false");
    EXPECT_EQ(weights->item(2, 2)->text(), "1") << "off: everyone weighs the same";
}
