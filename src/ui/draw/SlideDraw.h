#pragma once

#include "models/draw/DrawRound.h"
#include "platform/CatalogueText.h"
#include "ui/ProgramWindow.h"

#include <QPointer>
#include <memory>

class DeckConversionNotice;
class Presentation;
class QLabel;
class QLineEdit;
class PostedStep;
class QPushButton;
class Timer;

// The slide draw (Form5): the deck MYPPT.ppt runs full screen and every slide is a lot. "准备" rolls
// random slides every 6 ms, "抽签" stops on a slide not drawn yet in this round, the counter shows
// the position read back from the show. The toolbar stays above the show.
class SlideDraw : public ProgramWindow {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::SlideDraw;
    static inline const QString kDeckName = QStringLiteral("MYPPT.ppt");
    static inline const CatalogueText kNoticeTitle{"SlideDraw",
                                                   QT_TRANSLATE_NOOP("SlideDraw", "PPT随机抽签程序提示：")};
    static inline const CatalogueText kRoundOver{"SlideDraw",
                                                 QT_TRANSLATE_NOOP("SlideDraw", "本轮抽签结束！！！  ")};
    static inline const CatalogueText kDrawing{"SlideDraw", QT_TRANSLATE_NOOP("SlideDraw", "正在抽签")};
    // The counter once the user ended the show himself, and how to go on.
    static inline const CatalogueText kShowEnded{"SlideDraw", QT_TRANSLATE_NOOP("SlideDraw", "放映已结束")};
    static inline const CatalogueText kShowEndedHint{
        "SlideDraw",
        QT_TRANSLATE_NOOP("SlideDraw", "放映已结束：按“准备”重新放映并继续本轮抽签，按“退出”返回主窗口。")};
    static constexpr int kMaxDrawn = DrawPot::kMaxEntries;
    static constexpr double kCounterPointSize = 14.25;
    static constexpr double kWidthTwips = 4530;
    static constexpr double kHeightTwips = 720;
    static constexpr double kHeightWithHintTwips = 1380;

    explicit SlideDraw(Program& program);
    ~SlideDraw() override;

    void load() override;
    void unload() override;

    // Slides in the deck, and how many of them take part (the first 200 at most).
    int deckSlideCount() const { return deckSlideCount_; }
    int drawableSlideCount() const { return int(round_.count()); }
    // The slides of this round still to be drawn.
    int remainingInRound() const { return round_.remaining(); }
    // The slide drawn last, also once its draw ended the round; 0 before the first draw.
    int lastSlide() const { return lastSlide_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void onPrepareClicked();
    void onDrawClicked();
    // The drawn slide on the counter once the show has caught up.
    void showDrawnSlide();
    void onQuitClicked();
    void onRollTick();
    void onDeckConverting(const QString& deck);
    void onDeckOpened(bool ok);
    void onShowEndedByUser();

private:
    void openDeck();
    void tellDeckProblem();
    void setCounterText(const QString& text);
    void showEndedHint(bool shown);
    // Stops the show and gives the main window back; runs once, by Quit or by any other close.
    void leave();

    std::unique_ptr<Presentation> presentation_;
    DrawRound round_;
    int deckSlideCount_ = 0;
    int lastSlide_ = 0;
    // Why the deck cannot be drawn from; empty when it can.
    QString deckProblem_;
    // Another deck put in its place would do: the message says where to put it.
    bool deckIsAtFault_ = true;
    bool left_ = false;

    QPushButton* prepareButton_ = nullptr;
    QPushButton* drawButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QLineEdit* counter_ = nullptr;
    QLabel* showEndedHint_ = nullptr;
    Timer* rollTimer_ = nullptr;
    PostedStep* drawStep_ = nullptr;
    QPointer<DeckConversionNotice> conversionNotice_;
};
