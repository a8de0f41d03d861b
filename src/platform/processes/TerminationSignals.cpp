#include "platform/processes/TerminationSignals.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};

// The handler may only touch these: a socket write and a flag are async-signal-safe.
int writeEnd = -1;
int readEnd = -1;
volatile sig_atomic_t pending = 0;
std::array<struct sigaction, kSignals.size()> previous{};

void onSignal(int number)
{
    if (pending) {
        ::signal(number, SIG_DFL);
        ::raise(number);
        return;
    }
    pending = 1;
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0)
        return;
    readEnd = ends[0];
    writeEnd = ends[1];
    pending = 0;
    notifier_ = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &previous[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &previous[i], nullptr);
    delete notifier_;
    ::close(readEnd);
    ::close(writeEnd);
    readEnd = writeEnd = -1;
}

bool TerminationSignals::isPending()
{
    return pending != 0;
}

void TerminationSignals::readPipe()
{
    unsigned char byte = 0;
    while (::read(readEnd, &byte, 1) == 1)
        emit requested(int(byte));
}
