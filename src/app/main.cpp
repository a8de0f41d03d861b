#include "app/ProgramServices.h"
#include "platform/dialogs/MessageBoxDialogs.h"
#include "platform/files/ProgramFolder.h"
#include "platform/files/SettingsFile.h"
#include "platform/office/OfficeLeftovers.h"
#include "platform/processes/TerminationSignals.h"
#include "platform/session/DesktopNotice.h"
#include "platform/session/DesktopSession.h"
#include "platform/session/XServerProbe.h"
#include "platform/startup/Catalogue.h"
#include "platform/startup/SingleInstance.h"
#include "platform/timers/RealTimerDriver.h"
#include "ui/Program.h"
#include "ui/WindowFactories.h"
#include "ui/flow/FlowConductor.h"
#include "ui/main/MainWindow.h"
#include "ui/support/FirstApproach.h"
#include "ui/support/FirstPaint.h"
#include "ui/support/Fonts.h"

#include <QApplication>
#include <QCoreApplication>
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
    // The interface speaks the settings' [ui] language, else the desktop's (Chinese where it has none).
    const auto hasCatalogue = [](const QString& language) { return catalogueExists(language); };
    const QString language = chooseLanguage(SettingsFile().value(QStringLiteral("ui/language")),
                                            LocaleEnvironment::fromProcess(), hasCatalogue);
    installCatalogue(QLocale(language));
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
    // Which back-end serves which seam on this session: ProgramServices.
    ProgramServices backEnds(sessionKind, {appDir, dataFolder, shipped}, timers);
    const auto isOnlyCopy = [onlyCopy] { return onlyCopy; };
    Services services = backEnds.forProgram(timers, dialogs, isOnlyCopy);
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
    // desktop that cannot do everything says so, the first time only (through the program's own
    // questions, which a screen reader hears too).
    QTimer::singleShot(0, &app, [&] {
        if (!data.problem.isEmpty())
            program.dialogs().inform(
                program.loaded<MainWindow>(), DesktopNotice::kTitle,
                data.problem + QCoreApplication::translate("main",
                                                           "\n\n“按名单随机抽签”和“PPT图文随机抽签”要用的文件"
                                                           "（name.xls、MYPPT.ppt）都放在这个文件夹中，"
                                                           "解决这个问题之前无法使用；计时器可以照常使用。"));
        if (sessionKind != SessionKind::X11)
            qInfo("vantrel: desktop session: %s", qPrintable(sessionKindName(sessionKind)));
        // It waits for the desktop portal's answer: where the desktop binds F9/F11, they are not missing.
        backEnds.whenFeaturesSettled(&app, [&] {
            DesktopNotice(backEnds.settings())
                .showOnce(program.dialogs(), program.loaded<MainWindow>(), sessionKind, backEnds.features());
        });
    });
    // Once the main window is on screen, what killed earlier runs left (office profiles, pipes,
    // half-written saves) is removed, which only matters once an office of ours starts.
    afterFirstPaint(mainWindow, [dataFolder] { removeLeftoversOfDeadRuns(dataFolder); });
    // Every cue follows a click or key in the main window (开始, or the draws opened from it): the
    // sound back-end is loaded and the cues read in the background when the user first reaches for
    // that window, ahead of the first cue; a program left open unused never pays for it. Watched from
    // the first picture on, so that a window shown under the pointer does not load it meanwhile.
    afterFirstPaint(mainWindow, [mainWindow, &backEnds] {
        onFirstApproach(mainWindow, [&backEnds] { backEnds.sounds().prepare(); });
    });
    // Installed last, so told first: the benchmark sees the start-up without the background work.
    reportFirstPaintWhenAsked(mainWindow);
    return QApplication::exec();
}
