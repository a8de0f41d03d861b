// The name-list draw through the real LibreOffice: the shipped sample list, drawn through a whole
// round in the window, saved, and read back by LibreOffice.
#include "CalcFiles.h"
#include "NameListRound.h"
#include "OfficeEnvironment.h"
#include "platform/DocumentLockPath.h"
#include "platform/Timer.h"
#include "platform/office/OfficeProcess.h"
#include "support/FindControl.h"
#include "support/TestProgram.h"
#include "ui/draw/NameListDraw.h"
#include "ui/main/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class NameListDrawOfficeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(office::ensureRunning());
        path = QDir(t.dataDir.path()).filePath(QStringLiteral("name.xls"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(VANTREL_SAMPLE_DIR "/name.xls"), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        original = office::files().read(path, 45);
        main = &t.start();
        w = t.program->window<NameListDraw>();
        w->show();
        control<QPushButton>("CommandQuit")->setEnabled(true);
    }

    // The window's controls, by the names the accessibility tree knows them by.
    template <class T> T* control(const char* name) const { return ::control<T>(w, name); }

    void startRound() { name_list_round::start(t, w); }
    void drawOne() { name_list_round::drawOne(t, w); }

    // The teacher, in their own office, puts a newcomer at the top of the list and saves: everybody
    // moves down a row. Saved as an office saves, a new file put in the list's place.
    QList<CalcFiles::Sheet> saveAsTheTeacher()
    {
        CalcFiles::Sheet edited = original[0];
        edited.cells.clear();
        for (auto it = original[0].cells.begin(); it != original[0].cells.end(); ++it) {
            const auto [row, column] = it.key();
            edited.cells[{row >= 3 ? row + 1 : row, column}] = it.value();
        }
        edited.cells[{1, 1}] = CellValue::fromNumber(41);
        edited.cells[{3, 1}] = CellValue::fromNumber(0);
        edited.cells[{3, 2}] = CellValue::fromText(QStringLiteral("新同学"));
        const QString written = QDir(t.dataDir.path()).filePath(QStringLiteral("teacher.xls"));
        office::files().write(written, {edited});
        EXPECT_EQ(std::rename(QFile::encodeName(written).constData(), QFile::encodeName(path).constData()),
                  0);
        return {edited};
    }

    // Draws a few and returns the names drawn, in draw order.
    QStringList drawSome(int draws)
    {
        QStringList names;
        for (int i = 0; i < draws; ++i) {
            drawOne();
            names << control<QLineEdit>("Text2")->text();
        }
        return names;
    }

    TestProgram t{&office::engine()};
    MainWindow* main = nullptr;
    NameListDraw* w = nullptr;
    QString path;
    QList<CalcFiles::Sheet> original;
};

TEST_F(NameListDrawOfficeTest, ASampleRoundIsWrittenIntoTheWorkbook)
{
    ASSERT_EQ(original.size(), 1);
    EXPECT_EQ(original[0].name, "sheet1");
    EXPECT_EQ(original[0].cells.value({1, 1}), CellValue::fromNumber(40));

    startRound();
    EXPECT_EQ(control<QLabel>("Label3")->text(), "40");
    QStringList shown;
    while (!control<QLabel>("Label8")->isVisible() && shown.size() < 45) {
        drawOne();
        shown << control<QLineEdit>("Text2")->text();
    }
    EXPECT_EQ(shown.size(), 40);
    EXPECT_TRUE(shown.contains(QStringLiteral("Mia Novak")));
    EXPECT_EQ(t.dialogs.shown.size(), 0);
    EXPECT_FALSE(office::engine().isRunning());
    // The teacher may open the list in their own office at once: nothing of ours holds it.
    EXPECT_FALSE(QFileInfo::exists(officeLockPath(path)));

    const QList<CalcFiles::Sheet> back = office::files().read(path, 45);
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(back[0].name, "sheet1");
    QSet<int> orders;
    for (auto it = back[0].cells.begin(); it != back[0].cells.end(); ++it) {
        const auto [row, column] = it.key();
        if (column == 3 && row >= 3) {
            ASSERT_EQ(it.value().kind, CellValue::Kind::Number);
            orders.insert(int(it.value().number));
            // The row drawn k-th holds the name shown at the k-th draw.
            EXPECT_EQ(cellText(back[0].cells.value({row, 2})).trimmed(),
                      shown.value(int(it.value().number) - 1));
        } else {
            EXPECT_EQ(it.value(), original[0].cells.value(it.key())) << row << "," << column;
        }
    }
    EXPECT_EQ(orders.size(), 40);
    EXPECT_EQ(*std::min_element(orders.begin(), orders.end()), 1);
    EXPECT_EQ(*std::max_element(orders.begin(), orders.end()), 40);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(8) == QByteArray::fromHex("d0cf11e0a1b11ae1"));
    EXPECT_EQ(file.permissions() & (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther),
              QFile::ReadOwner | QFile::WriteOwner);
}

