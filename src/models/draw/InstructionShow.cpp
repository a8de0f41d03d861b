#include "models/draw/InstructionShow.h"

#include "platform/ProgramFolder.h"
#include "platform/Timer.h"

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

    presentation_ = presentations_ ? presentations_() : nullptr;
    if (presentation_ && presentation_->open(deckPath()))
        presentation_->runShow();
    yieldTimes(2);

    open_ = true;
    emit started();
    // The main window stays on top for the timer, but the keys belong to the show.
    if (presentation_)
        presentation_->focusShow();
}

void InstructionShow::close()
{
    yieldTimes(1);
    if (presentation_)
        presentation_->quit();
    presentation_.reset();
    yieldTimes(3);
    open_ = false;
    emit closed();
    yieldTimes(3);
}
