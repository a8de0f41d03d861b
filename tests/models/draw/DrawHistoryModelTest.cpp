#include "models/draw/ClassLists.h"
#include "models/draw/FairWeights.h"
#include "models/draw/HistorySheet.h"
#include "models/draw/RoundLog.h"
#include "models/draw/RoundSummary.h"
#include "models/settings/ProgramOptions.h"
#include "platform/DrawHistory.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const namelist::Person kAnna{QStringLiteral("01"), QStringLiteral("张伟")};
const namelist::Person kBo{QStringLiteral("02"), QStringLiteral("王芳")};
const namelist::Person kCai{QStringLiteral("03"), QStringLiteral("李娜")};

// A clock that moves a minute at each reading.
RoundLog::Clock minutes()
{
    auto at = std::make_shared<QDateTime>(QDateTime(QDate(2026, 3, 2), QTime(8, 0)));
    return [at] { return *at = at->addSecs(60); };
}

// A history whose writes start failing after a number of them.
class FailingHistory : public InMemoryDrawHistory {
public:
    int writesLeft = 0;
    qint64 beginRound(const QString& list, const QDateTime& at) override
    {
        return writesLeft-- > 0 ? InMemoryDrawHistory::beginRound(list, at) : 0;
    }
    bool record(qint64 round, const DrawEvent& event) override
    {
        return writesLeft-- > 0 && InMemoryDrawHistory::record(round, event);
    }
    QString problem() const override { return QStringLiteral("磁盘已满"); }
};

} // namespace

TEST(RoundHistory, ARoundIsKeptFromItsFirstDrawWithItsCorrectionsApplied)
{
    InMemoryDrawHistory history;
    RoundLog log(&history, minutes());
    log.start(QStringLiteral("/lists/1班.xls"));
    EXPECT_TRUE(history.rounds(QStringLiteral("/lists/1班.xls")).isEmpty()) << "nothing drawn, nothing kept";

    EXPECT_TRUE(log.drawn(1, kAnna).isEmpty());
    EXPECT_TRUE(log.drawn(2, kBo).isEmpty());
    EXPECT_TRUE(log.absent(2, kBo).isEmpty());
    EXPECT_TRUE(log.drawn(2, kCai).isEmpty());
    EXPECT_TRUE(log.undone(2, kCai).isEmpty());
    EXPECT_TRUE(log.drawn(2, kCai).isEmpty());

    const QList<RoundRecord> rounds = history.rounds(QStringLiteral("/lists/1班.xls"));
    ASSERT_EQ(rounds.size(), 1);
    EXPECT_EQ(rounds.first().events.size(), 6);
    const RoundSummary summary = summarise(rounds.first());
    ASSERT_EQ(summary.order.size(), 2);
    EXPECT_EQ(summary.order.at(0).name, kAnna.name);
    EXPECT_EQ(summary.order.at(1).name, kCai.name);
    ASSERT_EQ(summary.absent.size(), 1);
    EXPECT_EQ(summary.absent.first().name, kBo.name);
    ASSERT_EQ(summary.undone.size(), 1);
    EXPECT_EQ(summary.undone.first().name, kCai.name);
    EXPECT_TRUE(history.rounds(QStringLiteral("/lists/2班.xls")).isEmpty()) << "each list its own rounds";
}

TEST(RoundHistory, UndoingAnAbsenceBringsThePersonBackOutOfTheRecord)
{
    RoundRecord round;
    round.events = {{DrawEvent::Kind::Drawn, 1, kAnna.number, kAnna.name, {}},
                    {DrawEvent::Kind::Absent, 1, kAnna.number, kAnna.name, {}},
                    {DrawEvent::Kind::Undone, 0, kAnna.number, kAnna.name, {}},
                    {DrawEvent::Kind::Drawn, 1, kBo.number, kBo.name, {}}};
    const RoundSummary summary = summarise(round);
    ASSERT_EQ(summary.order.size(), 1);
    EXPECT_EQ(summary.order.first().name, kBo.name);
    EXPECT_TRUE(summary.absent.isEmpty());
    EXPECT_EQ(summary.undone.size(), 1);
}

