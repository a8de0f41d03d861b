#include "platform/SingleInstance.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstEnds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("vantrel.lock");
    auto first = std::make_unique<SingleInstance>(path);
    ASSERT_TRUE(first->acquire());
    // Asking again in the same copy keeps the lock.
    EXPECT_TRUE(first->acquire());
    {
        SingleInstance second(path);
        EXPECT_FALSE(second.acquire());
    }
    first.reset();
    SingleInstance third(path);
    EXPECT_TRUE(third.acquire());
}

TEST(SingleInstance, LockOfACrashedCopyIsTakenOver)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("vantrel.lock");
    // What a killed copy leaves behind: a lock naming a process that no longer exists.
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("999999\nvantrel\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    SingleInstance next(path);
    EXPECT_TRUE(next.acquire());
}
