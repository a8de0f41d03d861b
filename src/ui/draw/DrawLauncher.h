#pragma once

#include "platform/CatalogueText.h"
#include "platform/ProgramNoticeTitle.h"
#include "ui/ProgramWindow.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The draw launcher, Form2: offers the draws and the instruction decks, takes the participant count
// of a sequence-number draw, and asks whether to leave a sequence-number round that is not finished.
class DrawLauncher : public ProgramWindow {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::DrawLauncher;
    static constexpr double kDesignClientWidth = 6150;
    static constexpr double kDesignClientHeight = 5625;
    static constexpr double kEntryFrameHeight = 2460;
    static constexpr double kEntryWindowHeight = 2955;
    static inline const CatalogueText kTitle{"DrawLauncher",
                                             QT_TRANSLATE_NOOP("DrawLauncher", "Vantrel工具 - 抽签")};
    static inline const CatalogueText& kNoticeTitle = kProgramNoticeTitle;

    explicit DrawLauncher(Program& program);

    void load() override;

    // The three views.
    void showModeSelection();
    void showCountEntry();
    // Shown by the sequence-number draw when it is left in the middle of a round.
    void showRoundNotFinished();

    // The count read from the count box, kept within 2..200.
    float enteredCount() const { return enteredCount_; }

    // Beeps sounded by this window (the count box refuses characters with them).
    int beepsSounded() const { return beeps_; }

protected:
    // The close box is one more way back: to the main window, or out of an unfinished round.
    void closeEvent(QCloseEvent* event) override;
    // The draws on offer warm up the name list's office; leaving them lets it end after a while.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private slots:
    void onSequenceDrawChosen();
    void onNameListDrawChosen();
    void onSlideDrawChosen();
    void onDeckOneChosen();
    void onDeckTwoChosen();
    void onCountEdited();
    void onCountConfirmed();
    void onCancelClicked();
    void onEndDrawClicked();
    void onContinueDrawClicked();

private:
    void buildControls();
    void keepQuestionClearOfButtons();
    void hideQuestion();
    void beep();
    // Removes a refused character from one end of the count box.
    void refuseEnd(bool atStart);
    void playInstructionDeck(const QString& deck, const QString& feature);
    void notInThisVersion(const QString& feature);
    void backToMainWindow();
    double mainWindowTop();

    float enteredCount_ = 5;
    int beeps_ = 0;

    QFrame* bodyFrame_ = nullptr;
    QFrame* entryGroup_ = nullptr;
    QFrame* modeView_ = nullptr;
    QFrame* drawGroup_ = nullptr;
    QFrame* deckGroup_ = nullptr;
    QLabel* countPrompt_ = nullptr;
    QLabel* countHint_ = nullptr;
    QLabel* question_ = nullptr;
    QLabel* modeHeading_ = nullptr;
    QLineEdit* participantBox_ = nullptr;
    QPushButton* confirmButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* endDrawButton_ = nullptr;
    QPushButton* continueDrawButton_ = nullptr;
    QPushButton* sequenceDrawButton_ = nullptr;
    QPushButton* nameListDrawButton_ = nullptr;
    QPushButton* slideDrawButton_ = nullptr;
    QPushButton* deckOneButton_ = nullptr;
    QPushButton* deckTwoButton_ = nullptr;
};
