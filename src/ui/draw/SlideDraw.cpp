#include "ui/draw/SlideDraw.h"

#include "models/announce/SpokenTexts.h"
#include "platform/Dialogs.h"
#include "platform/Presentation.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "platform/files/ProgramFolder.h"
#include "ui/KeyboardUse.h"
#include "ui/PostedStep.h"
#include "ui/WindowChrome.h"
#include "ui/WindowContext.h"
#include "ui/draw/DeckConversionNotice.h"
#include "ui/flow/FlowConductor.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <algorithm>

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

SlideDraw::SlideDraw(Program& program) : ProgramWindow(program, WindowKind::SlideDraw)
{
    setWindowTitle(tr("PPT图文随机抽签"));
    resizeTwips(kWidthTwips, kHeightTwips);

    prepareButton_ = makeButton(this, "Command3", tr("准备"));
    drawButton_ = makeButton(this, "Command4", tr("抽签"));
    quitButton_ = makeButton(this, "Command1", tr("退出"));
    placeTwips(prepareButton_, 120, 150, 765, 420);
    placeTwips(drawButton_, 1160, 150, 765, 420);
    placeTwips(quitButton_, 2200, 150, 765, 420);
    drawButton_->setEnabled(false);
    keyboard::addAccessKey(prepareButton_, Qt::Key_P);
    keyboard::addAccessKey(drawButton_, Qt::Key_D);
    keyboard::addAccessKey(quitButton_, Qt::Key_X);
    keyboard::setWayOut(this, [this] { quitButton_->click(); });

    counter_ = new QLineEdit(QStringLiteral("000/000"), this);
    counter_->setObjectName(QStringLiteral("Text1"));
    counter_->setAccessibleName(tr("抽中的幻灯片/幻灯片总数"));
    counter_->setAlignment(Qt::AlignCenter);
    counter_->setReadOnly(true);
    counter_->setFocusPolicy(Qt::NoFocus);
    QFont counterFont = counter_->font();
    counterFont.setPointSizeF(kCounterPointSize);
    counter_->setFont(counterFont);
    counter_->setStyleSheet(QStringLiteral(
        "QLineEdit { background: rgb(255, 0, 0); border: 1px solid rgb(128, 0, 0); padding: 0; }"));
    placeTwips(counter_, 3240, 180, 1140, 405);
    setCounterText(counter_->text());

    // Below the buttons, only while the user has ended the show: the toolbar grows to say how to go on.
    showEndedHint_ = plainLabel(QStringLiteral("LabelShowEnded"), kShowEndedHint, this, 120, 690, 4290, 600);
    showEndedHint_->setWordWrap(true);
    showEndedHint_->hide();

    rollTimer_ = makeTimer(QStringLiteral("Timer1"), 6, TickPolicy::Pacing);
    drawStep_ = new PostedStep(ProgramWindow::program().timers(), QStringLiteral("DrawStep"), this);

    connect(prepareButton_, &QPushButton::clicked, this, &SlideDraw::onPrepareClicked);
    connect(drawButton_, &QPushButton::clicked, this, &SlideDraw::onDrawClicked);
    connect(quitButton_, &QPushButton::clicked, this, &SlideDraw::onQuitClicked);
    rollTimer_->onTick([this] { onRollTick(); });

    // The counter is not for selecting text: a press on it starts a drag of the toolbar, as one on its
    // background does. The buttons take the focus under the pointer.
    counter_->installEventFilter(this);
    WindowChrome::attach(
        this, {objectName(), QStringLiteral("Text1")},
        {QStringLiteral("Command3"), QStringLiteral("Command4"), QStringLiteral("Command1")});
}

SlideDraw::~SlideDraw() = default;

void SlideDraw::load()
{
    program().windows().keepAboveFullScreen(this);
    // Over the show, on the screen the class sees.
    const QRectF screen = classScreenTwips();
    placeOn(screen, {screen.left() + (screen.width() - widthTwips()) / 2, topTwips()});
    openDeck();
}

void SlideDraw::openDeck()
{
    presentation_ = program().createPresentation();
    if (!presentation_) {
        deckProblem_ = tr("这个版本不能放映幻灯片。");
        deckIsAtFault_ = false;
        tellDeckProblem();
        return;
    }
    QString path = findFileIgnoringCase(program().dataFolder(), kDeckName);
    if (path.isEmpty())
        path = QDir(program().dataFolder()).filePath(kDeckName);
    // Nothing to draw from until the deck is open; a first opening converts it, which takes seconds.
    prepareButton_->setEnabled(false);
    connect(presentation_.get(), &Presentation::converting, this, &SlideDraw::onDeckConverting);
    connect(presentation_.get(), &Presentation::opened, this, &SlideDraw::onDeckOpened);
    connect(presentation_.get(), &Presentation::showEndedByUser, this, &SlideDraw::onShowEndedByUser);
    presentation_->openInBackground(path);
}

void SlideDraw::onDeckConverting(const QString& deck)
{
    conversionNotice_ = new DeckConversionNotice(deck, this);
    // Not waiting is leaving the draw, as 退出 does.
    connect(conversionNotice_, &DeckConversionNotice::cancelled, this, &SlideDraw::onQuitClicked);
    conversionNotice_->show();
}

