#include "platform/FirstApproach.h"
#include "platform/FirstPaint.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxDialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/RealTimerDriver.h"
#include "platform/SettingsFile.h"
#include "platform/SettingsZoomStore.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"
#include "platform/X11WindowSystem.h"
#include "platform/modules/ModuleBackends.h"
#include "platform/modules/ModuleEntry.h"
#include "platform/modules/ModuleLibrary.h"
#include "platform/modules/ModuleSoundDevices.h"
#include "platform/modules/ModuleSpreadsheet.h"
#include "platform/office/OfficeLeftovers.h"
#include "platform/office/WarmSpreadsheet.h"
#include "platform/session/AccessibleWindowTitles.h"
#include "platform/session/DesktopNotice.h"
#include "platform/session/DesktopSession.h"
#include "platform/session/ForeignToplevels.h"
#include "platform/session/PortalShortcuts.h"
#include "platform/session/QtOnlyWindowSystem.h"
#include "platform/session/WindowSystemWithAccessibleTitles.h"
#include "platform/session/WindowSystemWithForeignToplevels.h"
#include "platform/session/WindowSystemWithPortalKeys.h"
#include "platform/session/XServerProbe.h"
#include "ui/Program.h"
#include "ui/WindowFactories.h"
#include "ui/flow/FlowConductor.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <memory>

