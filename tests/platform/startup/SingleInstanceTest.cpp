#include "platform/startup/SingleInstance.h"

#include "CopyOnItsOwnThread.h"
#include "platform/startup/InstanceLock.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using Verdict = SingleInstance::Verdict;

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    QString lockPath() const { return dir_.filePath(QStringLiteral("vantrel.lock")); }
    QString callPath() const { return dir_.filePath(QStringLiteral("vantrel.call")); }

    QTemporaryDir dir_;
};

const QByteArray ourPid = QByteArray::number(qint64(::getpid()));

} // namespace

TEST_F(SingleInstanceTest, OneCopyAnswersTheNextStartsUntilItEnds)
{
    {
        CopyOnItsOwnThread first(lockPath(), callPath());
        ASSERT_EQ(first.verdict(), Verdict::OnlyCopy);
        SingleInstance second(lockPath(), callPath());
        EXPECT_EQ(second.settle(), Verdict::OtherCopyAnswered);
        // Asked again, the start keeps its verdict and does not call again.
        EXPECT_EQ(second.settle(), Verdict::OtherCopyAnswered);
        EXPECT_TRUE(first.waitForCalls(1));
        EXPECT_TRUE(second.problems().isEmpty());
        // The holder's process id is in the file, for the message of a start that gets no answer.
        EXPECT_EQ(testfiles::read(lockPath()).split('\n').value(0), ourPid);
    }
    // The first copy has ended: it took its lock file and socket along, and the next start runs.
    EXPECT_FALSE(QFileInfo::exists(lockPath()));
    EXPECT_FALSE(QFileInfo::exists(callPath()));
    SingleInstance third(lockPath(), callPath());
    EXPECT_EQ(third.settle(), Verdict::OnlyCopy);
    EXPECT_TRUE(third.problems().isEmpty());
}

// A killed copy, another program or a hand in the runtime folder may leave anything in the lock file.
TEST_F(SingleInstanceTest, WhateverALeftOverLockFileHoldsTheNextStartRuns)
{
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QList<QByteArray> leftovers{
        "",
        QByteArray("\xff\xfe garbled \x00\x01\n\n", 15),
        "999999\nvantrel\n" + host + "\n",
        // The id of a living process that is not a copy of ours (this test's own).
        ourPid + "\nvantrel\n" + host + "\n",
        QByteArray(100000, 'x'),
    };
    for (const QByteArray& leftover : leftovers) {
        testfiles::write(lockPath(), leftover);
        // A crashed copy's socket file, too.
        testfiles::write(callPath(), "");
        SingleInstance next(lockPath(), callPath(), 300ms);
        EXPECT_EQ(next.settle(), Verdict::OnlyCopy) << leftover.left(40).toStdString();
        EXPECT_TRUE(next.problems().isEmpty()) << next.problems().join(';').toStdString();
        EXPECT_EQ(testfiles::read(lockPath()).split('\n').value(0), ourPid);
    }
}

// What stands in the lock's place is not ours to remove: the program starts without the lock, says
// why, and a later start is still turned away by asking it.
TEST_F(SingleInstanceTest, AnythingButAFileInTheLocksPlaceIsLeftAloneAndTheProgramStarts)
{
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("precious"));
    testfiles::write(target, "not a lock");
    struct Case {
        const char* what;
        std::function<void()> make;
        std::function<bool()> stillThere;
        QString said;
        QString lockPath;
    };
    const QString lock = lockPath();
    const QString missingFolder = dir_.filePath(QStringLiteral("gone/vantrel.lock"));
    const std::vector<Case> cases{
        {"a directory",
         [&] {
             QDir().mkpath(lock);
             testfiles::write(lock + QStringLiteral("/inside"), "kept");
         },
         [&] {
             return QFileInfo(lock).isDir() && testfiles::read(lock + QStringLiteral("/inside")) == "kept";
         },
         QStringLiteral("is a directory"), lock},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0); },
         [&] {
             struct stat there;
             return ::lstat(QFile::encodeName(lock).constData(), &there) == 0 && S_ISFIFO(there.st_mode);
         },
         QStringLiteral("is a FIFO"), lock},
        {"a link to a file elsewhere", [&] { ASSERT_TRUE(QFile::link(target, lock)); },
         [&] { return QFileInfo(lock).isSymLink() && testfiles::read(target) == "not a lock"; },
         QStringLiteral("is a symbolic link"), lock},
        {"no folder", [] {}, [&] { return !QFileInfo::exists(missingFolder); },
         QStringLiteral("cannot create the lock file"), missingFolder},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        each.make();
        {
            CopyOnItsOwnThread first(each.lockPath, callPath());
            EXPECT_EQ(first.verdict(), Verdict::OnlyCopy);
            SingleInstance second(each.lockPath, callPath(), 1000ms);
            EXPECT_EQ(second.settle(), Verdict::OtherCopyAnswered);
            EXPECT_TRUE(first.waitForCalls(1));
        }
        SingleInstance alone(each.lockPath, callPath());
        EXPECT_EQ(alone.settle(), Verdict::OnlyCopy);
        ASSERT_EQ(alone.problems().size(), 1);
        EXPECT_TRUE(alone.problems().at(0).contains(each.said)) << alone.problems().at(0).toStdString();
        EXPECT_TRUE(each.stillThere());
        QFile::remove(lock);
        QDir(lock).removeRecursively();
    }
}

// A stopped copy (SIGSTOP, a debugger) or a hung one takes no calls: every start hears so within the
// patience, however many come, and the copy shows itself for them once it goes on.
TEST_F(SingleInstanceTest, AStoppedCopyIsToldWithinThePatienceToEveryStart)
{
    CopyOnItsOwnThread first(lockPath(), callPath());
    ASSERT_EQ(first.verdict(), Verdict::OnlyCopy);
    first.stop();
    constexpr int starts = 8;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < starts; ++i) {
        SingleInstance next(lockPath(), callPath(), 200ms);
        EXPECT_EQ(next.settle(), Verdict::OtherCopyNotAnswering);
        EXPECT_TRUE(next.notAnsweringText().contains(QStringLiteral("进程号 ") + QString::fromLatin1(ourPid)))
            << next.notAnsweringText().toStdString();
    }
    // Not a measure of speed: a start that waited for the copy would not be back before it goes on.
    EXPECT_LT(clock.elapsed(), starts * 200 * 10);
    EXPECT_EQ(first.calls(), 0);
    first.goOn();
    EXPECT_TRUE(first.waitForCalls(starts));
}

// A living holder that does not listen (yet): the start waits for it and then says so, but runs as soon
// as the holder lets go while it asks.
TEST_F(SingleInstanceTest, AHeldLockIsNotTakenForAFreeOneUntilItsHolderLetsGo)
{
    auto holder = std::make_unique<InstanceLock>(lockPath());
    ASSERT_EQ(holder->tryLock(), InstanceLock::State::Held);
    EXPECT_EQ(SingleInstance(lockPath(), callPath(), 200ms).settle(), Verdict::OtherCopyNotAnswering);
    EXPECT_FALSE(QFileInfo::exists(callPath()));

    std::thread ending([&holder] {
        std::this_thread::sleep_for(100ms);
        holder.reset();
    });
    SingleInstance next(lockPath(), callPath(), 5000ms);
    EXPECT_EQ(next.settle(), Verdict::OnlyCopy);
    ending.join();
    EXPECT_TRUE(QFileInfo::exists(lockPath()));
}