void SlideDraw::onDeckOpened(bool ok)
{
    if (conversionNotice_) {
        conversionNotice_->disconnect(this);
        conversionNotice_->close();
    }
    prepareButton_->setEnabled(true);
    if (!ok) {
        deckProblem_ = presentation_->errorText();
        deckIsAtFault_ = presentation_->deckIsAtFault() || deckProblem_.isEmpty();
        if (deckProblem_.isEmpty())
            deckProblem_ = tr("文件打不开。");
        tellDeckProblem();
        return;
    }
    presentation_->runShow();
    deckSlideCount_ = presentation_->slideCount();
    const int drawable = std::min(deckSlideCount_, kMaxDrawn);
    if (drawable <= 0)
        deckProblem_ = tr("文件里没有幻灯片。");
    round_.start(drawable);
    raise();
    prepareButton_->setFocus();
    if (!deckProblem_.isEmpty())
        tellDeckProblem();
}

void SlideDraw::onShowEndedByUser()
{
    // The slides are gone: no rolling and no draw that nobody would see. 准备 brings the show back.
    rollTimer_->setEnabled(false);
    drawButton_->setEnabled(false);
    prepareButton_->setEnabled(true);
    prepareButton_->setFocus();
    setCounterText(kShowEnded);
    showEndedHint(true);
    raise();
}

void SlideDraw::tellDeckProblem()
{
    // Without a slide there is nothing to draw; say so instead of rolling an empty show. Where to put
    // a deck is said only when another deck would help: never "put it there" for a deck that is there.
    const QString text =
        deckIsAtFault_ ? tr("无法用抽签文件 %1 抽签：%2\n请把要抽签的演示文稿以 %1 为名放在 %3 中。")
                             .arg(kDeckName, deckProblem_, QDir::toNativeSeparators(program().dataFolder()))
                       : tr("无法用抽签文件 %1 抽签：%2").arg(kDeckName, deckProblem_);
    program().dialogs().informWithFolder(this, kNoticeTitle, text, program().dataFolder());
}

void SlideDraw::onPrepareClicked()
{
    if (drawableSlideCount() <= 0) {
        tellDeckProblem();
        return;
    }
    // A show the user ended with Esc comes back: a draw is only seen in a running show.
    if (presentation_ && !presentation_->isShowRunning())
        presentation_->runShow();
    showEndedHint(false);
    rollTimer_->setEnabled(true);
    prepareButton_->setEnabled(false);
    drawButton_->setEnabled(true);
    drawButton_->setFocus();
    raise();
    setCounterText(kDrawing);
}

void SlideDraw::showEndedHint(bool shown)
{
    if (!showEndedHint_->isHidden() == shown)
        return;
    showEndedHint_->setVisible(shown);
    resizeTwips(kWidthTwips, shown ? kHeightWithHintTwips : kHeightTwips);
}

void SlideDraw::setCounterText(const QString& text)
{
    // The counter is small: a longer text (正在抽签, 200/230) gets a smaller font rather than cut off.
    QFont font = counter_->font();
    font.setPointSizeF(kCounterPointSize * zoomFactor());
    const int room = counter_->contentsRect().width() - 6;
    while (font.pointSizeF() > 8 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSizeF(font.pointSizeF() - 0.75);
    counter_->setFont(font);
    counter_->setText(text);
}

void SlideDraw::onRollTick()
{
    if (drawableSlideCount() <= 0 || !presentation_)
        return;
    presentation_->gotoSlide(round_.roll());
}

void SlideDraw::onDrawClicked()
{
    rollTimer_->setEnabled(false);
    prepareButton_->setEnabled(true);
    prepareButton_->setFocus();
    const int s = round_.draw();
    if (s == 0) {
        // Nothing left to draw (a deck without slides): say so rather than wait for a slide.
        drawButton_->setEnabled(false);
        tellDeckProblem();
        return;
    }
    lastSlide_ = s;
    // One draw at a time while the show catches up.
    drawButton_->setEnabled(false);

    // Once to stop the rolling on it, once more after the show caught up. A click on 退出 meanwhile
    // unloads the window, and with it the steps still to come.
    if (presentation_)
        presentation_->gotoSlide(s);
    drawStep_->post([this, s] {
        if (presentation_)
            presentation_->gotoSlide(s);
        drawStep_->post([this] { showDrawnSlide(); });
    });
}

void SlideDraw::showDrawnSlide()
{
    if (left_)
        return;
    if (presentation_) {
        if (const auto position = presentation_->currentShowPosition())
            setCounterText(QStringLiteral("%1/%2").arg(*position).arg(deckSlideCount_));
    }
    raise();
    // The end of the round is told by its message.
    program().announcer().announce(this, spokenDraw(QString::number(lastSlide_), false));

    if (round_.isOver()) {
        program().dialogs().inform(this, kNoticeTitle, kRoundOver);
        round_.restart();
    }
    drawButton_->setEnabled(false);
}

void SlideDraw::onQuitClicked()
{
    leave();
    flow().close(kKind);
}

void SlideDraw::unload()
{
    // Closing the toolbar by any other means ends the draw as Quit does.
    leave();
}

void SlideDraw::leave()
{
    if (left_)
        return;
    left_ = true;
    rollTimer_->setEnabled(false);
    if (conversionNotice_) {
        conversionNotice_->disconnect(this);
        conversionNotice_->close();
    }
    if (presentation_) {
        presentation_->disconnect(this);
        presentation_->quit();
    }
    // The one nested event loop left: the engine's windows finish closing before the engine is
    // destroyed, and this runs in Unload, where nothing can be posted to a window on its way out.
    program().timers().yieldToEvents();
    presentation_.reset();
    program().windows().showTaskbar();
    hide();
    flow().resumeTracking();
    flow().showMainWindow();
}

void SlideDraw::resizeEvent(QResizeEvent* event)
{
    ProgramWindow::resizeEvent(event);
    prepareButton_->setFocus();
}

bool SlideDraw::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == counter_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return true;
        default:
            break;
        }
    }
    return ProgramWindow::eventFilter(watched, event);
}