// The teacher saves the list in their own office during a round (the "Open" past the lock
// warning). Leaving the draw does not write over that save; asked, the teacher has the order written
// into the list as it now is, each person found where the edit moved them.
TEST_F(NameListDrawOfficeTest, TheTeachersSaveDuringARoundIsKeptAndTheOrderFindsEachPersonAgain)
{
    startRound();
    const QStringList drawn = drawSome(3);
    const QList<CalcFiles::Sheet> theirs = saveAsTheTeacher();

    t.dialogs.answerNext(Answer::Yes);
    control<QPushButton>("CommandQuit")->click();
    t.advance(0); // the save follows once "please wait" is drawn
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].kind, ScriptedDialogs::Kind::Ask);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("名单文件在本轮抽签期间被修改并保存过")));
    EXPECT_FALSE(office::engine().isRunning());

    const CalcFiles::Cells back = office::files().read(path, 46)[0].cells;
    for (auto it = back.begin(); it != back.end(); ++it) {
        const auto [row, column] = it.key();
        if (column != 3 || row < 3) {
            EXPECT_EQ(it.value(), theirs[0].cells.value(it.key())) << row << "," << column;
            continue;
        }
        // The row drawn k-th, wherever the teacher's edit put it, holds k.
        ASSERT_EQ(it.value().kind, CellValue::Kind::Number) << row;
        EXPECT_EQ(cellText(back.value({row, 2})).trimmed(), drawn.value(int(it.value().number) - 1)) << row;
    }
    int orders = 0;
    for (auto it = back.begin(); it != back.end(); ++it)
        orders += it.key().second == 3 && it.key().first >= 3;
    EXPECT_EQ(orders, 3);
    EXPECT_EQ(back.value({3, 2}), CellValue::fromText(QStringLiteral("新同学")));
    EXPECT_EQ(QDir(t.dataDir.path()).entryList({QStringLiteral("*.csv")}), QStringList{});
}

