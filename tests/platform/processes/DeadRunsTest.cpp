#include "platform/processes/DeadRuns.h"

#include "ProcessTraces.h"

#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

TEST(DeadRunsTest, ReadsTheOwnerOnlyFromNamesOfTheRightForm)
{
    const QString prefix = QStringLiteral("work-");
    EXPECT_EQ(ownerInName(QStringLiteral("work-4242-AbC123"), prefix), 4242);
    EXPECT_EQ(ownerInName(QStringLiteral("work-AbC123"), prefix), 0);
    EXPECT_EQ(ownerInName(QStringLiteral("work--1-x"), prefix), 0);
    EXPECT_EQ(ownerInName(QStringLiteral("work-12x-y"), prefix), 0);
    EXPECT_EQ(ownerInName(QStringLiteral("work-42"), prefix), 0);
    EXPECT_EQ(ownerInName(QStringLiteral("other-42-x"), prefix), 0);
    EXPECT_TRUE(namePrefixOfThisRun(prefix).startsWith(prefix));
    EXPECT_EQ(ownerInName(namePrefixOfThisRun(prefix) + QStringLiteral("x"), prefix),
              QCoreApplication::applicationPid());
}

TEST(DeadRunsTest, OnlyNamesOfEndedProcessesAreLeftovers)
{
    const QString prefix = QStringLiteral("vantrel-office-");
    QProcess running;
    running.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(running.waitForStarted());
    const qint64 ended = traces::pidOfEndedProcess();
    ASSERT_NE(ended, 0);
    ASSERT_FALSE(isProcessAlive(ended));

    EXPECT_TRUE(isLeftOverByDeadRun(prefix + QString::number(ended) + QStringLiteral("-abc"), prefix));
    EXPECT_FALSE(
        isLeftOverByDeadRun(prefix + QString::number(running.processId()) + QStringLiteral("-abc"), prefix));
    EXPECT_FALSE(isLeftOverByDeadRun(namePrefixOfThisRun(prefix) + QStringLiteral("abc"), prefix));
    EXPECT_FALSE(isLeftOverByDeadRun(prefix + QStringLiteral("abc"), prefix));
    // pid 1 is another user's process as far as kill() can tell, but alive all the same.
    EXPECT_FALSE(isLeftOverByDeadRun(prefix + QStringLiteral("1-abc"), prefix));
    running.kill();
    running.waitForFinished();
}

} // namespace
