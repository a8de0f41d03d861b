// The office kept warm around the name-list draw, on the real LibreOffice: the window goes on ticking
// while the office starts and the list loads, a draw pressed meanwhile gets that load, and whatever
// ends the warm-up during a load leaves no office of ours running and no lock on the list.
#include "CalcFiles.h"
#include "OfficeEnvironment.h"
#include "ProcessTraces.h"
#include "models/draw/NameList.h"
#include "platform/office/OfficeLock.h"
#include "platform/office/OfficeProcess.h"
#include "platform/office/WarmSpreadsheet.h"
#include "support/StallWatch.h"
#include "support/VirtualTimerDriver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <optional>

namespace {

const QString kSheet = QStringLiteral("sheet1");

// Our own instance, cold, kept warm the way the program keeps it.
struct WarmOffice {
    LibreOfficeSpreadsheet engine;
    VirtualTimerDriver timers;
    WarmSpreadsheet warm{engine, timers};
};

class WarmOfficeTest : public ::testing::Test {
protected:
    // A class list of 200 with a big record of marks beside it (columns D on): a list that takes the
    // office a good while to load.
    static void SetUpTestSuite()
    {
        made = new QTemporaryDir;
        const QString csv = made->filePath(QStringLiteral("list.csv"));
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QByteArray text = "200\n编号,姓名\n";
        for (int row = 3; row <= kRows; ++row) {
            QByteArray line =
                row < 203 ? QByteArray::number(row - 2) + ",学生" + QByteArray::number(row - 2) : ",";
            for (int column = 0; column < kMarkColumns; ++column)
                line += ",甲" + QByteArray::number((row * 37 + column * 11) % 1000);
            text += line + "\n";
        }
        file.write(text);
        file.close();
        bigList = made->filePath(QStringLiteral("name.xls"));
        office::files().writeFromCsv(bigList, csv, kSheet);
    }
    static void TearDownTestSuite() { delete made; }

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        path = folder.filePath(QStringLiteral("name.xls"));
        ASSERT_TRUE(QFile::copy(bigList, path));
    }

    static constexpr int kRows = 4000;
    static constexpr int kMarkColumns = 20;
    static inline QTemporaryDir* made = nullptr;
    static inline QString bigList;

    // Prepares the list and waits until the instance is up and the list is loading.
    void prepareUntilLoading(WarmOffice& office)
    {
        office.warm.prepare(path, kSheet);
        ASSERT_TRUE(
            office::waitFor([&] { return office.warm.isOpeningAhead() || office.warm.hasParkedWorkbook(); }));
        ASSERT_TRUE(office.warm.isOpeningAhead()) << "the list landed before the test could see it load";
        pipe = office.engine.process()->pipeName();
    }

    bool officeGone() const
    {
        return office::waitFor([&] { return traces::processesWith({pipe}).isEmpty(); }, 10000);
    }
    bool listLocked() const { return QFile::exists(officeLockPath(path)); }

    // Reads the list as the draw does on 开始; the problem's text, empty when it was read.
    static std::optional<QString> drawReads(NameList& list)
    {
        std::optional<QString> problem;
        list.open([&](const NameList::Problem& found) { problem = found.text; });
        if (!office::waitFor([&] { return problem.has_value(); }))
            return std::nullopt;
        return problem;
    }

    QTemporaryDir folder;
    QString path;
    QString pipe;
};

TEST_F(WarmOfficeTest, WindowGoesOnTickingWhileTheOfficeStartsAndTheListLoads)
{
    WarmOffice office;
    StallWatch watch(100);
    prepareUntilLoading(office);
    QElapsedTimer loading;
    loading.start();
    ASSERT_TRUE(office::waitFor([&] { return office.warm.hasParkedWorkbook(); }));
    const qint64 loadMs = loading.elapsed();
    std::cout << "longest stand-still " << watch.longestMs() << " ms, load " << loadMs << " ms\n";
    EXPECT_LE(watch.longestMs(), 300) << "the window stood still for " << watch.longestMs() << " ms";
    // A load on the window's own thread would stop it for about this long.
    EXPECT_GE(loadMs, 300) << "the list loaded too quickly to tell a window that waits from one that goes on";
    office.warm.end();
    EXPECT_TRUE(officeGone());
}

TEST_F(WarmOfficeTest, DrawPressedWhileTheListLoadsReadsThatLoad)
{
    WarmOffice office;
    prepareUntilLoading(office);
    // Our own instance's lock on the list is no reason to refuse it.
    NameList list(&office.warm, folder.path());
    const std::optional<QString> problem = drawReads(list);
    ASSERT_TRUE(problem.has_value());
    ASSERT_EQ(*problem, QString());
    EXPECT_GT(list.count(), 0);
    EXPECT_TRUE(list.isOpen());

    EXPECT_FALSE(list.saveAndEnd());
    EXPECT_FALSE(listLocked());
    office.warm.end();
    EXPECT_TRUE(officeGone());
}

TEST_F(WarmOfficeTest, ListEditedAfterItWasOpenedAheadIsReadAfresh)
{
    WarmOffice office;
    office.warm.prepare(path, kSheet);
    ASSERT_TRUE(office::waitFor([&] { return office.warm.hasParkedWorkbook(); }));
    pipe = office.engine.process()->pipeName();

    // The teacher replaces the list with one of a single, new name.
    const QString edited = folder.filePath(QStringLiteral("edited.xls"));
    office::files().write(
        edited, {nameSheet(CellValue::fromNumber(1),
                           {{CellValue::fromNumber(1), CellValue::fromText(QStringLiteral("新同学"))}})});
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(edited, path));

    NameList list(&office.warm, folder.path());
    ASSERT_EQ(drawReads(list), QString());
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.entry(1).name, QStringLiteral("新同学"));
    list.close();
    office.warm.end();
    EXPECT_TRUE(officeGone());
    EXPECT_FALSE(listLocked());
}

TEST_F(WarmOfficeTest, DrawClosingWhileTheListLoadsLeavesItUnlockedAndTheInstanceWarm)
{
    WarmOffice office;
    prepareUntilLoading(office);
    QElapsedTimer quitting;
    quitting.start();
    office.warm.quit();
    EXPECT_LT(quitting.elapsed(), 100);
    ASSERT_TRUE(office::waitFor([&] { return !office.warm.isOpeningAhead(); }));
    EXPECT_FALSE(office.engine.hasWorkbook());
    EXPECT_FALSE(listLocked());
    EXPECT_TRUE(office.warm.isRunning());
    EXPECT_TRUE(office.warm.isWaitingToEnd());
    office.warm.end();
    EXPECT_TRUE(officeGone());
}

TEST_F(WarmOfficeTest, EndingWhileTheListLoadsLeavesNoOfficeAndNoLock)
{
    // The program ends, or the idle time is up.
    {
        WarmOffice office;
        prepareUntilLoading(office);
        QElapsedTimer ending;
        ending.start();
        office.warm.end();
        EXPECT_LT(ending.elapsed(), 3000);
        EXPECT_FALSE(office.warm.isRunning());
        EXPECT_TRUE(officeGone());
        EXPECT_FALSE(listLocked());
    }
    // The program is torn down without ending the warm-up first.
    {
        auto office = std::make_unique<WarmOffice>();
        prepareUntilLoading(*office);
        office.reset();
        EXPECT_TRUE(officeGone());
        EXPECT_FALSE(listLocked());
    }
}

} // namespace
