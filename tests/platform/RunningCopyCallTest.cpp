#include "platform/RunningCopyCall.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(RunningCopyCall, ASecondStartReachesTheListeningCopyAndNoOneElse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vantrel.call"));
    EXPECT_FALSE(RunningCopyCall::call(path)) << "nobody listens yet";

    // A crashed copy left its socket file behind: the next first copy takes the place over.
    {
        QFile stale(path);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    {
        RunningCopyCall running;
        ASSERT_TRUE(running.listen(path));
        QSignalSpy called(&running, &RunningCopyCall::called);
        EXPECT_TRUE(RunningCopyCall::call(path));
        EXPECT_TRUE(RunningCopyCall::call(path));
        for (int i = 0; i < 50 && called.count() < 2; ++i)
            called.wait(100);
        EXPECT_EQ(called.count(), 2);
        EXPECT_FALSE(RunningCopyCall().listen(path + QStringLiteral("/cannot/be/here")));
    }
    // The copy has ended: its socket is gone and a call says so.
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(RunningCopyCall::call(path));
}

TEST(RunningCopyCall, APathTooLongForASocketIsRefusedNotCutShort)
{
    const QString longPath = QStringLiteral("/tmp/") + QString(200, QLatin1Char('x'));
    RunningCopyCall running;
    EXPECT_FALSE(running.listen(longPath));
    EXPECT_FALSE(RunningCopyCall::call(longPath));
}
