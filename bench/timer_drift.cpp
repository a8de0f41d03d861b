// Measures how true the countdown tick stays to the clock: the program's drift-free counting timer
// against a naive timer re-armed for 1000 ms after each tick, in the same run. Each tick does a few
// milliseconds of work, as the countdown's handler does when it repaints. Reports the lateness of
// every tick and the error of the 00 : 00 instant, once undisturbed and once with the event loop
// blocked for 3 s in the middle.
//
//   bench_timer_drift [seconds]   (default 60: a 00 : 59 countdown, 00 : 00 at tick 60)

#include "platform/timers/RealTimerDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kIntervalMs = 1000;
constexpr int kWorkMs = 4;

void busyFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
    }
}

struct Result {
    std::vector<double> lateness; // ms after start + k * interval
    double endError = 0;          // ms between the last tick and start + ticks * interval
};

void report(const char* name, const Result& r, int ticks)
{
    const double worst = r.lateness.empty() ? 0 : *std::max_element(r.lateness.begin(), r.lateness.end());
    double sum = 0;
    for (double l : r.lateness)
        sum += l;
    std::printf("  %-22s ticks %3zu/%d  mean late %7.2f ms  worst %7.2f ms  00:00 error %8.2f ms\n", name,
                r.lateness.size(), ticks, r.lateness.empty() ? 0 : sum / double(r.lateness.size()), worst,
                r.endError);
}

void runScenario(int ticks, bool stall)
{
    RealTimerDriver driver;
    QObject owner;
    QElapsedTimer clock;
    Result counting, naive;

    Timer countdown(driver, "Timer1", kIntervalMs, TickPolicy::Counting, &owner);
    int countingTicks = 0;
    countdown.onTick([&] {
        ++countingTicks;
        counting.lateness.push_back(double(clock.nsecsElapsed()) / 1e6 - double(countingTicks) * kIntervalMs);
        busyFor(kWorkMs);
        if (countingTicks == ticks) {
            counting.endError = counting.lateness.back();
            countdown.setEnabled(false);
        }
    });

    QTimer rearmed;
    rearmed.setSingleShot(true);
    rearmed.setTimerType(Qt::PreciseTimer);
    int naiveTicks = 0;
    QObject::connect(&rearmed, &QTimer::timeout, [&] {
        ++naiveTicks;
        naive.lateness.push_back(double(clock.nsecsElapsed()) / 1e6 - double(naiveTicks) * kIntervalMs);
        busyFor(kWorkMs);
        if (naiveTicks == ticks)
            naive.endError = naive.lateness.back();
        else
            rearmed.start(kIntervalMs);
    });

    if (stall) {
        QTimer::singleShot(ticks * kIntervalMs / 2 + 300, [] { QThread::msleep(3000); });
    }

    clock.start();
    countdown.setEnabled(true);
    rearmed.start(kIntervalMs);

    const qint64 deadline = qint64(ticks + 6) * kIntervalMs;
    while (clock.elapsed() < deadline && (countdown.isEnabled() || naiveTicks < ticks))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);

    std::printf("%s, %d ticks of %d ms, %d ms of work per tick:\n",
                stall ? "Event loop blocked for 3 s once" : "Undisturbed", ticks, kIntervalMs, kWorkMs);
    report("drift-free counting", counting, ticks);
    report("naive re-armed 1000 ms", naive, ticks);
    if (naive.endError != 0)
        std::printf("  ratio of 00:00 errors (naive / counting): %.1f\n",
                    naive.endError / std::max(0.01, std::abs(counting.endError)));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(5, atoi(argv[1])) : 60;
    runScenario(ticks, false);
    runScenario(ticks, true);
    return 0;
}
