// The office kept warm around the name-list draw: started and the list opened ahead, handed over to
// the draw, ended after a while without use and at exit. On virtual time with an in-memory office.
#include "platform/office/WarmSpreadsheet.h"

#include "support/FakeSpreadsheet.h"
#include "support/VirtualTimerDriver.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kSheet = QStringLiteral("sheet1");

// An in-memory office whose background loads can be held until the test lets them land. It counts
// the calls that would keep the window waiting on a load under way: everything that needs the
// workbook, and an explicit wait.
class SlowLoadingOffice : public FakeSpreadsheet {
public:
    bool holdLoads = false;
    int loads = 0;
    int waitsOnLoad = 0;
    int callsDuringLoad = 0;

    bool isLoading() const { return static_cast<bool>(opened_); }
    // The load under way lands.
    void completeLoad()
    {
        auto opened = std::move(opened_);
        opened_ = nullptr;
        const OfficeError result = FakeSpreadsheet::open(loadingPath_, loadingSheet_);
        if (opened)
            opened(result);
    }

    void openInBackground(const QString& path, const QString& sheetName,
                          std::function<void(const OfficeError&)> opened) override
    {
        ++loads;
        loadingPath_ = path;
        loadingSheet_ = sheetName;
        opened_ = opened ? std::move(opened) : [](const OfficeError&) {};
        if (!holdLoads)
            completeLoad();
    }
    void finishOpening() override
    {
        if (isLoading()) {
            ++waitsOnLoad;
            completeLoad();
        }
    }
    OfficeError open(const QString& path, const QString& sheetName) override
    {
        ++loads;
        noteCall();
        return FakeSpreadsheet::open(path, sheetName);
    }
    CellValue cell(int row, int column) override
    {
        noteCall();
        return FakeSpreadsheet::cell(row, column);
    }
    OfficeError save() override
    {
        noteCall();
        return FakeSpreadsheet::save();
    }
    void closeWorkbook() override
    {
        noteCall();
        FakeSpreadsheet::closeWorkbook();
    }
    // Abandons a load under way; its answer never comes.
    void quit() override
    {
        opened_ = nullptr;
        FakeSpreadsheet::quit();
    }

private:
    void noteCall()
    {
        if (isLoading())
            ++callsDuringLoad;
    }

    std::function<void(const OfficeError&)> opened_;
    QString loadingPath_;
    QString loadingSheet_;
};

class WarmSpreadsheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        path = folder.filePath(QStringLiteral("name.xls"));
        writeFile("list as saved");
        office.putWorkbook(path, listWith(QStringLiteral("李雷")));
    }

    void writeFile(const QByteArray& content)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    static FakeSpreadsheet::Workbook listWith(const QString& firstName)
    {
        return FakeSpreadsheet::nameList(CellValue::fromNumber(1), {{QStringLiteral("1"), firstName}});
    }

    // What the draw does on Start: start the office, then open the list and read its first name.
    QString drawReadsFirstName()
    {
        int called = 0;
        OfficeError started = OfficeError::of(OfficeError::Code::EngineStopped);
        warm.start([&](const OfficeError& result) {
            ++called;
            started = result;
        });
        EXPECT_EQ(called, 1);
        if (started || warm.open(path, kSheet))
            return QStringLiteral("<not opened>");
        return cellText(warm.cell(3, 2));
    }

    QTemporaryDir folder;
    QString path;
    SlowLoadingOffice office;
    VirtualTimerDriver timers;
    WarmSpreadsheet warm{office, timers};
};

TEST_F(WarmSpreadsheetTest, PreparedListIsHandedToTheDrawAsOpenedAndNeverSavedBeforeThat)
{
    warm.prepare(path, kSheet);
    EXPECT_TRUE(office.isRunning());
    ASSERT_TRUE(warm.hasParkedWorkbook());
    // Parked, the list is nobody's workbook yet: a draw left before Start has nothing to save.
    EXPECT_FALSE(warm.hasWorkbook());
    EXPECT_TRUE(warm.save());
    EXPECT_EQ(office.saves, 0);

    // Changed in the office's memory only: a draw that got the parked copy still sees the old name.
    office.putWorkbook(path, listWith(QStringLiteral("韩梅梅")));
    EXPECT_EQ(drawReadsFirstName(), QStringLiteral("李雷"));
    EXPECT_EQ(office.starts, 1);
    EXPECT_TRUE(warm.hasWorkbook());
    EXPECT_FALSE(warm.hasParkedWorkbook());
}

