#include "ui/draw/SequenceDraw.h"

#include "models/announce/SpokenTexts.h"
#include "platform/SoundDevice.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/Controls.h"
#include "ui/KeyboardUse.h"
#include "ui/WindowChrome.h"
#include "ui/WindowContext.h"
#include "ui/flow/FlowConductor.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

namespace {

const QColor kRed(255, 0, 0);
const QColor kOrange(255, 128, 0);
const QColor kHeadingBrown(192, 64, 0);
const QColor kListBackground(255, 224, 192);

} // namespace

SequenceDraw::SequenceDraw(Program& program, float participantCount)
    : ProgramWindow(program, WindowKind::SequenceDraw),
      participantCount_(participants::clamp(participantCount))
{
    setWindowTitle(kTitle);
    setFont(twips::font(QStringLiteral("宋体"), 9));
    resize(twips::toPixels(kDesignClientWidth, tpp()), twips::toPixels(kDesignClientHeight, tpp()));
    buildControls();
    connect(drawButton_, &QPushButton::clicked, this, &SequenceDraw::onDrawClicked);
    connect(nextButton_, &QPushButton::clicked, this, &SequenceDraw::onNextClicked);
    connect(nextRoundButton_, &QPushButton::clicked, this, &SequenceDraw::onNextRoundClicked);
    connect(endButton_, &QPushButton::clicked, this, &SequenceDraw::onEndClicked);
    WindowChrome::attach(this, {}, {"Command1", "Command2", "Command4", "Command7"});
    rollTimer_ = makeTimer(QStringLiteral("Timer1"), 32, TickPolicy::Pacing);
    rollTimer_->onTick([this] { onRollTick(); });
    cue_ = flow().cues().newDevice();
}

SequenceDraw::~SequenceDraw() = default;

void SequenceDraw::buildControls()
{

    displayFrame_ = named(new QFrame(this), QStringLiteral("Frame1"));
    placeTwips(displayFrame_, 150, 75, 11415, 6855);

    numberLabel_ = plainLabel(QStringLiteral("Label1"), QString(), displayFrame_, 330, 120, 10770, 6615);
    numberLabel_->setFont(twips::font(QStringLiteral("Times New Roman"), kNumberPoints, true));
    numberLabel_->setAlignment(Qt::AlignCenter);
    setTextColour(numberLabel_, kRed);

    promptLabel_ = plainLabel(QStringLiteral("Label2"), kReadyPrompt, displayFrame_, 240, 395, 6015, 615);
    promptLabel_->setFont(twips::font(QStringLiteral("宋体"), 21.75, true));
    setTextColour(promptLabel_, kOrange);

    roundOverLabel_ =
        plainLabel(QStringLiteral("Label3"), tr("本轮抽签结束！"), displayFrame_, 240, 330, 6015, 855);
    roundOverLabel_->setFont(twips::font(QStringLiteral("宋体"), 36, true));
    roundOverLabel_->setAlignment(Qt::AlignCenter);
    setTextColour(roundOverLabel_, kRed);
    roundOverLabel_->hide();

    buttonBar_ = named(new QFrame(displayFrame_), QStringLiteral("Frame3"));
    placeTwips(buttonBar_, 6240, 150, 5070, 525);
    auto button = [this](const QString& name, const QString& text, const QString& tip, double left) {
        auto* created = named(new QPushButton(text, buttonBar_), name);
        placeTwips(created, left, 15, 1185, 495);
        created->setToolTip(tip);
        created->setFont(twips::font(QStringLiteral("宋体"), 10.5, true));
        return created;
    };
    drawButton_ = button(QStringLiteral("Command1"), tr("抽  签"), tr("随机抽取一个序号"), 0);
    nextButton_ = button(QStringLiteral("Command2"), tr("下一个"), tr("进入随机抽签状态"), 1295);
    nextRoundButton_ = button(QStringLiteral("Command4"), tr("下一轮"), tr("进行下一轮抽签"), 2590);
    endButton_ = button(QStringLiteral("Command7"), tr("结  束"), tr("退出抽签程序"), 3885);
    nextButton_->setEnabled(false);
    nextRoundButton_->setEnabled(false);
    nextRoundButton_->hide();
    endButton_->hide();
    keyboard::addAccessKey(drawButton_, Qt::Key_D);
    keyboard::addAccessKey(nextButton_, Qt::Key_N);
    keyboard::addAccessKey(nextRoundButton_, Qt::Key_R);
    keyboard::addAccessKey(endButton_, Qt::Key_E);
    keyboard::setWayOut(this, [this] { onEndClicked(); });

    listFrame_ = named(new QFrame(this), QStringLiteral("Frame2"));
    placeTwips(listFrame_, 150, 7335, 11415, 900);
    // The list wraps: every number of the round stays in view, however many were drawn.
    drawnList_ = named(new QTextEdit(listFrame_), QStringLiteral("Text1"));
    placeTwips(drawnList_, 45, 150, 11335, 690);
    drawnList_->setReadOnly(true);
    drawnList_->setAcceptRichText(false);
    drawnList_->setLineWrapMode(QTextEdit::WidgetWidth);
    drawnList_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    drawnList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    drawnList_->setFont(twips::font(QStringLiteral("Times New Roman"), 15.75, true));
    drawnList_->setAccessibleName(tr("已抽出的顺序号"));
    QPalette listPalette = drawnList_->palette();
    listPalette.setColor(QPalette::Base, kListBackground);
    drawnList_->setPalette(listPalette);

    headingLabel_ =
        plainLabel(QStringLiteral("Label4"), tr("已抽出顺序号如下："), this, 150, 7110, 5775, 330);
    headingLabel_->setFont(twips::font(QStringLiteral("宋体"), 12, true));
    setTextColour(headingLabel_, kHeadingBrown);
}

