// Class lists other than name.xls through the real LibreOffice: an .ods, an .xlsx and a .csv list drawn
// in the window with absences and draws taken back, each step checked in our office's copy and the
// saved file checked at the round's end; the history exported and read back.
#include "CalcFiles.h"
#include "NameListRound.h"
#include "OfficeEnvironment.h"
#include "models/draw/ClassLists.h"
#include "models/draw/HistorySheet.h"
#include "models/draw/RoundSummary.h"
#include "platform/Timer.h"
#include "support/FindControl.h"
#include "support/TestProgram.h"
#include "ui/draw/NameListDraw.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QStringList kNames{QStringLiteral("张伟"), QStringLiteral("王芳"), QStringLiteral("李娜"),
                         QStringLiteral("刘洋"), QStringLiteral("陈静")};

class ClassListOfficeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(office::ensureRunning()); }

    // Makes the list in the data folder, chooses it as the teacher would, and opens the window.
    void openWith(const QString& fileName, const std::function<void(const QString&)>& make)
    {
        path = QDir(t.dataDir.path()).filePath(fileName);
        make(path);
        t.settings.setValue(QStringLiteral("nameList/classLists"), QStringLiteral("true"));
        ClassLists(t.settings).choose(path);
        t.start();
        w = t.program->window<NameListDraw>();
        w->show();
        EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral(" - ") + QFileInfo(path).completeBaseName()));
    }

    void writeWorkbook(const QString& file)
    {
        QList<std::pair<CellValue, CellValue>> entries;
        for (int i = 0; i < kNames.size(); ++i)
            entries.append({CellValue::fromNumber(i + 1), CellValue::fromText(kNames.at(i))});
        office::files().write(file, {nameSheet(CellValue::fromNumber(kNames.size()), entries)});
    }

    template <class T> T* control(const char* name) const { return ::control<T>(w, name); }

    void startRound() { name_list_round::start(t, w); }
    QString drawOne() { return name_list_round::drawOne(t, w); }

    // Column C of the person's row in our office's copy of the list, before any save.
    CellValue orderCellOf(const QString& name, const QStringList& names = kNames)
    {
        return office::engine().cell(3 + int(names.indexOf(name)), 3);
    }

    // Draws the round out: absent the second drawn, the third drawn taken back; checks each step in
    // our copy. Returns the names in their final order, and the absent one.
    std::pair<QStringList, QString> drawWithCorrections(const QStringList& names = kNames)
    {
        QStringList order;
        order << drawOne();
        const QString absent = drawOne();
        EXPECT_EQ(orderCellOf(absent, names), CellValue::fromNumber(2));
        EXPECT_TRUE(control<QPushButton>("Absent")->isEnabled());
        control<QPushButton>("Absent")->click();
        EXPECT_EQ(orderCellOf(absent, names).kind, CellValue::Kind::Empty)
            << "absent: the order cell is empty";
        EXPECT_EQ(w->absentInRound().size(), 1u);

        const QString undone = drawOne();
        EXPECT_EQ(orderCellOf(undone, names), CellValue::fromNumber(2)) << "the absent one's place";
        control<QPushButton>("UndoDraw")->click();
        EXPECT_EQ(orderCellOf(undone, names).kind, CellValue::Kind::Empty) << "written back as it was";
        EXPECT_EQ(w->remainingInRound(), names.size() - 2);

        while (!control<QLabel>("Label8")->isVisible() && order.size() < names.size())
            order << drawOne();
        EXPECT_TRUE(order.contains(undone)) << "the undone draw went back into the pot";
        EXPECT_FALSE(order.contains(absent));
        EXPECT_EQ(order.size(), names.size() - 1);
        return {order, absent};
    }

    void expectHistory(const QStringList& order, const QString& absent)
    {
        const QList<RoundRecord> rounds = t.drawHistory.rounds(QFileInfo(path).absoluteFilePath());
        ASSERT_EQ(rounds.size(), 1);
        const RoundSummary summary = summarise(rounds.first());
        QStringList kept;
        for (const namelist::Person& person : summary.order)
            kept << person.name.trimmed();
        EXPECT_EQ(kept, order);
        ASSERT_EQ(summary.absent.size(), 1);
        EXPECT_EQ(summary.absent.first().name, absent);
        EXPECT_EQ(summary.undone.size(), 1);
    }

    TestProgram t{&office::engine()};
    NameListDraw* w = nullptr;
    QString path;
};