TEST_F(WarmSpreadsheetTest, ListEditedOnDiskSinceItWasOpenedAheadIsReadAfresh)
{
    warm.prepare(path, kSheet);
    ASSERT_TRUE(warm.hasParkedWorkbook());
    office.putWorkbook(path, listWith(QStringLiteral("韩梅梅")));
    writeFile("list as edited by the teacher, longer than before");
    EXPECT_EQ(drawReadsFirstName(), QStringLiteral("韩梅梅"));
}

TEST_F(WarmSpreadsheetTest, ListHeldByTheTeachersOwnOfficeOrMissingIsNotOpenedAhead)
{
    office.holders[path] = QStringLiteral("王老师");
    warm.prepare(path, kSheet);
    EXPECT_TRUE(office.isRunning());
    EXPECT_FALSE(warm.hasParkedWorkbook());
    EXPECT_FALSE(office.hasWorkbook());

    warm.prepare(folder.filePath(QStringLiteral("missing.xls")), kSheet);
    EXPECT_FALSE(warm.hasParkedWorkbook());
}

TEST_F(WarmSpreadsheetTest, OfficeLeftUnusedEndsAfterTheIdleTimeUnlessPreparedAgain)
{
    warm.prepare(path, kSheet);
    warm.leave();
    timers.advance(WarmSpreadsheet::kIdleEndMs - 1);
    EXPECT_TRUE(office.isRunning());
    // Back to the draws just in time: the same instance serves, with the list opened ahead again.
    warm.prepare(path, kSheet);
    timers.advance(WarmSpreadsheet::kIdleEndMs);
    EXPECT_TRUE(office.isRunning());
    EXPECT_TRUE(warm.hasParkedWorkbook());
    EXPECT_EQ(office.starts, 1);

    warm.leave();
    EXPECT_TRUE(warm.isWaitingToEnd());
    timers.advance(WarmSpreadsheet::kIdleEndMs);
    EXPECT_FALSE(office.isRunning());
    EXPECT_FALSE(office.hasWorkbook());
    EXPECT_EQ(office.quits, 1);
    EXPECT_FALSE(warm.isWaitingToEnd());
}

TEST_F(WarmSpreadsheetTest, DrawQuittingClosesTheWorkbookAndLeavesTheInstanceToTheIdleEnd)
{
    warm.prepare(path, kSheet);
    ASSERT_EQ(drawReadsFirstName(), QStringLiteral("李雷"));
    // Whatever happens to the launcher meanwhile, a round in use is never ended under the draw.
    warm.leave();
    timers.advance(3 * WarmSpreadsheet::kIdleEndMs);
    EXPECT_TRUE(warm.hasWorkbook());

    warm.quit();
    EXPECT_FALSE(warm.hasWorkbook());
    EXPECT_TRUE(office.isRunning());
    EXPECT_EQ(office.quits, 0);
    // The next round starts at once on the same instance.
    EXPECT_EQ(drawReadsFirstName(), QStringLiteral("李雷"));
    warm.quit();
    timers.advance(WarmSpreadsheet::kIdleEndMs);
    EXPECT_FALSE(office.isRunning());
    EXPECT_EQ(office.starts, 1);
}

TEST_F(WarmSpreadsheetTest, StartPressedWhileTheOfficeComesUpIsAnsweredOnceTheListHasLoaded)
{
    office.holdStart = true;
    office.holdLoads = true;
    warm.prepare(path, kSheet);
    ASSERT_TRUE(office.isStarting());
    int called = 0;
    warm.start([&](const OfficeError& result) {
        ++called;
        EXPECT_FALSE(result);
    });
    office.completeStart();
    // Up, the list loads in the background; the draw is told only once it has landed.
    EXPECT_EQ(called, 0);
    ASSERT_TRUE(warm.isOpeningAhead());
    office.completeLoad();
    EXPECT_EQ(called, 1);
    EXPECT_EQ(office.starts, 1);
    EXPECT_FALSE(warm.open(path, kSheet));
    EXPECT_EQ(cellText(warm.cell(3, 2)), QStringLiteral("李雷"));
    EXPECT_EQ(office.loads, 1);
    EXPECT_EQ(office.waitsOnLoad + office.callsDuringLoad, 0);
}

