// What window tracking costs on a desktop with many windows. Run under an X server, e.g.
//   xvfb-run -a -s "-screen 0 1280x800x24" build/release/bench/bench_tracking [windows] [seconds]
// (defaults 200 windows, 10 s). Three measurements, each against a baseline of the same run:
//  1. the title list: a fresh walk of every top-level window against the event-kept cache;
//  2. one Timer2 tick of the real main window (docking, scan, keys) against the scan alone;
//  3. the running program's CPU time and wake-ups (voluntary context switches) over the given
//     seconds while counting down with the tool strip shown: tracking off (the baseline), tracking
//     ticking every 100 ms whatever happens (as a program that polls keys must), and tracking as it
//     runs, woken by events.
#include "platform/Timer.h"
#include "platform/dialogs/MessageBoxDialogs.h"
#include "platform/sound/PulseSoundDevice.h"
#include "platform/timers/RealTimerDriver.h"
#include "platform/x11/TitleCache.h"
#include "platform/x11/X11WindowSystem.h"
#include "platform/x11/XcbConnection.h"
#include "ui/Program.h"
#include "ui/WindowFactories.h"
#include "ui/display/ToolStrip.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Times the process gave up the processor to wait: each is a wake-up later.
long wakeUps()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw;
}

// Mean wall-clock microseconds of one call.
template <class F> double microsecondsPerCall(int calls, F&& f)
{
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < calls; ++i)
        f();
    return double(clock.nsecsElapsed()) / 1000.0 / calls;
}

// Windows of another program, half of them never mapped.
std::vector<xcb_window_t> makeWindows(xcb_connection_t* c, int count)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const char* name = "_NET_WM_NAME";
    auto* atomReply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    auto* utf8Reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 11, "UTF8_STRING"), nullptr);
    std::vector<xcb_window_t> windows;
    for (int i = 0; i < count; ++i) {
        const xcb_window_t w = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root, int16_t(i % 50), int16_t(i % 40), 100, 60, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        const QByteArray title = QStringLiteral("文档 %1 - 编辑器").arg(i).toUtf8();
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, atomReply->atom, utf8Reply->atom, 8,
                            uint32_t(title.size()), title.data());
        if (i % 2 == 0)
            xcb_map_window(c, w);
        windows.push_back(w);
    }
    free(atomReply);
    free(utf8Reply);
    xcb_flush(c);
    return windows;
}

// Runs the event loop, idle between events, for a while.
void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int windowCount = argc > 1 ? atoi(argv[1]) : 200;
    const int seconds = argc > 2 ? atoi(argv[2]) : 10;

    xcb_connection_t* other = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(other)) {
        fprintf(stderr, "needs an X server (DISPLAY)\n");
        return 2;
    }
    makeWindows(other, windowCount);

    RealTimerDriver timers;
    MessageBoxDialogs dialogs;
    X11WindowSystem windows;
    PulseSoundDeviceFactory sounds(QStringList{QCoreApplication::applicationDirPath()});
    Program program(
        Services{timers, dialogs, windows, sounds, [] { return true; }, QString(), QStringList()});
    registerWindows(program);
    auto* main = program.window<MainWindow>();
    settle(500);

    // 1. The title list.
    XcbConnection probe;
    const auto keepNone = [](xcb_window_t) { return false; };
    const qsizetype seen = windows.topLevelTitles().size();
    const double fresh = microsecondsPerCall(200, [&] { (void)TitleCache::scanNow(probe, keepNone); });
    const double cached = microsecondsPerCall(20000, [&] { (void)windows.topLevelTitles(); });
    printf("titles of %lld windows\n", static_cast<long long>(seen));
    printf("  fresh walk of every window   %9.2f us\n", fresh);
    printf("  event-kept cache             %9.2f us   (%.0fx cheaper)\n", cached, fresh / cached);

    // 2. One tick.
    // The tick runs by hand here, whether tracking sleeps or not: no events are processed while it
    // is measured.
    auto* trackingTimer = main->findChild<Timer*>(QStringLiteral("Timer2"));
    auto runTick = [main] { QMetaObject::invokeMethod(main, "onTrackingTick", Qt::DirectConnection); };
    const double tick = microsecondsPerCall(5000, runTick);
    printf("one Timer2 tick                %9.2f us   (%.3f %% of one core at 10 ticks/s)\n", tick,
           tick * 10 / 1e6 * 100);

    // 3. The running program: counting, strip shown, tracking on and off.
    main->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("99"));
    main->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    main->findChild<QPushButton*>(QStringLiteral("Command4"))->click();
    enum class Tracking { Off, EveryTick, OnEvents };
    struct Cost {
        double cpuPercent;
        double wakeUpsPerSecond;
    };
    QTimer everyTick;
    everyTick.setInterval(100);
    QObject::connect(&everyTick, &QTimer::timeout, runTick);
    auto run = [&](Tracking tracking) {
        trackingTimer->setEnabled(tracking == Tracking::OnEvents);
        if (tracking == Tracking::EveryTick)
            everyTick.start();
        else
            everyTick.stop();
        settle(300);
        const double cpuBefore = cpuSeconds();
        const long wakeUpsBefore = wakeUps();
        settle(seconds * 1000);
        return Cost{(cpuSeconds() - cpuBefore) / seconds * 100, double(wakeUps() - wakeUpsBefore) / seconds};
    };
    settle(2000); // the strip's first showing and the windows' events are over
    const Cost off = run(Tracking::Off);
    const Cost everyTickCost = run(Tracking::EveryTick);
    const Cost onEvents = run(Tracking::OnEvents);
    auto* strip = program.loaded<ToolStrip>();
    printf("running %d s, counting, strip %s:\n", seconds,
           strip && strip->isVisible() ? "shown" : "NOT shown");
    printf("  tracking off                 %9.3f %% of one core  %6.1f wake-ups/s\n", off.cpuPercent,
           off.wakeUpsPerSecond);
    printf("  tracking every 100 ms        %9.3f %% of one core  %6.1f wake-ups/s  (%.2fx the CPU of off)\n",
           everyTickCost.cpuPercent, everyTickCost.wakeUpsPerSecond,
           everyTickCost.cpuPercent / off.cpuPercent);
    printf("  tracking on events           %9.3f %% of one core  %6.1f wake-ups/s  (%.2fx the CPU of off)\n",
           onEvents.cpuPercent, onEvents.wakeUpsPerSecond, onEvents.cpuPercent / off.cpuPercent);
    xcb_disconnect(other);
    return 0;
}
