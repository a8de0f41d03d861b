#include "platform/startup/RunningCopyCall.h"

#include "CopyOnItsOwnThread.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace std::chrono_literals;
using Answer = RunningCopyCall::Answer;

namespace {

// A socket at the path that a copy listens on with a queue of `queue` callers, and never takes a
// call: what a stopped copy looks like from outside.
int listenWithoutTakingCalls(const QString& path, int queue)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, queue) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

TEST(RunningCopyCall, ASecondStartReachesTheListeningCopyAndNoOneElse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vantrel.call"));
    EXPECT_EQ(RunningCopyCall::call(path, 200ms), Answer::NoOneListens) << "nobody listens yet";

    // A crashed copy left its socket file behind: the next first copy takes the place over.
    {
        QFile stale(path);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    {
        CopyOnItsOwnThread running(dir.filePath(QStringLiteral("vantrel.lock")), path);
        EXPECT_EQ(RunningCopyCall::call(path, 2000ms), Answer::Answered);
        EXPECT_EQ(RunningCopyCall::call(path, 2000ms), Answer::Answered);
        EXPECT_TRUE(running.waitForCalls(2));
        RunningCopyCall elsewhere;
        EXPECT_FALSE(elsewhere.listen(path + QStringLiteral("/cannot/be/here")));
        EXPECT_FALSE(elsewhere.problem().isEmpty());
    }
    // The copy has ended: its socket is gone and a call says so.
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(RunningCopyCall::call(path, 200ms), Answer::NoOneListens);
}

// The queue of a copy that takes no calls fills up; later callers are refused for now, and wait for
// room only as long as their patience.
TEST(RunningCopyCall, ACopyThatTakesNoCallsIsNotWaitedForPastThePatience)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vantrel.call"));
    const int stopped = listenWithoutTakingCalls(path, 0);
    ASSERT_GE(stopped, 0);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(RunningCopyCall::call(path, 100ms), Answer::NoAnswer) << "call " << i;
    EXPECT_LT(clock.elapsed(), 6 * 100 * 10) << "a call waited for the copy";
    ::close(stopped);

    // A socket file whose copy is gone: refused at once, nobody is there.
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(RunningCopyCall::call(path, 5000ms), Answer::NoOneListens);
}

TEST(RunningCopyCall, APathTooLongForASocketIsRefusedNotCutShort)
{
    const QString longPath = QStringLiteral("/tmp/") + QString(200, QLatin1Char('x'));
    RunningCopyCall running;
    EXPECT_FALSE(running.listen(longPath));
    EXPECT_EQ(RunningCopyCall::call(longPath, 200ms), Answer::NoOneListens);
}
