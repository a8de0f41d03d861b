#include "ui/draw/SlideDraw.h"

#include "models/draw/RandomSource.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "platform/presentation/Presentation.h"
#include "ui/Program.h"
#include "ui/WindowChrome.h"
#include "ui/main/MainWindow.h"

#include <QDir>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

SlideDraw::SlideDraw(Program& program) : Form(program, WindowKind::SlideDraw), random_(RandomSource::shared())
{
    setWindowTitle(QStringLiteral("PPT图文随机抽签"));
    resizeTwips(4530, 720);

    Command3 = makeButton(this, "Command3", QStringLiteral("准备"));
    Command4 = makeButton(this, "Command4", QStringLiteral("抽签"));
    Command1 = makeButton(this, "Command1", QStringLiteral("退出"));
    placeTwips(Command3, 120, 150, 765, 420);
    placeTwips(Command4, 1160, 150, 765, 420);
    placeTwips(Command1, 2200, 150, 765, 420);
    Command4->setEnabled(false);
    // The toolbar drags itself (background and counter); the chrome adds the focus under the pointer.
    WindowChrome::attach(this, {}, {"Command1", "Command3", "Command4"});

    Text1 = new QLineEdit(QStringLiteral("000/000"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("抽中的幻灯片/幻灯片总数"));
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setReadOnly(true);
    Text1->setFocusPolicy(Qt::NoFocus);
    QFont counterFont = Text1->font();
    counterFont.setPointSizeF(kCounterPointSize);
    Text1->setFont(counterFont);
    Text1->setStyleSheet(QStringLiteral(
        "QLineEdit { background: rgb(255, 0, 0); border: 1px solid rgb(128, 0, 0); padding: 0; }"));
    placeTwips(Text1, 3240, 180, 1140, 405);
    setCounterText(Text1->text());

    Timer1 = makeTimer(QStringLiteral("Timer1"), 6, TickPolicy::Pacing);

    connect(Command3, &QPushButton::clicked, this, [this] { command3Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { command4Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { command1Click(); });
    Timer1->onTick([this] { timer1Tick(); });

    // The counter is not for selecting text: a press on it starts a drag of the toolbar.
    Text1->installEventFilter(this);
    WindowChrome::attach(
        this, {objectName(), QStringLiteral("Text1")},
        {QStringLiteral("Command3"), QStringLiteral("Command4"), QStringLiteral("Command1")});
}

SlideDraw::~SlideDraw() = default;

void SlideDraw::load()
{
    openDeck();
    program().windows().keepAboveFullScreen(this);
    setLeftTwips((program().windows().screenSizeTwips().width() - widthTwips()) / 2);
    if (!deckProblem_.isEmpty())
        tellDeckProblem();
}

void SlideDraw::openDeck()
{
    presentation_ = program().createPresentation();
    if (!presentation_) {
        deckProblem_ = QStringLiteral("这个版本不能放映幻灯片。");
        return;
    }
    QString path = findFileIgnoringCase(program().dataFolder(), kDeckName);
    if (path.isEmpty())
        path = QDir(program().dataFolder()).filePath(kDeckName);
    if (!presentation_->open(path)) {
        deckProblem_ = presentation_->errorText();
        if (deckProblem_.isEmpty())
            deckProblem_ = QStringLiteral("文件打不开。");
        return;
    }
    presentation_->runShow();
    DeckSlideCount = int16_t(std::min(presentation_->slideCount(), int(INT16_MAX)));
    DrawSlideCount = std::min<int16_t>(DeckSlideCount, kMaxDrawn);
    if (DrawSlideCount <= 0)
        deckProblem_ = QStringLiteral("文件里没有幻灯片。");
    pot_.fill(DrawSlideCount);
}

void SlideDraw::tellDeckProblem()
{
    // Without a slide there is nothing to draw; say so instead of rolling an empty show.
    program().dialogs().inform(
        this, kNoticeTitle,
        QStringLiteral("无法用抽签文件 %1 抽签：%2\n请把要抽签的演示文稿以 %1 为名放在 %3 中。")
            .arg(kDeckName, deckProblem_, QDir::toNativeSeparators(program().dataFolder())));
}

void SlideDraw::command3Click()
{
    if (DrawSlideCount <= 0) {
        tellDeckProblem();
        return;
    }
    // A show the user ended with Esc comes back: a draw is only seen in a running show.
    if (presentation_ && !presentation_->isShowRunning())
        presentation_->runShow();
    Timer1->setEnabled(true);
    Command3->setEnabled(false);
    Command4->setEnabled(true);
    Command4->setFocus();
    raise();
    setCounterText(kDrawing);
}

void SlideDraw::setCounterText(const QString& text)
{
    // The counter is small: a longer text (正在抽签, 200/230) gets a smaller font rather than cut off.
    QFont font = Text1->font();
    font.setPointSizeF(kCounterPointSize);
    const int room = Text1->contentsRect().width() - 6;
    while (font.pointSizeF() > 8 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSizeF(font.pointSizeF() - 0.75);
    Text1->setFont(font);
    Text1->setText(text);
}

void SlideDraw::timer1Tick()
{
    if (DrawSlideCount <= 0 || !presentation_)
        return;
    presentation_->gotoSlide(pickNumber(DrawSlideCount, random_));
}

void SlideDraw::command4Click()
{
    Timer1->setEnabled(false);
    Command3->setEnabled(true);
    Command3->setFocus();
    const int16_t s = int16_t(pot_.draw(random_));
    if (s == 0) {
        // Nothing left to draw (a deck without slides): say so rather than wait for a slide.
        Command4->setEnabled(false);
        tellDeckProblem();
        return;
    }
    LastSlide = s;

    // Once to stop the rolling on it, once more after the show caught up. The events let in between
    // may be a click on 退出: then this window is on its way out and the draw ends here.
    const QPointer<SlideDraw> self(this);
    TimerDriver& timers = program().timers();
    if (presentation_)
        presentation_->gotoSlide(s);
    timers.yieldToEvents();
    timers.yieldToEvents();
    if (!self || left_)
        return;
    if (presentation_)
        presentation_->gotoSlide(s);
    for (int i = 0; i < 3; ++i)
        timers.yieldToEvents();
    if (!self || left_)
        return;

    if (presentation_) {
        if (const auto position = presentation_->currentShowPosition())
            setCounterText(QStringLiteral("%1/%2").arg(*position).arg(DeckSlideCount));
    }
    raise();

    if (pot_.isEmpty()) {
        program().dialogs().inform(this, kNoticeTitle, kRoundOver);
        pot_.fill(DrawSlideCount);
    }
    Command4->setEnabled(false);
}

void SlideDraw::command1Click()
{
    leave();
    program().unload(WindowKind::SlideDraw);
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
    Timer1->setEnabled(false);
    if (presentation_)
        presentation_->quit();
    program().timers().yieldToEvents();
    presentation_.reset();
    program().windows().showTaskbar();
    hide();
    if (auto* main = program().loadedAs<MainWindow>(WindowKind::Main)) {
        main->resumeTracking();
        main->show();
    }
}

void SlideDraw::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    Command3->setFocus();
}

bool SlideDraw::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text1) {
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
    return Form::eventFilter(watched, event);
}
