#include "models/draw/InstructionShow.h"
#include "models/tracking/WindowTracking.h"
#include "ui/Program.h"
#include "ui/display/Tray.h"
#include "ui/draw/DrawLauncher.h"
#include "ui/draw/SequenceDraw.h"
#include "ui/flow/FlowConductor.h"
#include "ui/main/MainWindow.h"

#include <QPushButton>

// What the windows ask of the flow: the main window back or away, a draw opened from the launcher,
// a window done with. No window opens, closes or moves another itself.

bool FlowConductor::offers(WindowKind kind) const
{
    return program_.isAvailable(kind);
}

std::optional<QRectF> FlowConductor::mainWindowRect() const
{
    if (!main_)
        return std::nullopt;
    return QRectF(main_->leftTwips(), main_->topTwips(), main_->widthTwips(), main_->heightTwips());
}

double FlowConductor::mainWindowTop() const
{
    return main_ ? main_->topTwips() : MainWindow::kStandardTop;
}

void FlowConductor::showMainWindow()
{
    if (main_)
        main_->show();
}

void FlowConductor::hideMainWindow()
{
    if (main_)
        main_->hide();
}

void FlowConductor::close(WindowKind kind)
{
    program_.unload(kind);
}

void FlowConductor::restoreMainOverStrip(const QRectF& strip)
{
    if (!main_)
        return;
    MainWindow& main = *main_;
    main.moveTwips(strip.left() - (main.widthTwips() - strip.width()) / 2, strip.top());
    main.show();
    // The user asked for the main window: bring it up even over a focused full-screen show.
    main.raise();
    main.activateWindow();
    program_.tracking().clearDocked();
}

void FlowConductor::openNameListDraw()
{
    ProgramWindow* nameList = program_.window(WindowKind::NameListDraw);
    if (!nameList)
        return;
    nameList->show();
    // A window kept from an earlier visit is not loaded again: its list is prepared here.
    program_.prepareNameList();
    nameList->centreHorizontally(mainWindowTop());
    if (auto* quit = nameList->findChild<QPushButton*>(QStringLiteral("CommandQuit")))
        quit->setEnabled(true);
}

void FlowConductor::openSlideDraw()
{
    // The slide draw needs the screen the instruction show holds.
    if (program_.instructionShow().isOpen())
        program_.instructionShow().close();
    ProgramWindow* slides = program_.window(WindowKind::SlideDraw);
    if (!slides)
        return;
    slides->show();
    slides->centreHorizontally(mainWindowTop());
    hideMainWindow();
}

void FlowConductor::openSequenceDraw(float participants)
{
    // A draw window left behind from an earlier opening would keep its old count: start afresh.
    if (auto* draw = program_.reopen<SequenceDraw>(participants))
        draw->show();
    else
        leaveLauncher();
}

void FlowConductor::leaveLauncher()
{
    resumeTracking();
    program_.unload(WindowKind::DrawLauncher);
    showMainWindow();
}

void FlowConductor::endSequenceRound()
{
    resumeTracking();
    // Unloading the draw stops its rolling with the rest of its timers.
    program_.unload(WindowKind::DrawLauncher);
    program_.unload(WindowKind::SequenceDraw);
    showMainWindow();
}

void FlowConductor::continueSequenceRound()
{
    ProgramWindow* draw = program_.loadedWindow(WindowKind::SequenceDraw);
    if (!draw) {
        // Nothing to go back to: the way home is the main window.
        leaveLauncher();
        return;
    }
    if (ProgramWindow* launcher = program_.loadedWindow(WindowKind::DrawLauncher))
        launcher->hide();
    draw->show();
}

void FlowConductor::askAboutOpenRound()
{
    if (auto* launcher = program_.window<DrawLauncher>())
        launcher->showRoundNotFinished();
}

double FlowConductor::sequenceDrawTop() const
{
    // Opened from the launcher, the draw takes its place; otherwise the main window's.
    if (const ProgramWindow* launcher = program_.loadedWindow(WindowKind::DrawLauncher))
        return launcher->topTwips();
    return mainWindowTop();
}

bool FlowConductor::trayIsAWayBack() const
{
    return trayAvailable(program_);
}