TEST(RoundHistory, AFailedWriteIsToldOnceAndTheRestOfTheRoundIsNotKeptWithAGap)
{
    FailingHistory history;
    history.writesLeft = 2; // the round and its first draw
    RoundLog log(&history, minutes());
    log.start(QStringLiteral("/lists/1班.xls"));
    EXPECT_TRUE(log.drawn(1, kAnna).isEmpty());
    EXPECT_EQ(log.drawn(2, kBo), QStringLiteral("磁盘已满"));
    EXPECT_TRUE(log.isLost());
    history.writesLeft = 10;
    EXPECT_TRUE(log.drawn(3, kCai).isEmpty()) << "told once";
    const QList<RoundRecord> rounds = history.rounds(QStringLiteral("/lists/1班.xls"));
    ASSERT_EQ(rounds.size(), 1);
    EXPECT_EQ(rounds.first().events.size(), 1) << "no event after the gap";

    log.start(QStringLiteral("/lists/1班.xls"));
    EXPECT_TRUE(log.drawn(1, kCai).isEmpty()) << "the next round is kept again";
    EXPECT_EQ(history.rounds(QStringLiteral("/lists/1班.xls")).size(), 2);
}

TEST(RecentLists, TheLastFiveChosenAreKeptLatestFirstEachOnce)
{
    InMemorySettings settings;
    ClassLists lists(settings);
    EXPECT_FALSE(lists.isEnabled());
    lists.choose(QStringLiteral("/l/a.xls"));
    EXPECT_TRUE(lists.current().isEmpty()) << "off, the folder's own list is drawn whatever was chosen";
    settings.setValue(QStringLiteral("nameList/classLists"), QStringLiteral("true"));
    EXPECT_EQ(lists.current(), QStringLiteral("/l/a.xls"));

    for (const char* name : {"/l/b.xls", "/l/c.ods", "/l/d.csv", "/l/e.xlsx", "/l/f.xls"})
        lists.choose(QString::fromUtf8(name));
    EXPECT_EQ(lists.recent(), (QStringList{"/l/f.xls", "/l/e.xlsx", "/l/d.csv", "/l/c.ods", "/l/b.xls"}));
    lists.choose(QStringLiteral("/l/../l/c.ods"));
    EXPECT_EQ(lists.recent(), (QStringList{"/l/c.ods", "/l/f.xls", "/l/e.xlsx", "/l/d.csv", "/l/b.xls"}));
    EXPECT_EQ(lists.current(), QStringLiteral("/l/c.ods"));
    lists.chooseFolderList();
    EXPECT_TRUE(lists.current().isEmpty());
    EXPECT_EQ(lists.recent().size(), 5) << "going back to the folder's list keeps the recent ones";
    EXPECT_EQ(ClassLists::className(QStringLiteral("/l/三年二班.名单.xls")), QStringLiteral("三年二班.名单"));
    // A hand-typed "yes" means on here as it does in the settings window.
    settings.setValue(QStringLiteral("nameList/classLists"), QStringLiteral(" Yes"));
    EXPECT_TRUE(lists.isEnabled());
    EXPECT_EQ(lists.isEnabled(), ProgramOptions(settings).classLists());

    EXPECT_FALSE(lists.isFairDraw());
    lists.setFairDraw(true);
    EXPECT_TRUE(lists.isFairDraw());
}