void SequenceDraw::fitNumberFont()
{
    // As large as designed, at the window's zoom.
    const double points = kNumberPoints * zoomFactor();
    QFont font = twips::font(QStringLiteral("Times New Roman"), points, true);
    const QFontMetricsF metrics(font, numberLabel_);
    qreal widestDigit = 0;
    qreal glyphTop = 0, glyphBottom = 0;
    for (char digit = '0'; digit <= '9'; ++digit) {
        const QChar c = QLatin1Char(digit);
        widestDigit = std::max(widestDigit, metrics.horizontalAdvance(c));
        const QRectF box = metrics.tightBoundingRect(QString(c));
        glyphTop = std::min(glyphTop, box.top());
        glyphBottom = std::max(glyphBottom, box.bottom());
    }
    // The label centres the line box; the digits sit between the baseline and their tops in it.
    const qreal lineTop = (numberLabel_->height() - metrics.height()) / 2;
    const qreal baseline = lineTop + metrics.ascent();
    const qreal digitsTop = baseline + glyphTop;
    const qreal digitsBottom = baseline + glyphBottom;
    const qreal room = numberLabel_->height();
    qreal scale = 1;
    const int widestNumber = 3;
    if (widestDigit * widestNumber > numberLabel_->width() * 0.98)
        scale = std::min(scale, numberLabel_->width() * 0.98 / (widestDigit * widestNumber));
    if (digitsTop < 0 || digitsBottom > room)
        scale = std::min(scale, room * 0.96 / (glyphBottom - glyphTop));
    if (scale < 1)
        font.setPointSizeF(points * scale);
    numberLabel_->setFont(font);
}

qreal SequenceDraw::listLineHeight(const QFont& font)
{
    // The comma comes from a CJK font, whose lines are much taller than the digits need: the list
    // keeps the lines of its own font.
    return std::ceil(QFontMetricsF(font).height());
}

int SequenceDraw::listHeightFor(const QFont& font) const
{
    // The longest list of the round: every number once. Numbers wrap whole, after their comma, so a
    // line that ends early leaves less than the widest number unused, whatever the order they came in.
    QStringList numbers;
    const int count = int(participantCount_);
    for (int k = 1; k <= count; ++k)
        numbers << QString::number(k);
    const QFontMetricsF metrics(font);
    const qreal textWidth = metrics.horizontalAdvance(numbers.join(kSeparator));
    const qreal widest = metrics.horizontalAdvance(QString::number(count) + kSeparator);
    const qreal margin = drawnList_->document()->documentMargin();
    const qreal lineWidth = drawnList_->width() - 2 * drawnList_->frameWidth() - 2 * margin;
    int lines = 1;
    if (textWidth > lineWidth)
        lines = int(std::floor(textWidth / std::max(1.0, lineWidth - widest))) + 1;
    return int(std::ceil(lines * listLineHeight(font) + 2 * margin)) + 2 * drawnList_->frameWidth();
}

void SequenceDraw::fitDrawnList()
{
    // The largest list font whose whole round fits in the room the list may take from the display.
    const int designHeight = drawnList_->height();
    const int room = designHeight + int(displayFrame_->height() * kListShareOfDisplay);
    QFont font;
    int needed = 0;
    for (double points : kListPoints) {
        font = twips::font(QStringLiteral("Times New Roman"), points, true);
        needed = listHeightFor(font);
        if (needed <= room)
            break;
    }
    drawnList_->setFont(font);
    const int extra = std::clamp(needed - designHeight, 0, room - designHeight);
    if (extra == 0)
        return;

    // The list grows upwards; the display gives up the room, its digits below the prompt lines.
    displayFrame_->resize(displayFrame_->width(), displayFrame_->height() - extra);
    headingLabel_->move(headingLabel_->x(), headingLabel_->y() - extra);
    listFrame_->setGeometry(listFrame_->geometry().adjusted(0, -extra, 0, 0));
    drawnList_->resize(drawnList_->width(), drawnList_->height() + extra);
    const int digitsTop =
        std::max(promptLabel_->geometry().bottom(), roundOverLabel_->geometry().bottom()) + 1;
    numberLabel_->setGeometry(numberLabel_->x(), digitsTop, numberLabel_->width(),
                              displayFrame_->height() - digitsTop);
}

