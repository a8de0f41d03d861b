#pragma once

#include "platform/Presentation.h"

#include <QObject>
#include <QString>
#include <memory>

class TimerDriver;

// The instruction show: one of the instruction decks played full screen while the main window stays
// on top for the countdown. At most one runs; it stays open, even when the user ends the slides by
// hand, until it is closed. A deck met for the first time is converted in the background first: the
// program goes on meanwhile. The windows come back through started() and closed().
class InstructionShow : public QObject {
    Q_OBJECT
public:
    InstructionShow(TimerDriver& timers, PresentationFactory presentations, QString dataFolder);
    ~InstructionShow() override;

    // Whether this build can play decks at all.
    bool isAvailable() const { return bool(presentations_); }

    bool isOpen() const { return open_; }
    // Marks the show open or closed without touching a presentation: the program's start resets it.
    void setOpen(bool open) { open_ = open; }
    // Open, its deck still being opened (converted) before the show can start.
    bool isPreparing() const { return open_ && presentation_ && presentation_->isOpening(); }

    // The deck the show plays, by file name in the data folder (any case).
    const QString& deck() const { return deck_; }
    void setDeck(const QString& deck) { deck_ = deck; }
    // Where the deck is looked for.
    const QString& dataFolder() const { return dataFolder_; }

    // Plays the deck full screen, closing a running show first; returns while the deck opens. A deck
    // that cannot be opened is told by failed(); the show is open all the same, and the next close
    // releases the engine.
    void play(const QString& deck);
    // Ends the show and releases the engine; a deck still being converted is abandoned.
    void close();

    // The engine of the open show; nullptr when none is open or this build has none.
    Presentation* presentation() const { return presentation_.get(); }

signals:
    // The deck is converted before its show can start; that takes seconds.
    void preparing(const QString& deckName);
    // The show runs (or its deck could not be opened): the main window comes back over it.
    void started();
    // The deck could not be opened: why, in words for the user.
    void failed(const QString& why);
    // The show is gone: the desktop and the main window come back.
    void closed();

private:
    void yieldTimes(int times);
    QString deckPath() const;
    void onDeckOpened(bool ok);

    TimerDriver& timers_;
    PresentationFactory presentations_;
    QString dataFolder_;
    std::unique_ptr<Presentation> presentation_;
    QString deck_ = QStringLiteral("MYPPT.PPT");
    bool open_ = false;
};