TEST_F(ClassListOfficeTest, AnOdsListKeepsTheOrderWithTheAbsentLeftEmpty)
{
    openWith(QStringLiteral("三年二班.ods"), [&](const QString& file) { writeWorkbook(file); });
    startRound();
    const auto [order, absent] = drawWithCorrections();
    EXPECT_FALSE(office::engine().isRunning()) << "the round's end saves the list";

    const CalcFiles::Cells back = office::files().read(path, 8)[0].cells;
    for (int i = 0; i < kNames.size(); ++i) {
        const CellValue cell = back.value({3 + i, 3});
        const CellValue expected = kNames.at(i) == absent
                                       ? CellValue::empty()
                                       : CellValue::fromNumber(order.indexOf(kNames.at(i)) + 1);
        EXPECT_EQ(cell, expected) << i;
    }
    EXPECT_EQ(back.value({1, 1}), CellValue::fromNumber(5));
    expectHistory(order, absent);
}

TEST_F(ClassListOfficeTest, ACsvListStaysCsvAndItsFormulaLikeNamesStayText)
{
    const QStringList names{QStringLiteral("=1+1"), QStringLiteral("Li, Na"), QStringLiteral("Bo \"B\""),
                            QStringLiteral("陈静")};
    openWith(QStringLiteral("社团.csv"), [&](const QString& file) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(
            "4,,\n编号,姓名,抽签顺序\n\"007\",\"=1+1\",\n2,\"Li, Na\",\n3,\"Bo \"\"B\"\"\",\n4,陈静,\n");
    });
    startRound();
    EXPECT_EQ(control<QLabel>("Label3")->text(), "4");
    EXPECT_EQ(orderCellOf(QStringLiteral("=1+1"), names).kind, CellValue::Kind::Empty);
    EXPECT_EQ(office::engine().cell(3, 2), CellValue::fromText(QStringLiteral("=1+1"))) << "text, not 2";
    const auto [order, absent] = drawWithCorrections(names);

    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(saved.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("=1+1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\"Li, Na\""))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("007"))) << "the number keeps its zeros";
    // Each row ends with its order; the absent one's order is empty.
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 + names.size()) << text.toStdString();
    for (int i = 0; i < names.size(); ++i) {
        const QString inFile = lines.at(2 + i).trimmed().section(QLatin1Char(','), -1);
        EXPECT_EQ(inFile, names.at(i) == absent ? QString() : QString::number(order.indexOf(names.at(i)) + 1))
            << lines.at(2 + i).toStdString();
    }
    expectHistory(order, absent);
}

TEST_F(ClassListOfficeTest, AnXlsxListsHistoryIsExportedAndReadsBack)
{
    openWith(QStringLiteral("英语课.xlsx"), [&](const QString& file) { writeWorkbook(file); });
    startRound();
    const auto [order, absent] = drawWithCorrections();
    const CalcFiles::Cells back = office::files().read(path, 8)[0].cells;
    for (int i = 0; i < kNames.size(); ++i) {
        if (kNames.at(i) != absent) {
            EXPECT_EQ(back.value({3 + i, 3}), CellValue::fromNumber(order.indexOf(kNames.at(i)) + 1)) << i;
        }
    }

    const QList<QStringList> expected = historysheet::rows(
        QStringLiteral("英语课"), t.drawHistory.rounds(QFileInfo(path).absoluteFilePath()));
    ASSERT_EQ(expected.size(), 1 + 4 + 1 + 1);
    const QString ods = QDir(t.dataDir.path()).filePath(QStringLiteral("记录.ods"));
    const QString csv = QDir(t.dataDir.path()).filePath(QStringLiteral("记录.csv"));
    t.dialogs.filesToChoose = {ods, csv};
    control<QPushButton>("DrawHistory")->click();
    QWidget* view = ::control<QWidget>(w, "DrawHistoryView");
    ASSERT_TRUE(view->isVisible());
    ::control<QPushButton>(view, "HistoryExport")->click();
    ASSERT_TRUE(office::waitFor([&] { return QFile::exists(ods) && !office::engine().isRunning(); }));
    ::control<QPushButton>(view, "HistoryExport")->click();

    const QList<CalcFiles::Sheet> read = office::files().read(ods, 8);
    ASSERT_EQ(read.size(), 1);
    for (int r = 0; r < expected.size(); ++r) {
        for (int c = 0; c < expected.at(r).size(); ++c)
            EXPECT_EQ(cellText(read[0].cells.value({r + 1, c + 1})), expected.at(r).at(c)) << r << "," << c;
    }
    QFile exported(csv);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll(), historysheet::csv(expected));
    // Read back as our office reads a CSV list: every cell as it was written, the names as text.
    ASSERT_FALSE(office::ensureRunning());
    ASSERT_FALSE(office::engine().open(csv, QStringLiteral("sheet1")));
    for (int r = 0; r < expected.size(); ++r) {
        for (int c = 0; c < expected.at(r).size(); ++c)
            EXPECT_EQ(cellText(office::engine().cell(r + 1, c + 1)), expected.at(r).at(c)) << r << "," << c;
    }
    office::engine().quit();
}

} // namespace
