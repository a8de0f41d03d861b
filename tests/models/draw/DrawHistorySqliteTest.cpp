#include "models/draw/RoundLog.h"
#include "models/draw/RoundSummary.h"
#include "platform/history/SqliteDrawHistory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>

namespace {

const QString kList = QStringLiteral("/教师/三年二班.xls");
const char* kWriterVariable = "VANTREL_HISTORY_WRITER_DB";

namelist::Person person(int i)
{
    return {QString::number(i), QStringLiteral("学生%1").arg(i)};
}

} // namespace

TEST(SqliteHistory, RoundsComeBackAfterReopeningNewestFirstWithEveryEvent)
{
    QTemporaryDir folder;
    const QString file = SqliteDrawHistory::fileIn(folder.path());
    const QDateTime monday(QDate(2026, 3, 2), QTime(8, 0));
    {
        SqliteDrawHistory history(file);
        RoundLog first(&history, [&] { return monday; });
        first.start(kList);
        ASSERT_TRUE(first.drawn(1, person(1)).isEmpty());
        ASSERT_TRUE(first.drawn(2, person(2)).isEmpty());
        ASSERT_TRUE(first.absent(2, person(2)).isEmpty());
        RoundLog second(&history, [&] { return monday.addDays(1); });
        second.start(kList);
        ASSERT_TRUE(
            second.drawn(1, {QStringLiteral("7"), QStringLiteral("O'Brien, \"Bo\"; DROP TABLE rounds")})
                .isEmpty());
        RoundLog other(&history, [&] { return monday.addDays(2); });
        other.start(QStringLiteral("/教师/别的班.xls"));
        ASSERT_TRUE(other.drawn(1, person(9)).isEmpty());
        EXPECT_TRUE(history.problem().isEmpty());
    }
    SqliteDrawHistory reopened(file);
    const QList<RoundRecord> rounds = reopened.rounds(kList);
    ASSERT_EQ(rounds.size(), 2) << reopened.problem().toStdString();
    EXPECT_EQ(rounds.at(0).startedAt, monday.addDays(1)) << "newest first";
    EXPECT_EQ(rounds.at(1).startedAt, monday);
    ASSERT_EQ(rounds.at(0).events.size(), 1);
    EXPECT_EQ(rounds.at(0).events.first().name, QStringLiteral("O'Brien, \"Bo\"; DROP TABLE rounds"));
    const RoundSummary summary = summarise(rounds.at(1));
    ASSERT_EQ(summary.order.size(), 1);
    EXPECT_EQ(summary.order.first().name, QStringLiteral("学生1"));
    ASSERT_EQ(summary.absent.size(), 1);
    EXPECT_EQ(summary.absent.first().name, QStringLiteral("学生2"));
    EXPECT_EQ(reopened.rounds(QStringLiteral("/教师/别的班.xls")).size(), 1);
}

TEST(SqliteHistory, AFolderThatCannotHoldTheDatabaseIsToldNotTakenForSuccess)
{
    QTemporaryDir folder;
    const QString blocker = QDir(folder.path()).filePath(QStringLiteral("file"));
    QFile(blocker).open(QIODevice::WriteOnly);
    SqliteDrawHistory history(SqliteDrawHistory::fileIn(blocker)); // a "folder" that is a file
    EXPECT_EQ(history.beginRound(kList, QDateTime::currentDateTime()), 0);
    EXPECT_FALSE(history.problem().isEmpty());
    EXPECT_TRUE(history.rounds(kList).isEmpty());
}

// Run as a child by the test below: writes a round of draws, says so, and waits to be killed.
TEST(SqliteHistoryWriter, WritesARoundAndWaits)
{
    const QString file = qEnvironmentVariable(kWriterVariable);
    if (file.isEmpty())
        GTEST_SKIP() << "run by KilledMidRoundKeepsEveryCompletedDraw";
    SqliteDrawHistory history(file);
    RoundLog log(&history);
    log.start(kList);
    for (int i = 1; i <= 12; ++i) {
        ASSERT_TRUE(log.drawn(i, person(i)).isEmpty());
        if (i == 6) {
            ASSERT_TRUE(log.undone(6, person(6)).isEmpty());
        }
    }
    std::fputs("drawn\n", stdout);
    std::fflush(stdout);
    // Drawing on, until the kill: the draw in flight may be lost, none before it.
    for (int i = 13;; ++i) {
        ASSERT_TRUE(log.drawn(i, person(i)).isEmpty());
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

TEST(SqliteHistory, KilledMidRoundKeepsEveryCompletedDraw)
{
    QTemporaryDir folder;
    const QString file = SqliteDrawHistory::fileIn(folder.path());
    QProcess writer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kWriterVariable), file);
    writer.setProcessEnvironment(environment);
    writer.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_filter=SqliteHistoryWriter.WritesARoundAndWaits")});
    ASSERT_TRUE(writer.waitForStarted());
    ASSERT_TRUE(writer.waitForReadyRead(30000)) << writer.readAllStandardError().toStdString();
    while (!writer.readAllStandardOutput().contains("drawn"))
        ASSERT_TRUE(writer.waitForReadyRead(30000));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ::kill(pid_t(writer.processId()), SIGKILL);
    ASSERT_TRUE(writer.waitForFinished(10000));
    EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit);

    SqliteDrawHistory reopened(file);
    const QList<RoundRecord> rounds = reopened.rounds(kList);
    ASSERT_EQ(rounds.size(), 1) << reopened.problem().toStdString();
    const RoundSummary summary = summarise(rounds.first());
    ASSERT_GE(summary.order.size(), 11) << "every draw before the kill is kept";
    for (int i = 0; i < summary.order.size(); ++i) {
        const int drawn = i < 5 ? i + 1 : i + 2; // the sixth was taken back
        EXPECT_EQ(summary.order.at(i).name, person(drawn).name) << i;
    }
    ASSERT_EQ(summary.undone.size(), 1);
    EXPECT_EQ(summary.undone.first().name, person(6).name);
    // A database in use again after the kill takes new rounds.
    EXPECT_NE(reopened.beginRound(kList, QDateTime::currentDateTime()), 0);
}
