#include "ui/display/EnlargedWindow.h"

#include "models/countdown/TimeText.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/ClickableLabel.h"
#include "ui/Controls.h"
#include "ui/Program.h"
#include "ui/WindowChrome.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <algorithm>

namespace {

// The screen the layout was designed for, in twips (1024 × 768 pixels).
constexpr double kDesignScreenWidth = 1024 * 15;
constexpr double kDesignScreenHeight = 768 * 15;

const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);

} // namespace

double enlargedScale(QSize screenTwips)
{
    if (screenTwips.width() <= 0 || screenTwips.height() <= 0)
        return 1.0;
    const double byWidth = screenTwips.width() / kDesignScreenWidth;
    const double byHeight = screenTwips.height() / kDesignScreenHeight;
    return std::max(1.0, std::min(byWidth, byHeight));
}

EnlargedWindow::EnlargedWindow(Program& program) : Form(program, WindowKind::EnlargedCountdown)
{
    setWindowTitle(QStringLiteral("Vantrel工具 放大计时"));
    scale_ = enlargedScale(program.windows().screenSizeTwips());
    resize(twips::toPixels(kClientWidth * scale_, tpp()), twips::toPixels(kClientHeight * scale_, tpp()));
    buildControls();

    Timer1 = makeTimer(QStringLiteral("Timer1"), 200, TickPolicy::Pacing);
    Timer1->onTick([this] { timer1Tick(); });

    WindowChrome::attach(this,
                         {objectName(), QStringLiteral("Frame2"), QStringLiteral("Label1"),
                          QStringLiteral("Label2"), QStringLiteral("Label3"), QStringLiteral("Label4")},
                         {});
}

void EnlargedWindow::placeScaled(QWidget* control, double left, double top, double width, double height)
{
    placeTwips(control, left * scale_, top * scale_, width * scale_, height * scale_);
}

void EnlargedWindow::buildControls()
{
    Frame1 = named(new QFrame(this), QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);
    placeScaled(Frame1, 120, 15, 11895, 4440);

    Label1 = named(new ClickableLabel(QStringLiteral("00 : 00"), Frame1), QStringLiteral("Label1"));
    placeScaled(Label1, 240, 120, 11415, 4215);
    Label1->setFont(twips::font(QStringLiteral("Times New Roman"), kDigitPoints * scale_, true));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setTextFormat(Qt::PlainText);
    setTextColour(Label1, kRed);

    Frame2 = named(new QFrame(this), QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::Box);
    Frame2->setFrameShadow(QFrame::Sunken);
    placeScaled(Frame2, 120, 4560, 11895, 615);

    auto status = [this](const QString& name, const QString& text, double left, double width, bool centred) {
        auto* label = named(new QLabel(text, Frame2), name);
        placeScaled(label, left, 240, width, 255);
        label->setFont(twips::font(QStringLiteral("宋体"), 10.5 * scale_, true));
        label->setTextFormat(Qt::PlainText);
        if (centred)
            label->setAlignment(Qt::AlignCenter);
        setTextColour(label, kGrey);
        return label;
    };
    Label3 = status(QStringLiteral("Label3"), QStringLiteral("定时00分00秒"), 840, 1455, false);
    Label2 = status(QStringLiteral("Label2"), QStringLiteral("当前计时状态：暂停计时"), 2880, 2775, true);
    Label4 = status(QStringLiteral("Label4"), kHint, 6120, 5295, true);

    connect(Label1, &ClickableLabel::doubleClicked, this, [this] { label1DoubleClick(); });
}

void EnlargedWindow::load()
{
    placeBelowMainWindow();
    program().windows().makeTopMost(this);
}

void EnlargedWindow::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    // The window's frame is known only once it is shown: the Load placement is done again with it,
    // on the first showing only, so a window moved by the user keeps its place when it comes back.
    if (!placedWithFrame_) {
        placedWithFrame_ = true;
        placeBelowMainWindow();
    }
}

void EnlargedWindow::placeBelowMainWindow()
{
    const QSize screen = program().windows().screenSizeTwips();
    double top = 0;
    if (Form* main = program().loadedForm(WindowKind::Main))
        top = main->topTwips() + main->heightTwips() + 600;
    // Grown on a large screen, the window must still fit below the main window's place; where it
    // would not, it rises just enough to stay whole on the screen.
    top = std::max(0.0, std::min(top, screen.height() - heightTwips()));
    moveTwips((screen.width() - widthTwips()) / 2, top);
}

void EnlargedWindow::timer1Tick()
{
    const Countdown& countdown = program().countdown();
    if (auto* main = program().loadedForm(WindowKind::Main)) {
        if (auto* display = main->findChild<QLabel*>(QStringLiteral("Label3"))) {
            const QString t = display->text();
            Label1->setText(displayMinutes(t) + QStringLiteral(" : ") + displaySeconds(t));
        }
    }

    if (program().enlargedNotice() == EnlargedNotice::TimeUp) {
        program().enlargedNotice() = EnlargedNotice::None;
        hide();
        if (Form* main = program().loadedForm(WindowKind::Main))
            main->show();
    }

    if (countdown.isStopped()) {
        Label2->setText(kStopped);
    } else if (countdown.isCounting()) {
        Label2->setText(kRunning);
        Label3->setText(QStringLiteral("定时") + twoDigitText(countdown.startedMinutes()) +
                        QStringLiteral("分") + twoDigitText(countdown.startedSeconds()) +
                        QStringLiteral("秒"));
    } else {
        Label2->setText(kPaused);
    }
}

void EnlargedWindow::label1DoubleClick()
{
    program().enlargedNotice() = EnlargedNotice::ClosedByUser;
    program().unload(WindowKind::EnlargedCountdown);
}

void EnlargedWindow::unload()
{
    program().enlargedNotice() = EnlargedNotice::ClosedByUser;
    if (Form* main = program().loadedForm(WindowKind::Main))
        main->show();
}
