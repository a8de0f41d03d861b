// Start-up of the program against a bare Qt Widgets window (bench_bare_window), alternating runs on
// the same X server: the time from spawning the process to its window painted with its controls
// (both print a marker then, VANTREL_REPORT_FIRST_PAINT, with their peak memory (VmHWM) and the
// shared libraries mapped at that moment), the peak memory two seconds later, once what loads in
// the background is in, and two seconds after the pointer has moved over the window (xdotool), once
// what the program loads for its first use is in too. Run under X with a window manager:
// bench/run_startup_bench.sh.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
    double paintedMs = 0;
    double peakAtPaintMb = 0;
    double peakSettledMb = 0;
    double peakApproachedMb = 0;
    int libraries = 0;
};

double peakMb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return 0;
}

// Runs a shell command line and waits for it; false when it fails.
bool runShell(const std::string& command)
{
    char* argv[] = {const_cast<char*>("sh"), const_cast<char*>("-c"), const_cast<char*>(command.c_str()),
                    nullptr};
    pid_t pid = 0;
    if (::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0)
        return false;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The pointer in the screen's corner, over neither program's window.
bool parkPointer()
{
    return runShell("xdotool mousemove --sync 0 0 >/dev/null 2>&1");
}

// The pointer over the process's window, as a user's hand reaching for it.
bool pointAtWindowOf(pid_t pid)
{
    return runShell(
        "w=$(xdotool search --onlyvisible --pid " + std::to_string(pid) +
        " 2>/dev/null | head -n 1) && [ -n \"$w\" ] && xdotool mousemove --sync --window \"$w\" 40 20");
}

void end(pid_t pid)
{
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

std::optional<Run> measure(const std::string& program, int settleMs, bool approach)
{
    int out[2];
    if (::pipe(out) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    const auto spawned = Clock::now();
    const int failed = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (failed) {
        ::close(out[0]);
        return std::nullopt;
    }
    std::string seen;
    bool painted = false;
    // "first-paint <peak kB> <libraries>" and its line end.
    while (!painted) {
        pollfd fd{out[0], POLLIN, 0};
        if (::poll(&fd, 1, 20000) <= 0)
            break;
        char buffer[256];
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        seen.append(buffer, size_t(n));
        const auto marker = seen.find("first-paint");
        painted = marker != std::string::npos && seen.find('\n', marker) != std::string::npos;
    }
    Run run;
    run.paintedMs = std::chrono::duration<double, std::milli>(Clock::now() - spawned).count();
    if (painted) {
        // As the program itself read them when painted, before anything in the background came in.
        const char* fields = seen.c_str() + seen.find("first-paint") + std::strlen("first-paint");
        char* end = nullptr;
        run.peakAtPaintMb = std::strtod(fields, &end) / 1024.0;
        run.libraries = int(std::strtol(end, nullptr, 10));
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        run.peakSettledMb = peakMb(pid);
        if (approach && pointAtWindowOf(pid)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
            run.peakApproachedMb = peakMb(pid);
        }
        parkPointer();
    }
    end(pid);
    ::close(out[0]);
    if (!painted)
        return std::nullopt;
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <class F> std::vector<double> column(const std::vector<Run>& runs, F field)
{
    std::vector<double> values;
    for (const Run& run : runs)
        values.push_back(field(run));
    return values;
}

} // namespace

int main(int argc, char* argv[])
{
    // bench_startup [program] [bare window] [runs] [settle ms]; by default the program of this build.
    const std::string folder = [&] {
        char self[4096];
        const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
        const std::string path = n > 0 ? std::string(self, size_t(n)) : std::string(argv[0]);
        return path.substr(0, path.rfind('/'));
    }();
    const std::string program = argc > 1 ? argv[1] : folder + "/../vantrel";
    const std::string bare = argc > 2 ? argv[2] : folder + "/startup_bare_window";
    const int runs = argc > 3 ? std::atoi(argv[3]) : 15;
    const int settleMs = argc > 4 ? std::atoi(argv[4]) : 2000;
    ::setenv("VANTREL_REPORT_FIRST_PAINT", "1", 1);

    // Without xdotool the row after the pointer's approach stays empty.
    const bool approach = parkPointer();
    // One run of each first: the data folder is seeded, the files are in the page cache.
    if (!measure(program, 0, false) || !measure(bare, 0, false)) {
        std::fprintf(stderr, "a program did not show its window\n");
        return 1;
    }
    std::vector<Run> ours, baseline;
    for (int i = 0; i < runs; ++i) {
        // Alternating which goes first evens out whatever else the machine is doing.
        const bool oursFirst = i % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool isOurs = (turn == 0) == oursFirst;
            const auto run = measure(isOurs ? program : bare, settleMs, approach);
            if (!run) {
                std::fprintf(stderr, "a program did not show its window\n");
                return 1;
            }
            (isOurs ? ours : baseline).push_back(*run);
        }
    }

    struct Row {
        const char* what;
        double ours;
        double baseline;
        const char* unit;
    };
    const Row rows[] = {
        {"spawn to window painted", median(column(ours, [](const Run& r) { return r.paintedMs; })),
         median(column(baseline, [](const Run& r) { return r.paintedMs; })), "ms"},
        {"peak memory when painted", median(column(ours, [](const Run& r) { return r.peakAtPaintMb; })),
         median(column(baseline, [](const Run& r) { return r.peakAtPaintMb; })), "MB"},
        {"peak memory 2 s later", median(column(ours, [](const Run& r) { return r.peakSettledMb; })),
         median(column(baseline, [](const Run& r) { return r.peakSettledMb; })), "MB"},
        {"peak memory, pointer over it",
         median(column(ours, [](const Run& r) { return r.peakApproachedMb; })),
         median(column(baseline, [](const Run& r) { return r.peakApproachedMb; })), "MB"},
        {"shared libraries when painted",
         median(column(ours, [](const Run& r) { return double(r.libraries); })),
         median(column(baseline, [](const Run& r) { return double(r.libraries); })), ""},
    };
    std::printf("%d alternating runs each, medians\n", runs);
    std::printf("%-32s %12s %12s %8s\n", "", "program", "bare window", "ratio");
    for (const Row& row : rows)
        std::printf("%-32s %9.1f %-2s %9.1f %-2s %7.2fx\n", row.what, row.ours, row.unit, row.baseline,
                    row.unit, row.ours / row.baseline);
    return 0;
}
