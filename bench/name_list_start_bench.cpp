// 开始 to rolling in the name-list draw against a real LibreOffice, the way the program runs it (the
// name list over the office kept warm): pressed the moment the window opens (the office is started
// as the draws are offered, but has not come up yet), and pressed after the window has been open for
// three seconds. The baseline, measured in the same run, is the engine's own cold start: starting
// our instance until it answers, with no list opened. Beside the times, how long the window stood
// still meanwhile: the longest gap between the ticks of a 10 ms timer on its thread.
#include "models/draw/NameList.h"
#include "platform/office/LibreOfficeSpreadsheet.h"
#include "platform/office/WarmSpreadsheet.h"
#include "platform/timers/RealTimerDriver.h"
#include "support/StallWatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Measured {
    double ms = -1;
    double stallMs = 0;
};

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Time from the engine's start to its answer; negative when it did not come up.
double engineColdStart()
{
    LibreOfficeSpreadsheet engine;
    QElapsedTimer timer;
    timer.start();
    QEventLoop loop;
    bool ok = false;
    engine.start([&](const OfficeError& error) {
        ok = !error;
        loop.quit();
    });
    loop.exec();
    const double ms = timer.nsecsElapsed() / 1e6;
    engine.quit();
    wait(300);
    return ok ? ms : -1;
}

// Time from 开始 to the list read and the round rolling; waitMs is how long the window has been open,
// or -1: until the list is opened ahead, however long that takes. The stand-still is measured from
// the window's opening to the rolling.
Measured startToRolling(const QString& folder, int waitMs)
{
    LibreOfficeSpreadsheet engine;
    RealTimerDriver timers;
    WarmSpreadsheet warm(engine, timers);
    NameList list(&warm, folder);
    StallWatch watch(10);
    // The draws are offered: the office starts and opens the list ahead.
    warm.prepare(folder + QStringLiteral("/name.xls"), QStringLiteral("sheet1"));
    if (waitMs > 0)
        wait(waitMs);
    for (int waited = 0; waitMs < 0 && !warm.hasParkedWorkbook() && waited < 60000; waited += 20)
        wait(20);
    QElapsedTimer timer;
    timer.start();
    QEventLoop loop;
    bool ok = false;
    list.open([&](const NameList::Problem& problem) {
        ok = !problem && list.count() > 0;
        if (problem)
            std::fprintf(stderr, "%s\n", qPrintable(problem.text));
        loop.quit();
    });
    if (list.isOpening())
        loop.exec();
    const double ms = timer.nsecsElapsed() / 1e6;
    const double stall = watch.longestMs();
    list.saveAndEnd();
    warm.end();
    wait(300);
    return {ok ? ms : -1, stall};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString sample = argc > 1 && argv[1][0] ? QString::fromLocal8Bit(argv[1])
                                                  : QStringLiteral(VANTREL_SAMPLE_DIR "/name.xls");
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("name.xls"));
    QFile::copy(sample, path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    std::vector<double> engine, atOnce, afterThree, ready, atOnceStall, afterThreeStall, readyStall;
    for (int round = 0; round < rounds; ++round) {
        const double e = engineColdStart();
        const Measured a = startToRolling(dir.path(), 0);
        const Measured w = startToRolling(dir.path(), 3000);
        const Measured r = startToRolling(dir.path(), -1);
        if (e < 0 || a.ms < 0 || w.ms < 0 || r.ms < 0) {
            std::fprintf(stderr, "the office did not come up\n");
            return 1;
        }
        engine.push_back(e);
        atOnce.push_back(a.ms);
        afterThree.push_back(w.ms);
        ready.push_back(r.ms);
        atOnceStall.push_back(a.stallMs);
        afterThreeStall.push_back(w.stallMs);
        readyStall.push_back(r.stallMs);
    }
    const double base = median(engine);
    std::printf("%d rounds, medians; baseline: the engine's own cold start, %.0f ms\n", rounds, base);
    std::printf("%-52s %9s %8s %14s\n", "", "median", "ratio", "window still");
    const auto row = [base](const char* what, const std::vector<double>& times,
                            const std::vector<double>& stalls) {
        std::printf("%-52s %6.0f ms %7.2fx %11.0f ms\n", what, median(times), median(times) / base,
                    median(stalls));
    };
    row("开始 -> rolling, pressed as the window opens", atOnce, atOnceStall);
    row("开始 -> rolling, window open for 3 s", afterThree, afterThreeStall);
    row("开始 -> rolling, list already opened ahead", ready, readyStall);
    return 0;
}
