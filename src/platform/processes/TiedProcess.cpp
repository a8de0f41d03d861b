#include "platform/processes/TiedProcess.h"

#include <QProcess>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

void tieToThisProgram(QProcess& process)
{
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The program died between fork and prctl: nobody is left to end this process.
        if (::getppid() != parent)
            ::_exit(127);
    });
}
