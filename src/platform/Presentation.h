#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

// A deck opened for a full-screen show: what the instruction player and the slide draw need of a
// presentation program. Every call but openInBackground() waits for its result; a failing call does
// nothing and leaves the presentation as it was.
class Presentation : public QObject {
    Q_OBJECT
public:
    ~Presentation() override;

    // Opens the deck (.ppt, .pptx, .odp, .pdf ...) and waits. False when it cannot be opened;
    // errorText() then says why, in words for the user.
    virtual bool open(const QString& path) = 0;
    virtual QString errorText() const = 0;
    // Whether the last failure to open lies with the deck file itself (missing, empty, damaged, no
    // slides), so that another deck in its place would do; false when it lies elsewhere (no office,
    // no room for the conversion) and the error text says what to do.
    virtual bool deckIsAtFault() const { return true; }

    // Opens the deck without waiting: returns at once, and opened() tells the outcome from the event
    // loop. A deck that must first be converted (that takes seconds) announces it with converting().
    // A new opening, cancelOpening() or quit() abandons the one under way.
    virtual void openInBackground(const QString& path);
    // Abandons an opening under way: a conversion stops and leaves nothing behind; opened() does not
    // follow.
    virtual void cancelOpening();
    virtual bool isOpening() const { return pendingOpen_ != 0; }

    // Starts the full-screen show at the first slide. False when no deck is open.
    virtual bool runShow() = 0;
    virtual bool isShowRunning() const = 0;

    // Slides of the open deck, hidden slides included; 0 when none is open.
    virtual int slideCount() const = 0;

    // Shows slide n (1-based) in the running show; out-of-range numbers and a stopped show are ignored.
    virtual void gotoSlide(int n) = 0;

    // The slide on show, read back from the show; empty when no show runs.
    virtual std::optional<int> currentShowPosition() const = 0;

    // Ends the show and closes the deck; an opening under way is abandoned.
    virtual void quit() = 0;

    // Hands the keyboard back to the running show after another window was brought up over it, so
    // the arrow keys and Space move the slides.
    virtual void focusShow() {}

    // Keeps one of our windows (the main window with the countdown) above the running show, also while
    // the show has the keyboard, until the show ends.
    virtual void keepAboveShow(QWidget* window) { (void)window; }

signals:
    // The deck is being converted (or, when large, read) before it can be shown: the user waits seconds.
    void converting(const QString& deckName);
    // The end of openInBackground(): whether the deck is open (when not, errorText() says why).
    void opened(bool ok);
    // The user ended the running show himself (Esc, or its window was closed).
    void showEndedByUser();

private:
    // The opening that the default openInBackground() has queued; 0 when none waits.
    int pendingOpen_ = 0;
    int lastOpen_ = 0;
};

using PresentationFactory = std::function<std::unique_ptr<Presentation>()>;
