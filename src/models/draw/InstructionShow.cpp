#include "models/draw/InstructionShow.h"

#include "platform/Timer.h"
#include "platform/files/ProgramFolder.h"

#include <QDir>

InstructionShow::InstructionShow(TimerDriver& timers, PresentationFactory presentations, QString dataFolder)
    : timers_(timers), presentations_(std::move(presentations)), dataFolder_(std::move(dataFolder))
{
}

InstructionShow::~InstructionShow() = default;

void InstructionShow::yieldTimes(int times)
{
    // The engine and the windows catch up between the steps of a start or a close.
    for (int i = 0; i < times; ++i)
        timers_.yieldToEvents();
}

QString InstructionShow::deckPath() const
{
    const QString found = findFileIgnoringCase(dataFolder_, deck_);
    return found.isEmpty() ? QDir(dataFolder_).filePath(deck_) : found;
}

void InstructionShow::play(const QString& deck)
{
    deck_ = deck;
    // Two decks never run together.
    if (open_) {
        close();
        yieldTimes(3);
    }
    yieldTimes(2);

    open_ = true;
    presentation_ = presentations_ ? presentations_() : nullptr;
    if (!presentation_) {
        emit started();
        return;
    }
    connect(presentation_.get(), &Presentation::converting, this, &InstructionShow::preparing);
    connect(presentation_.get(), &Presentation::opened, this, &InstructionShow::onDeckOpened);
    presentation_->openInBackground(deckPath());
}

void InstructionShow::onDeckOpened(bool ok)
{
    const QString why = ok ? QString() : presentation_->errorText();
    if (ok)
        presentation_->runShow();
    yieldTimes(2);
    // The events let in may have closed the show.
    if (!presentation_)
        return;
    emit started();
    if (!ok) {
        emit failed(why);
        return;
    }
    // The main window stays on top for the timer, but the keys belong to the show.
    if (presentation_)
        presentation_->focusShow();
}

void InstructionShow::close()
{
    yieldTimes(1);
    if (presentation_) {
        presentation_->disconnect(this);
        presentation_->quit();
    }
    presentation_.reset();
    yieldTimes(3);
    open_ = false;
    emit closed();
    yieldTimes(3);
}