TEST_F(WarmSpreadsheetTest, DrawTakesAListStillLoadingWithoutLoadingItTwice)
{
    office.holdLoads = true;
    warm.prepare(path, kSheet);
    ASSERT_TRUE(warm.isOpeningAhead());
    // Parked or loading, the list is nobody's workbook: nothing to read, nothing to save.
    EXPECT_FALSE(warm.hasWorkbook());
    EXPECT_TRUE(warm.save());
    EXPECT_EQ(warm.cell(3, 2), CellValue::error());

    // Start is answered when the load lands, not before: the window never waits on it.
    int called = 0;
    warm.start([&](const OfficeError&) { ++called; });
    EXPECT_EQ(called, 0);
    office.completeLoad();
    ASSERT_EQ(called, 1);
    EXPECT_FALSE(warm.open(path, kSheet));
    EXPECT_EQ(cellText(warm.cell(3, 2)), QStringLiteral("李雷"));
    EXPECT_EQ(office.callsDuringLoad, 0);
    EXPECT_EQ(office.waitsOnLoad, 0);
    EXPECT_EQ(office.loads, 1);

    // A caller that opens without waiting for start gets that same load, waiting only for its rest.
    warm.quit();
    warm.prepare(path, kSheet);
    ASSERT_TRUE(warm.isOpeningAhead());
    EXPECT_FALSE(warm.open(path, kSheet));
    EXPECT_EQ(office.waitsOnLoad, 1);
    EXPECT_EQ(office.loads, 2);
    EXPECT_EQ(cellText(warm.cell(3, 2)), QStringLiteral("李雷"));
}

TEST_F(WarmSpreadsheetTest, NextRoundOnTheRunningInstanceLoadsTheListInTheBackgroundToo)
{
    warm.prepare(path, kSheet);
    ASSERT_EQ(drawReadsFirstName(), QStringLiteral("李雷"));
    warm.quit();

    office.holdLoads = true;
    int called = 0;
    warm.start([&](const OfficeError&) { ++called; });
    EXPECT_EQ(called, 0);
    ASSERT_TRUE(warm.isOpeningAhead());
    office.completeLoad();
    EXPECT_EQ(called, 1);
    EXPECT_FALSE(warm.open(path, kSheet));
    EXPECT_EQ(office.loads, 2);
    EXPECT_EQ(office.callsDuringLoad, 0);
}

TEST_F(WarmSpreadsheetTest, DrawClosingWhileTheListLoadsHasItClosedAsItLandsWithoutWaiting)
{
    office.holdLoads = true;
    warm.prepare(path, kSheet);
    warm.quit();
    EXPECT_TRUE(warm.isWaitingToEnd());
    office.completeLoad();
    EXPECT_FALSE(office.hasWorkbook());
    EXPECT_FALSE(warm.hasParkedWorkbook());

    // Closed, then wanted again before the load lands: it is kept.
    warm.prepare(path, kSheet);
    ASSERT_TRUE(warm.isOpeningAhead());
    warm.closeWorkbook();
    warm.prepare(path, kSheet);
    office.completeLoad();
    EXPECT_TRUE(warm.hasParkedWorkbook());
    EXPECT_EQ(office.callsDuringLoad, 0);
    EXPECT_EQ(office.waitsOnLoad, 0);
}

TEST_F(WarmSpreadsheetTest, ProgramOrIdleEndWhileTheListLoadsEndsTheInstanceAtOnce)
{
    office.holdLoads = true;
    warm.prepare(path, kSheet);
    warm.leave();
    timers.advance(WarmSpreadsheet::kIdleEndMs);
    EXPECT_FALSE(office.isRunning());
    EXPECT_FALSE(office.isLoading());
    EXPECT_FALSE(warm.isOpeningAhead());
    EXPECT_EQ(office.quits, 1);

    // Back later: a new instance and a new load, which lands as usual.
    warm.prepare(path, kSheet);
    EXPECT_EQ(office.starts, 2);
    ASSERT_TRUE(warm.isOpeningAhead());
    warm.end();
    EXPECT_FALSE(office.isRunning());
    EXPECT_EQ(office.quits, 2);
    EXPECT_EQ(office.waitsOnLoad + office.callsDuringLoad, 0);
}

