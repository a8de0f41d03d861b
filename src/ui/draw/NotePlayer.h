#pragma once

#include "ui/Form.h"

#include <memory>

class Presentation;
class QPushButton;

// Form8: the hidden holder of an instruction show. It owns the presentation for as long as the show
// runs; the user never sees or operates it. The launcher, the slide draw and the exit reach it through
// startNoteShow() and closeNoteShow().
class NotePlayer : public Form {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::InstructionPlayer;
    static constexpr double kOffScreenTop = -2000;

    explicit NotePlayer(Program& program);
    ~NotePlayer() override;

    void load() override;
    void unload() override;

    // Plays the instruction show's deck full screen, closing a running instruction show first, and
    // brings the main window back over it.
    Q_INVOKABLE void startNoteShow();
    // Ends the instruction show and returns to the main window.
    Q_INVOKABLE void closeNoteShow();

    // The holder's one button: quits the show, shows the taskbar and the main window, and unloads
    // the holder. closeNoteShow() presses it.
    void command1Click();

    Presentation* presentation() const { return presentation_.get(); }
    bool deckOpened() const { return deckOpened_; }

    QPushButton* Command1;

private:
    // Creates the presentation, opens the deck and starts its show. Runs once per holder.
    void openShow();
    void returnToMainWindow(double height);

    std::unique_ptr<Presentation> presentation_;
    bool showOpened_ = false;
    bool deckOpened_ = false;
};
