#pragma once

#include "models/draw/DrawPot.h"
#include "ui/Form.h"

#include <cstdint>
#include <memory>

class Presentation;
class RandomSource;
class QLineEdit;
class QPushButton;
class Timer;

// Form5, the slide draw: the deck MYPPT.ppt runs full screen and every slide is a lot. "准备" rolls
// random slides every 6 ms, "抽签" stops on a slide not drawn yet in this round, the counter shows
// the position read back from the show. The toolbar stays above the show.
class SlideDraw : public Form {
    Q_OBJECT
public:
    static constexpr WindowKind kKind = WindowKind::SlideDraw;
    static inline const QString kDeckName = QStringLiteral("MYPPT.ppt");
    static inline const QString kNoticeTitle = QStringLiteral("PPT随机抽签程序提示：");
    static inline const QString kRoundOver = QStringLiteral("本轮抽签结束！！！  ");
    static inline const QString kDrawing = QStringLiteral("正在抽签");
    static constexpr int kMaxDrawn = DrawPot::kMaxEntries;
    static constexpr double kCounterPointSize = 14.25;

    explicit SlideDraw(Program& program);
    ~SlideDraw() override;

    void load() override;
    void unload() override;

    void command3Click(); // 准备
    void command4Click(); // 抽签
    void command1Click(); // 退出
    void timer1Tick();

    // The slides of this round still to be drawn.
    const DrawPot& pot() const { return pot_; }
    int remainingInRound() const { return pot_.remaining(); }
    int deckSlideCount() const { return DeckSlideCount; }
    int drawableSlideCount() const { return DrawSlideCount; }
    int lastSlide() const { return LastSlide; }

    Presentation* presentation() const { return presentation_.get(); }
    // Why the deck cannot be drawn from; empty when it can.
    const QString& deckProblem() const { return deckProblem_; }

    QPushButton *Command3, *Command4, *Command1;
    QLineEdit* Text1;
    Timer* Timer1;

    int16_t DeckSlideCount = 0;
    int16_t DrawSlideCount = 0;
    int16_t LastSlide = 0;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openDeck();
    void tellDeckProblem();
    void setCounterText(const QString& text);
    // Stops the show and gives the main window back; runs once, by Quit or by any other close.
    void leave();

    std::unique_ptr<Presentation> presentation_;
    RandomSource& random_;
    DrawPot pot_;
    QString deckProblem_;
    bool left_ = false;
};
