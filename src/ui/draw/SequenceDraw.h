#pragma once

#include "models/draw/DrawRound.h"
#include "models/draw/ParticipantCount.h"
#include "platform/CatalogueText.h"
#include "ui/ProgramWindow.h"

#include <array>
#include <memory>

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
class SoundDevice;
class Timer;

// The sequence-number draw, Form7: draws 1..N one at a time without repetition, round after round,
// with a rolling display between draws and the list of the numbers drawn so far. The round itself,
// with what was drawn, is a DrawRound; this window shows it and passes the clicks on.
class SequenceDraw : public ProgramWindow {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::SequenceDraw;
    static constexpr double kDesignClientWidth = 11715;
    static constexpr double kDesignClientHeight = 8445;
    static constexpr double kDrawnHeight = 8865;
    static constexpr double kNumberPoints = 350.25;
    static inline const CatalogueText kTitle{"SequenceDraw",
                                             QT_TRANSLATE_NOOP("SequenceDraw", "Vantrel工具 - 随机抽签程序")};
    static inline const CatalogueText kReadyPrompt{
        "SequenceDraw", QT_TRANSLATE_NOOP("SequenceDraw", "请点击“抽签”按钮开始抽签")};
    static inline const CatalogueText kNextPrompt{"SequenceDraw",
                                                  QT_TRANSLATE_NOOP("SequenceDraw", "请点击“抽签”按钮")};
    static inline const CatalogueText kDrawnPrompt{"SequenceDraw",
                                                   QT_TRANSLATE_NOOP("SequenceDraw", "您抽取的顺序号为:")};
    static inline const QString kSeparator = QStringLiteral("，");
    // List fonts in points, the largest first: the largest that holds a whole round is used.
    static constexpr std::array<double, 6> kListPoints{21.75, 18, 15.75, 14, 12, 10.5};
    // How much of the number display the list may take for a long round.
    static constexpr double kListShareOfDisplay = 0.4;

    // N as the launcher took it; kept within 2..200. A draw loaded without one has the fewest.
    explicit SequenceDraw(Program& program, float participantCount = participants::kFewest);
    ~SequenceDraw() override;

    void load() override;
    void unload() override;

    float participantCount() const { return participantCount_; }
    // A round is under way: leaving asks first.
    bool isRoundOpen() const { return round_.isOpen(); }
    const DrawRound& round() const { return round_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The close box leaves the draw as "结  束" does.
    void closeEvent(QCloseEvent* event) override;

private slots:
    void onDrawClicked();
    void onNextClicked();
    void onNextRoundClicked();
    void onEndClicked();
    void onRollTick();

private:
    void buildControls();
    // Sizes the big digits so that three of them fit the display on any installed font.
    void fitNumberFont();
    // Picks the list's font and grows the list into the display so that a whole round shows.
    void fitDrawnList();
    // The list's height, frame included, that shows every number of a round in this font.
    int listHeightFor(const QFont& font) const;
    static qreal listLineHeight(const QFont& font);
    void showDrawnList();
    void playCue(const QString& fileName);
    double mainWindowTop();

    const float participantCount_;
    DrawRound round_;
    std::unique_ptr<SoundDevice> cue_;

    QFrame* displayFrame_ = nullptr;
    QFrame* buttonBar_ = nullptr;
    QFrame* listFrame_ = nullptr;
    QLabel* numberLabel_ = nullptr;
    QLabel* promptLabel_ = nullptr;
    QLabel* roundOverLabel_ = nullptr;
    QLabel* headingLabel_ = nullptr;
    QTextEdit* drawnList_ = nullptr;
    QPushButton* drawButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* nextRoundButton_ = nullptr;
    QPushButton* endButton_ = nullptr;
    Timer* rollTimer_ = nullptr;
};
