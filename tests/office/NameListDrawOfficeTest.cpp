// The name-list draw through the real LibreOffice: the shipped sample list, drawn through a whole
// round in the window, saved, and read back by LibreOffice.
#include "CalcFiles.h"
#include "OfficeEnvironment.h"
#include "platform/Timer.h"
#include "platform/office/OfficeProcess.h"
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
    template <class T> T* control(const char* name) const
    {
        T* found = w->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            throw std::runtime_error(std::string("no control ") + name);
        return found;
    }

    void startRound()
    {
        control<QPushButton>("Command1")->click();
        ASSERT_TRUE(office::waitFor([&] { return !w->isLoading(); }));
        ASSERT_TRUE(control<Timer>("Timer1")->isEnabled())
            << (t.dialogs.shown.isEmpty() ? std::string("no message")
                                          : t.dialogs.shown.last().text.toStdString());
    }

    void drawOne()
    {
        if (control<QPushButton>("CommandZb")->isEnabled())
            control<QPushButton>("CommandZb")->click();
        t.advance(100);
        control<QPushButton>("CommandQq")->click();
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
