#include "ui/draw/NotePlayer.h"

#include "platform/ProgramFolder.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "platform/presentation/Presentation.h"
#include "ui/Program.h"
#include "ui/WindowChrome.h"
#include "ui/main/MainWindow.h"

#include <QDir>
#include <QPointer>
#include <QPushButton>

namespace {

void yieldTimes(Program& program, int times)
{
    for (int i = 0; i < times; ++i)
        program.timers().yieldToEvents();
}

void hideForm(Program& program, WindowKind id)
{
    if (Form* form = program.loadedForm(id))
        form->hide();
}

} // namespace

NotePlayer::NotePlayer(Program& program) : Form(program, WindowKind::InstructionPlayer)
{
    setWindowTitle(QStringLiteral("Form8"));
    resizeTwips(1725, 705);
    Command1 = new QPushButton(QStringLiteral("Command1"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    placeTwips(Command1, -120, 0, 1815, 735);
    connect(Command1, &QPushButton::clicked, this, [this] { command1Click(); });
    WindowChrome::attach(this, {objectName()}, {"Command1"});
}

NotePlayer::~NotePlayer() = default;

void NotePlayer::load()
{
    // The show itself starts in startNoteShow(), so that merely reaching the holder (to call it)
    // never opens a deck.
    setTopTwips(kOffScreenTop);
}

void NotePlayer::unload()
{
    if (presentation_)
        presentation_->quit();
    presentation_.reset();
}

void NotePlayer::openShow()
{
    if (showOpened_)
        return;
    showOpened_ = true;
    presentation_ = program().createPresentation();
    if (auto* main = program().loadedAs<MainWindow>(WindowKind::Main))
        main->resumeTracking();
    if (!presentation_)
        return;

    const QString deck = program().instructionShow().deck();
    QString path = findFileIgnoringCase(program().dataFolder(), deck);
    if (path.isEmpty())
        path = QDir(program().dataFolder()).filePath(deck);
    // A deck that cannot be opened leaves the engine idle; the next close releases it.
    deckOpened_ = presentation_->open(path);
    if (!deckOpened_)
        return;
    presentation_->runShow();
    hide();
    program().windows().makeTopMost(this);
    moveTwips(0, 0);
}

void NotePlayer::startNoteShow()
{
    // This holder may be released by closing a running show below: keep to locals from here on.
    Program& prog = program();
    InstructionShow& show = prog.instructionShow();

    hideForm(prog, WindowKind::DrawLauncher);
    if (show.isOpen()) {
        closeNoteShow();
        yieldTimes(prog, 3);
    }
    hideForm(prog, WindowKind::DrawLauncher);
    yieldTimes(prog, 2);

    auto* player = prog.formAs<NotePlayer>(WindowKind::InstructionPlayer);
    if (player)
        player->openShow();
    yieldTimes(prog, 2);

    // The holder stays hidden: shown off screen it would only take the focus from the show.
    if (player)
        player->setTopTwips(kOffScreenTop);
    hideForm(prog, WindowKind::DrawLauncher);
    show.setOpen(true);

    if (auto* main = prog.loadedAs<MainWindow>(WindowKind::Main)) {
        main->show();
        main->setHeightTwips(MainWindow::kHelpHeight);
        main->resumeTracking();
    }
    // The main window stays on top for the timer, but the keys belong to the show.
    if (player && player->presentation_)
        player->presentation_->focusShow();
}

void NotePlayer::closeNoteShow()
{
    Program& prog = program();
    // The press runs once, here, between the caller's steps before and after the close.
    if (auto* player = prog.formAs<NotePlayer>(WindowKind::InstructionPlayer))
        player->command1Click();
    prog.instructionShow().setOpen(false);
}

void NotePlayer::command1Click()
{
    Program& prog = program();
    yieldTimes(prog, 1);
    if (presentation_)
        presentation_->quit();
    presentation_.reset();
    yieldTimes(prog, 3);

    prog.windows().showTaskbar();
    auto* main = prog.loadedAs<MainWindow>(WindowKind::Main);
    if (main)
        main->resumeTracking();
    yieldTimes(prog, 2);

    hide();
    if (main)
        main->show();
    prog.unload(WindowKind::InstructionPlayer);
    yieldTimes(prog, 3);
}