int main(int argc, char* argv[])
{
    // Which installed faces stand in for the designed ones is looked up while the display connects.
    InstalledFacesLookup installedFaces;
    // On a Wayland desktop our windows go through XWayland where it exists: only there can they place
    // themselves and stay above a full-screen show. Programs we start get the environment unchanged.
    const DesktopSession session = DesktopSession::detect(SessionEnvironment::fromProcess(), probeXServer);
    if (!session.platformToRequest().isEmpty())
        qputenv("QT_QPA_PLATFORM", session.platformToRequest().toLocal8Bit());
    QApplication app(argc, argv);
    if (!session.platformToRequest().isEmpty())
        qunsetenv("QT_QPA_PLATFORM");
    const SessionKind sessionKind = session.kindOnPlatform(QGuiApplication::platformName());
    QApplication::setApplicationName(QStringLiteral("vantrel"));
    QApplication::setDesktopFileName(QStringLiteral("vantrel"));
    // The program lives in the tray and its hidden windows; closing the last one is not the end.
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutes();
    useInstalledFaces(installedFaces.result());

    const QString appDir = QApplication::applicationDirPath();
    const QStringList shipped = ProgramFolder::shippedFolders(appDir);
    const ProgramFolder::Located data = ProgramFolder::locate(appDir, shipped);
    const QString dataFolder = data.path;
    if (!data.problem.isEmpty())
        qWarning("vantrel: %s", qPrintable(data.problem));
    // Files named without a folder (the help, the decks) are found in the data folder.
    QDir::setCurrent(dataFolder);

    RealTimerDriver timers;
    MessageBoxDialogs dialogs;
    // Whether another copy runs is settled before any window is made: a copy that does not answer
    // (stopped, or hung) is told at once, without a window of ours that could not come back.
    SingleInstance instance;
    const SingleInstance::Verdict verdict = instance.settle();
    for (const QString& problem : instance.problems())
        qWarning("vantrel: %s", qPrintable(problem));
    if (verdict == SingleInstance::Verdict::OtherCopyNotAnswering) {
        qWarning("vantrel: another copy of the program runs but does not answer");
        dialogs.systemModalNotice(SingleInstance::kNoticeTitle, instance.notAnsweringText());
        return 1;
    }
    const bool onlyCopy = verdict == SingleInstance::Verdict::OnlyCopy;
    // Without an X server for our windows, the X11 layer would see none of them.
    std::unique_ptr<WindowSystem> desktopWindows;
    if (sessionKind == SessionKind::WaylandNative)
        desktopWindows = std::make_unique<QtOnlyWindowSystem>();
    else
        desktopWindows =
            std::make_unique<X11WindowSystem>(sessionKind == SessionKind::WaylandThroughXWayland);
    // On Wayland, F9/F11 pressed in another program reach us only as the desktop portal's global
    // shortcuts, where the desktop offers them.
    std::unique_ptr<PortalShortcuts> portalKeys;
    std::unique_ptr<WindowSystem> windowsWithPortalKeys;
    if (sessionKind != SessionKind::X11) {
        portalKeys = std::make_unique<PortalShortcuts>();
        const char* withoutPortal =
            sessionKind == SessionKind::WaylandNative
                ? "vantrel: F9/F11: not available"
                : "vantrel: F9/F11: X11 key events, only while a window of ours has the focus";
        QObject::connect(portalKeys.get(), &PortalShortcuts::stateChanged, &app, [withoutPortal](auto state) {
            if (state == PortalShortcuts::State::Bound)
                qInfo("vantrel: F9/F11: the desktop portal's global shortcuts");
            else if (state == PortalShortcuts::State::Unavailable)
                qInfo("%s", withoutPortal);
        });
        portalKeys->start();
        windowsWithPortalKeys = std::make_unique<WindowSystemWithPortalKeys>(*desktopWindows, *portalKeys);
    }
    WindowSystem* chosenWindows = windowsWithPortalKeys ? windowsWithPortalKeys.get() : desktopWindows.get();
    // On Wayland, another program's native window (a show in LibreOffice or a browser) has no X11
    // window. A wlroots compositor lists every window itself, full-screen state and monitor included.
    std::unique_ptr<ForeignToplevels> foreignToplevels;
    std::unique_ptr<WindowSystem> windowsWithForeignToplevels;
    if (sessionKind != SessionKind::X11) {
        foreignToplevels = std::make_unique<ForeignToplevels>();
        if (foreignToplevels->start()) {
            qInfo("vantrel: window titles: also from the compositor's window list");
            windowsWithForeignToplevels = std::make_unique<WindowSystemWithForeignToplevels>(
                *chosenWindows, foreignToplevels->windows());
            chosenWindows = windowsWithForeignToplevels.get();
        }
    }
    // Elsewhere the title is found on the accessibility bus, where the desktop runs one.
    std::unique_ptr<AccessibleWindowTitles> accessibleTitles;
    std::unique_ptr<WindowSystem> windowsWithAccessibleTitles;
    if (sessionKind != SessionKind::X11 && !windowsWithForeignToplevels) {
        accessibleTitles = std::make_unique<AccessibleWindowTitles>();
        if (accessibleTitles->start()) {
            qInfo("vantrel: window titles: also from the accessibility bus");
            windowsWithAccessibleTitles =
                std::make_unique<WindowSystemWithAccessibleTitles>(*chosenWindows, *accessibleTitles);
            chosenWindows = windowsWithAccessibleTitles.get();
        }
    }
    WindowSystem& windows = *chosenWindows;
    // The office engine, the slide show and the sound cues are modules, loaded when first needed: the
    // main window comes up without their libraries.
    const QStringList moduleFolders = ModuleLibrary::searchFolders(appDir);
    ModuleLibrary soundModule(modules::kSoundModule, moduleFolders);
    ModuleLibrary slidesModule(modules::kSlidesModule, moduleFolders);
    ModuleLibrary officeModule(modules::kOfficeModule, moduleFolders);
    const QStringList cueFolders = QStringList{dataFolder} + shipped;
    ModuleSoundDeviceFactory sounds(
        [&soundModule, cueFolders] { return modules::createSoundFactory(soundModule, cueFolders); });
    const auto isOnlyCopy = [onlyCopy] { return onlyCopy; };
    // Outlive the windows that use them; the background instance ends with the program, or when the
    // name list has not been needed for a while.
    std::unique_ptr<ModuleSpreadsheet> spreadsheet;
    std::unique_ptr<WarmSpreadsheet> warmSpreadsheet;
#ifdef VANTREL_HAVE_OFFICE_MODULE
    spreadsheet = std::make_unique<ModuleSpreadsheet>(
        [&officeModule] { return modules::createSpreadsheet(officeModule); });
    warmSpreadsheet = std::make_unique<WarmSpreadsheet>(*spreadsheet, timers);
#endif

    SettingsFile settings;
    SettingsZoomStore zoomStore(settings);
    Services services{timers, dialogs, windows, sounds, isOnlyCopy, dataFolder, shipped};
    services.zoomStore = &zoomStore;
    services.presentations = [&slidesModule] { return modules::createPresentation(slidesModule); };
    services.spreadsheet = warmSpreadsheet.get();
    services.officeWarmUp = warmSpreadsheet.get();
    Program program(std::move(services));
    registerWindows(program);
    // A logout, `kill` or Ctrl+C ends the program as 退出 does, without the question: a round's draws
    // are saved and our office instances end.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::requested, &app, [&program] { program.shutdown(); });

    bool ended = false;
    int exitCode = 0;
    program.onQuit([&](int code) {
        ended = true;
        exitCode = code;
        QApplication::exit(code);
    });

    // The first copy answers a second start by bringing its main window back into view.
    QObject::connect(&instance.calls(), &RunningCopyCall::called, &app, [&program] {
        program.conductor().bringBackMain();
    });
    ProgramWindow* mainWindow = program.start();
    if (ended)
        return exitCode;
    // Once the main window is up, a data folder that could not be made is told at every start, and a
    // desktop that cannot do everything says so, the first time only.
    QTimer::singleShot(0, &app, [&] {
        if (!data.problem.isEmpty())
            static_cast<Dialogs&>(dialogs).inform(
                program.loaded<MainWindow>(), DesktopNotice::kTitle,
                data.problem + QStringLiteral("\n\n“按名单随机抽签”和“PPT图文随机抽签”要用的文件"
                                              "（name.xls、MYPPT.ppt）都放在这个文件夹中，"
                                              "解决这个问题之前无法使用；计时器可以照常使用。"));
        if (sessionKind != SessionKind::X11)
            qInfo("vantrel: desktop session: %s", qPrintable(sessionKindName(sessionKind)));
        // It waits for the desktop portal's answer: where the desktop binds F9/F11, they are not missing.
        const auto showNotice = [&] {
            SessionFeatures features = DesktopSession::featuresOf(sessionKind);
            if (portalKeys && portalKeys->state() == PortalShortcuts::State::Bound)
                features.keys = GlobalKeys::Everywhere;
            // A compositor that lists its windows shows us every program's, native ones included.
            if (windowsWithForeignToplevels)
                features.titles = OtherWindowTitles::All;
            DesktopNotice(settings).showOnce(dialogs, program.loaded<MainWindow>(), sessionKind, features);
        };
        if (portalKeys && portalKeys->state() == PortalShortcuts::State::Asking)
            QObject::connect(portalKeys.get(), &PortalShortcuts::stateChanged, &app, showNotice,
                             Qt::SingleShotConnection);
        else
            showNotice();
    });
    // Once the main window is on screen, what killed earlier runs left (office profiles, pipes,
    // half-written saves) is removed, which only matters once an office of ours starts.
    afterFirstPaint(mainWindow, [dataFolder] { removeLeftoversOfDeadRuns(dataFolder); });
    // Every cue follows a click or key in the main window (开始, or the draws opened from it): the
    // sound back-end is loaded and the cues read in the background when the user first reaches for
    // that window, ahead of the first cue; a program left open unused never pays for it. Watched from
    // the first picture on, so that a window shown under the pointer does not load it meanwhile.
    afterFirstPaint(mainWindow,
                    [mainWindow, &sounds] { onFirstApproach(mainWindow, [&sounds] { sounds.prepare(); }); });
    // Installed last, so told first: the benchmark sees the start-up without the background work.
    reportFirstPaintWhenAsked(mainWindow);
    return QApplication::exec();
}