double SequenceDraw::mainWindowTop()
{
    return flow().sequenceDrawTop();
}

void SequenceDraw::load()
{
    program().windows().makeTopMost(this);
    cue_->setFileName(QStringLiteral("notify.wav"));
    fitDrawnList();
    fitNumberFont();
    centreHorizontally(mainWindowTop());

    playCue(QStringLiteral("notify.wav"));

    round_.start(participantCount_);
    rollTimer_->setEnabled(true);
    headingLabel_->setText(tr("抽签总人数为") + QString::number(double(participantCount_), 'g', 7) +
                           tr("人，") + tr("已抽出顺序号如下："));
}

void SequenceDraw::unload()
{
    if (cue_)
        cue_->close();
}

void SequenceDraw::resizeEvent(QResizeEvent* event)
{
    ProgramWindow::resizeEvent(event);
    drawButton_->show();
    nextButton_->show();
    if (drawButton_->isEnabled())
        drawButton_->setFocus();
    nextRoundButton_->show();
    endButton_->show();
    numberLabel_->show();
}

void SequenceDraw::playCue(const QString& fileName)
{
    cue_->setFileName(fileName);
    flow().cues().takeOutputFor(*cue_);
    cue_->close();
    cue_->open();
    cue_->play();
}

void SequenceDraw::showDrawnList()
{
    QStringList numbers;
    for (int k : round_.drawn())
        numbers << QString::number(k);
    drawnList_->setPlainText(numbers.join(kSeparator));
    QTextCursor all(drawnList_->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat lines;
    lines.setLineHeight(listLineHeight(drawnList_->font()), QTextBlockFormat::FixedHeight);
    all.mergeBlockFormat(lines);
    drawnList_->moveCursor(QTextCursor::End);
}

void SequenceDraw::onRollTick()
{
    numberLabel_->setText(QString::number(round_.roll()));
}

void SequenceDraw::onDrawClicked()
{
    // A rolling tick must not overwrite the number drawn below.
    rollTimer_->setEnabled(false);
    setHeightTwips(kDrawnHeight);
    numberLabel_->show();
    promptLabel_->setText(kDrawnPrompt);
    promptLabel_->show();
    roundOverLabel_->hide();

    numberLabel_->setText(QString::number(round_.draw()));
    showDrawnList();
    program().announcer().announce(this, spokenDraw(numberLabel_->text(), round_.isOver()));

    nextButton_->setEnabled(true);
    nextButton_->setFocus();
    if (round_.isOver()) {
        roundOverLabel_->show();
        playCue(QStringLiteral("ding.wav"));
        promptLabel_->hide();
        drawButton_->setEnabled(false);
        nextButton_->setEnabled(false);
        nextRoundButton_->setEnabled(true);
        nextRoundButton_->setFocus();
    }
    // One number per "下一个".
    drawButton_->setEnabled(false);
}

void SequenceDraw::onNextClicked()
{
    promptLabel_->setText(kNextPrompt);
    drawButton_->setEnabled(true);
    drawButton_->setFocus();
    nextButton_->setEnabled(false);
    rollTimer_->setEnabled(true);
}

void SequenceDraw::onNextRoundClicked()
{
    round_.restart();
    promptLabel_->show();
    promptLabel_->setText(kReadyPrompt);
    showDrawnList();
    nextRoundButton_->setEnabled(false);
    drawButton_->setEnabled(true);
    nextButton_->setEnabled(false);
    drawButton_->setFocus();
    roundOverLabel_->hide();
    numberLabel_->setText(QStringLiteral("0"));
    rollTimer_->setEnabled(true);
}

void SequenceDraw::onEndClicked()
{
    if (round_.isOpen()) {
        playCue(QStringLiteral("notify.wav"));
        hide();
        flow().askAboutOpenRound();
        return;
    }
    flow().resumeTracking();
    rollTimer_->setEnabled(false);
    hide();
    flow().close(kKind);
    flow().showMainWindow();
}

void SequenceDraw::closeEvent(QCloseEvent* event)
{
    event->ignore();
    onEndClicked();
}