TEST(FairWeights, WhoeverWasDrawnLessWeighsMoreAndNobodyWeighsNothing)
{
    QHash<QString, int> counts;
    counts[personKey(kAnna)] = 8;
    counts[personKey({QStringLiteral(" 02 "), QStringLiteral("王芳 ")})] = 7; // blanks aside
    const std::vector<double> weights = fairdraw::weights({kAnna, kBo, kCai}, counts);
    ASSERT_EQ(weights.size(), 3u);
    EXPECT_DOUBLE_EQ(weights[0], 1);
    EXPECT_DOUBLE_EQ(weights[1], fairdraw::kBase);
    EXPECT_GT(weights[2], weights[1]) << "never drawn: the most likely";
    EXPECT_DOUBLE_EQ(weights[2], std::pow(fairdraw::kBase, fairdraw::kMaxSteps)) << "capped";
    EXPECT_EQ(fairdraw::weights({kAnna, kBo}, {}), (std::vector<double>{1, 1})) << "no history: all equal";
}

TEST(HistoryExport, RowsListEachRoundsOrderThenTheAbsentAndTheUndone)
{
    RoundRecord round;
    round.startedAt = QDateTime(QDate(2026, 3, 2), QTime(8, 5, 9));
    round.events = {{DrawEvent::Kind::Drawn, 1, kAnna.number, kAnna.name, {}},
                    {DrawEvent::Kind::Drawn, 2, kBo.number, kBo.name, {}},
                    {DrawEvent::Kind::Absent, 2, kBo.number, kBo.name, {}},
                    {DrawEvent::Kind::Drawn, 2, kCai.number, kCai.name, {}}};
    const QList<QStringList> rows = historysheet::rows(QStringLiteral("1班"), {round});
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows.at(0).size(), 7);
    EXPECT_EQ(rows.at(1), (QStringList{"2026-03-02", "08:05:09", "1班", "1", "01", "张伟", "抽中"}));
    EXPECT_EQ(rows.at(2), (QStringList{"2026-03-02", "08:05:09", "1班", "2", "03", "李娜", "抽中"}));
    EXPECT_EQ(rows.at(3), (QStringList{"2026-03-02", "08:05:09", "1班", "", "02", "王芳", "缺席"}));
}

TEST(HistoryExport, CsvCellsAreQuotedAndNeverBecomeFormulas)
{
    EXPECT_EQ(historysheet::csvCell(QStringLiteral("张伟")), QStringLiteral("张伟"));
    EXPECT_EQ(historysheet::csvCell(QStringLiteral("Li, Na")), QStringLiteral("\"Li, Na\""));
    EXPECT_EQ(historysheet::csvCell(QStringLiteral("say \"hi\"")), QStringLiteral("\"say \"\"hi\"\"\""));
    EXPECT_EQ(historysheet::csvCell(QStringLiteral("two\nlines")), QStringLiteral("\"two\nlines\""));
    EXPECT_EQ(historysheet::csvCell(QStringLiteral("=1+1")), QStringLiteral("'=1+1"));
    EXPECT_EQ(historysheet::csvCell(QStringLiteral("=HYPERLINK(\"http://x\",\"a\")")),
              QStringLiteral("\"'=HYPERLINK(\"\"http://x\"\",\"\"a\"\")\""));
    for (const char* start : {"+1", "-1+2", "@SUM(A1)", "\tx", "\r=1"})
        EXPECT_TRUE(historysheet::csvCell(QString::fromUtf8(start)).contains(QStringLiteral("'"))) << start;

    const QByteArray sheet = historysheet::csv({{"a", "b,c"}, {"=2*3", ""}});
    EXPECT_TRUE(sheet.startsWith("\xEF\xBB\xBF")) << "the Chinese read right";
    EXPECT_EQ(sheet.mid(3), QByteArray("a,\"b,c\"\r\n'=2*3,\r\n"));

    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("记录.csv"));
    EXPECT_TRUE(historysheet::writeCsv(path, {{"x"}}).isEmpty());
    EXPECT_FALSE(
        historysheet::writeCsv(QDir(folder.path()).filePath(QStringLiteral("no/such/记录.csv")), {{"x"}})
            .isEmpty())
        << "a failed write is told";
}
