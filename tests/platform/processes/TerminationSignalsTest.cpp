#include "platform/processes/TerminationSignals.h"

#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void (*handlerOf(int signalNumber))(int)
{
    struct sigaction current {};
    ::sigaction(signalNumber, nullptr, &current);
    return current.sa_handler;
}

TEST(TerminationSignalsTest, EachSignalArrivesOnTheEventLoopAndTheOldHandlerComesBack)
{
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        const auto before = handlerOf(number);
        {
            TerminationSignals termination;
            QSignalSpy requested(&termination, &TerminationSignals::requested);
            EXPECT_FALSE(TerminationSignals::isPending());
            ASSERT_EQ(::raise(number), 0);
            // The handler only notes it; the Qt signal comes from the event loop.
            EXPECT_EQ(requested.count(), 0);
            EXPECT_TRUE(TerminationSignals::isPending());
            ASSERT_TRUE(requested.wait(5000)) << number;
            ASSERT_EQ(requested.count(), 1);
            EXPECT_EQ(requested.first().first().toInt(), number);
        }
        EXPECT_EQ(handlerOf(number), before) << number;
    }
}

TEST(TerminationSignalsTest, ASecondSignalEndsTheProgramAtOnce)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TerminationSignals termination;
        ::raise(SIGINT);
        ::raise(SIGTERM);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exited with " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

} // namespace
