#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

// A deck opened for a full-screen show: what the instruction player and the slide draw need of a
// presentation program. Every call waits for its result; a failing call does nothing and leaves the
// presentation as it was.
class Presentation {
public:
    virtual ~Presentation() = default;

    // Opens the deck (.ppt, .pptx, .odp, .pdf ...). False when it cannot be opened; errorText() then
    // says why, in words for the user.
    virtual bool open(const QString& path) = 0;
    virtual QString errorText() const = 0;

    // Starts the full-screen show at the first slide. False when no deck is open.
    virtual bool runShow() = 0;
    virtual bool isShowRunning() const = 0;

    // Slides of the open deck, hidden slides included; 0 when none is open.
    virtual int slideCount() const = 0;

    // Shows slide n (1-based) in the running show; out-of-range numbers and a stopped show are ignored.
    virtual void gotoSlide(int n) = 0;

    // The slide on show, read back from the show; empty when no show runs.
    virtual std::optional<int> currentShowPosition() const = 0;

    // Ends the show and closes the deck.
    virtual void quit() = 0;

    // Hands the keyboard back to the running show after another window was brought up over it, so
    // the arrow keys and Space move the slides.
    virtual void focusShow() {}
};

using PresentationFactory = std::function<std::unique_ptr<Presentation>()>;