// Answered No, the list stays byte for byte as the teacher saved it, and the order is kept beside it.
TEST_F(NameListDrawOfficeTest, TheTeachersSaveDuringARoundStaysAsSavedWhenTheOrderIsKeptAside)
{
    startRound();
    const QStringList drawn = drawSome(2);
    saveAsTheTeacher();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray theirs = saved.readAll();
    saved.close();

    t.dialogs.answerNext(Answer::No);
    control<QPushButton>("CommandQuit")->click();
    t.advance(0); // the save follows once "please wait" is drawn
    ASSERT_EQ(t.dialogs.shown.size(), 2);
    EXPECT_EQ(t.dialogs.shown[1].kind, ScriptedDialogs::Kind::Inform);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), theirs);

    const QStringList kept = QDir(t.dataDir.path()).entryList({QStringLiteral("name-抽签顺序-*.csv")});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[1].text.contains(kept[0]));
    QFile order(QDir(t.dataDir.path()).filePath(kept[0]));
    ASSERT_TRUE(order.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(order.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    // 顺序,编号,姓名; a name with spaces around it (one of the sample's) is quoted.
    auto nameIn = [](const QString& line) {
        QString name = line.section(QLatin1Char(','), 2);
        if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
            name = name.mid(1, name.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
        return name.trimmed();
    };
    for (int k = 1; k <= 2; ++k) {
        EXPECT_TRUE(lines[k].startsWith(QString::number(k) + QLatin1Char(','))) << lines[k].toStdString();
        EXPECT_EQ(nameIn(lines[k]), drawn[k - 1].trimmed());
    }
}

// The teacher's office saved the list as .xlsx or .ods and it was named name.xls: it is drawn from,
// and the order is written back in the format it is in.
class DisguisedListDrawTest : public NameListDrawOfficeTest,
                              public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(DisguisedListDrawTest, IsDrawnThroughARoundAndStaysInItsFormat)
{
    const auto [format, filter] = GetParam();
    const QString made = QDir(t.dataDir.path()).filePath(QStringLiteral("made.") + QLatin1String(format));
    office::files().write(made, original);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(std::rename(QFile::encodeName(made).constData(), QFile::encodeName(path).constData()), 0);

    startRound();
    EXPECT_EQ(control<QLabel>("Label3")->text(), "40");
    for (int guard = 0; guard < 45 && !control<QLabel>("Label8")->isVisible(); ++guard)
        drawOne();
    EXPECT_TRUE(control<QLabel>("Label8")->isVisible());
    EXPECT_EQ(t.dialogs.shown.size(), 0);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(2) == "PK") << "no longer in its own format";
    const CalcFiles::Cells back = office::files().read(path, 45, QLatin1String(filter))[0].cells;
    QSet<int> orders;
    for (int row = 3; row < 43; ++row)
        orders.insert(int(back.value({row, 3}).number));
    EXPECT_EQ(orders.size(), 40);
    EXPECT_FALSE(orders.contains(0));
}

INSTANTIATE_TEST_SUITE_P(Formats, DisguisedListDrawTest,
                         ::testing::Values(std::pair{"xlsx", "Calc MS Excel 2007 XML"},
                                           std::pair{"ods", "calc8"}),
                         [](const auto& format) { return std::string(format.param.first); });

TEST_F(NameListDrawOfficeTest, AKilledOfficeMidRoundLeavesTheListReadableAndTheNextStartWorks)
{
    QFile sample(path);
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray before = sample.readAll();
    startRound();
    drawOne();
    drawOne();
    ::kill(-pid_t(office::engine().process()->processGroup()), SIGKILL);
    ASSERT_TRUE(office::waitFor([&] { return !office::engine().isRunning(); }, 10000));

    drawOne();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("意外停止")));
    control<QPushButton>("CommandQuit")->click();
    t.advance(0); // the save follows once "please wait" is drawn
    EXPECT_TRUE(main->isVisible());

    // The file is the sample as it was, byte for byte: nothing half-written.
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);

    w->show();
    startRound();
    drawOne();
    const int first = w->lastDrawn();
    control<QPushButton>("CommandQuit")->click();
    t.advance(0); // the save follows once "please wait" is drawn
    // The lock the killed instance left was cleared by that Start, so any office reads the list.
    const QList<CalcFiles::Sheet> back = office::files().read(path, 45);
    EXPECT_EQ(back[0].cells.value({first + 2, 3}), CellValue::fromNumber(1));
    EXPECT_EQ(t.dialogs.shown.size(), 1);
}

TEST_F(NameListDrawOfficeTest, AReadOnlyListIsDrawnFromAndLeftByteForByte)
{
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    QFile sample(path);
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray before = sample.readAll();
    sample.close();
    const QFileInfo was(path);

    t.dialogs.answerNext(Answer::Yes);
    startRound();
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(QStringLiteral("名单文件是只读的（写保护）")));
    drawOne();
    drawOne();
    control<QPushButton>("CommandQuit")->click();
    t.advance(0); // the save follows once "please wait" is drawn
    EXPECT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_FALSE(office::engine().isRunning());

    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    const QFileInfo is(path);
    EXPECT_EQ(is.permissions(), was.permissions());
    EXPECT_EQ(is.lastModified(), was.lastModified());
    EXPECT_EQ(QDir(t.dataDir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("~")),
              QStringList{});
}

} // namespace