TEST_F(WarmSpreadsheetTest, ListPreparedAfreshWhileLoadingIsReadAfresh)
{
    office.holdLoads = true;
    const QString other = folder.filePath(QStringLiteral("other.xls"));
    {
        QFile file(other);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("another list");
    }
    office.putWorkbook(other, listWith(QStringLiteral("韩梅梅")));
    // Another list is prepared while the first loads: the first is closed as it lands, the other loads.
    warm.prepare(path, kSheet);
    warm.prepare(other, kSheet);
    office.completeLoad();
    ASSERT_TRUE(warm.isOpeningAhead());
    EXPECT_EQ(office.workbookPath(), QString());
    office.completeLoad();
    ASSERT_TRUE(warm.hasParkedWorkbook());
    EXPECT_EQ(office.workbookPath(), other);

    // The teacher saves an edit while the list loads: the draw reads the file as it is now.
    warm.prepare(path, kSheet);
    ASSERT_TRUE(warm.isOpeningAhead());
    writeFile("list as edited by the teacher while it loaded");
    office.completeLoad();
    office.putWorkbook(path, listWith(QStringLiteral("王小明")));
    EXPECT_EQ(drawReadsFirstName(), QStringLiteral("王小明"));
}

TEST_F(WarmSpreadsheetTest, LoadLandingAfterTheWarmUpIsGoneIsIgnored)
{
    office.holdLoads = true;
    auto gone = std::make_unique<WarmSpreadsheet>(office, timers);
    gone->prepare(path, kSheet);
    ASSERT_TRUE(office.isLoading());
    gone.reset();
    office.completeLoad();
    EXPECT_TRUE(office.hasWorkbook());
}

TEST_F(WarmSpreadsheetTest, FailedStartIsToldToTheDrawAndLeavesNothingRunning)
{
    office.holdStart = true;
    warm.prepare(path, kSheet);
    OfficeError told;
    warm.start([&](const OfficeError& result) { told = result; });
    office.completeStart(OfficeError::of(OfficeError::Code::EngineUnavailable, QStringLiteral("没有安装")));
    EXPECT_EQ(told.code, OfficeError::Code::EngineUnavailable);
    EXPECT_FALSE(office.isRunning());
    EXPECT_FALSE(warm.hasParkedWorkbook());
}

TEST_F(WarmSpreadsheetTest, DrawGivingUpOnAStartLetsTheInstanceEndLater)
{
    office.holdStart = true;
    warm.prepare(path, kSheet);
    bool called = false;
    warm.start([&](const OfficeError&) { called = true; });
    warm.cancelStart();
    office.completeStart();
    EXPECT_FALSE(called);
    EXPECT_TRUE(office.isRunning());
    timers.advance(WarmSpreadsheet::kIdleEndMs);
    EXPECT_FALSE(office.isRunning());
}

TEST_F(WarmSpreadsheetTest, ProgramEndEndsTheInstanceAtOnceEvenWhileItStarts)
{
    warm.prepare(path, kSheet);
    warm.end();
    EXPECT_FALSE(office.isRunning());
    EXPECT_FALSE(warm.hasParkedWorkbook());

    office.holdStart = true;
    warm.prepare(path, kSheet);
    ASSERT_TRUE(office.isStarting());
    warm.end();
    EXPECT_FALSE(office.isStarting());
    EXPECT_EQ(office.quits, 2);
}

TEST_F(WarmSpreadsheetTest, EditingInTheTeachersOwnOfficeReleasesTheListOpenedAhead)
{
    warm.prepare(path, kSheet);
    ASSERT_TRUE(office.hasWorkbook());
    EXPECT_FALSE(warm.openForEditing(path));
    EXPECT_FALSE(office.hasWorkbook());
    EXPECT_FALSE(warm.hasParkedWorkbook());
    EXPECT_EQ(office.editedFiles, QStringList{path});

    // Still loading: the load is seen through and closed before the teacher's office opens the list.
    office.holdLoads = true;
    warm.prepare(path, kSheet);
    ASSERT_TRUE(warm.isOpeningAhead());
    EXPECT_FALSE(warm.openForEditing(path));
    EXPECT_FALSE(office.isLoading());
    EXPECT_FALSE(office.hasWorkbook());
    EXPECT_FALSE(warm.hasParkedWorkbook());
    EXPECT_EQ(office.editedFiles.size(), 2);
}

} // namespace
