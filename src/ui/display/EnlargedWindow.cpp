#include "ui/display/EnlargedWindow.h"

#include "models/countdown/TimeText.h"
#include "models/display/CountdownMirror.h"
#include "models/display/EnlargedScale.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/ClickableLabel.h"
#include "ui/Controls.h"
#include "ui/WindowChrome.h"
#include "ui/WindowContext.h"
#include "ui/flow/FlowConductor.h"
#include "ui/support/CountColour.h"

#include <QFrame>
#include <QLabel>

namespace {

const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);
constexpr double kOvertimeShrink = 0.85;

} // namespace

EnlargedWindow::EnlargedWindow(Program& program) : ProgramWindow(program, WindowKind::EnlargedCountdown)
{
    setWindowTitle(tr("Vantrel工具 放大计时"));
    // Grown for the screen the class sees.
    scale_ = enlargedScale(classScreenTwips().size().toSize());
    resize(twips::toPixels(kClientWidth * scale_, tpp()), twips::toPixels(kClientHeight * scale_, tpp()));
    buildControls();

    mirrorTimer_ = makeTimer(QStringLiteral("Timer1"), kMirrorIntervalMs, TickPolicy::Pacing);
    mirrorTimer_->onTick([this] { onMirrorTick(); });

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
    auto* digitsFrame = named(new QFrame(this), QStringLiteral("Frame1"));
    digitsFrame->setFrameShape(QFrame::Box);
    digitsFrame->setFrameShadow(QFrame::Sunken);
    placeScaled(digitsFrame, 120, 15, 11895, 4440);

    digits_ = named(new ClickableLabel(QStringLiteral("00 : 00"), digitsFrame), QStringLiteral("Label1"));
    placeScaled(digits_, 240, 120, 11415, 4215);
    digits_->setFont(twips::font(QStringLiteral("Times New Roman"), kDigitPoints * scale_, true));
    digits_->setAlignment(Qt::AlignCenter);
    digits_->setTextFormat(Qt::PlainText);
    setTextColour(digits_, kRed);

    auto* statusFrame = named(new QFrame(this), QStringLiteral("Frame2"));
    statusFrame->setFrameShape(QFrame::Box);
    statusFrame->setFrameShadow(QFrame::Sunken);
    placeScaled(statusFrame, 120, 4560, 11895, 615);

    setTimeLabel_ =
        addStatusLabel(statusFrame, QStringLiteral("Label3"), setTimeText(0, 0), 840, 1455, false);
    statusLabel_ =
        addStatusLabel(statusFrame, QStringLiteral("Label2"), tr("当前计时状态：暂停计时"), 2880, 2775, true);
    addStatusLabel(statusFrame, QStringLiteral("Label4"), kHint, 6120, 5295, true);

    connect(digits_, &ClickableLabel::doubleClicked, this, &EnlargedWindow::onDigitsDoubleClicked);
}

QLabel* EnlargedWindow::addStatusLabel(QWidget* strip, const QString& name, const QString& text, double left,
                                       double width, bool centred)
{
    auto* label = named(new QLabel(text, strip), name);
    placeScaled(label, left, 240, width, 255);
    label->setFont(twips::font(QStringLiteral("宋体"), 10.5 * scale_, true));
    label->setTextFormat(Qt::PlainText);
    if (centred)
        label->setAlignment(Qt::AlignCenter);
    setTextColour(label, kGrey);
    return label;
}

void EnlargedWindow::load()
{
    placeBelowMainWindow();
    program().windows().makeTopMost(this);
}

void EnlargedWindow::showMirror()
{
    show();
    mirrorTimer_->setEnabled(true);
}

void EnlargedWindow::showEvent(QShowEvent* event)
{
    ProgramWindow::showEvent(event);
    // The window's frame is known only once it is shown: the Load placement is done again with it,
    // on the first showing only, so a window moved by the user keeps its place when it comes back.
    if (!placedWithFrame_) {
        placedWithFrame_ = true;
        placeBelowMainWindow();
    }
}

void EnlargedWindow::placeBelowMainWindow()
{
    const QRectF screen = classScreenTwips();
    double top = screen.top();
    // Below the main window when the class sees the teacher's screen; where it would not fit there,
    // it rises just enough to stay whole on the screen.
    const std::optional<QRectF> main = flow().mainWindowRect();
    if (main && mainScreenTwips() == screen)
        top = main->bottom() + 600;
    placeOn(screen, {screen.left() + (screen.width() - widthTwips()) / 2, top});
}

void EnlargedWindow::onMirrorTick()
{
    const Countdown& countdown = program().countdown();
    const QString digits = enlargedDigits(countdown.countText());
    // The overtime's "+" takes room: the digits shrink so that all of them stay in the frame.
    const bool overtime = digits.startsWith(QLatin1Char('+'));
    if (overtime != digits_->text().startsWith(QLatin1Char('+'))) {
        QFont font = digits_->font();
        font.setPointSizeF(overtime ? font.pointSizeF() * kOvertimeShrink
                                    : font.pointSizeF() / kOvertimeShrink);
        digits_->setFont(font);
    }
    digits_->setText(digits);
    const QColor colour = countColour(countdown, program().options());
    if (digits_->palette().color(QPalette::WindowText) != colour)
        setTextColour(digits_, colour);
    const QString name = countdown.isOverrun() ? overtimeSpokenText(countdown.overtimeSeconds()) : QString();
    if (digits_->accessibleName() != name)
        digits_->setAccessibleName(name);

    // The time is up: back to the main window, which shows the end of the count. The window stays
    // loaded, where it was, for the next count.
    if (program().enlargedNotice() == EnlargedNotice::TimeUp) {
        program().enlargedNotice() = EnlargedNotice::None;
        hide();
        flow().showMainWindow();
    }

    statusLabel_->setText(countdownStatusText(countdown.state()));
    // The set time of a paused or stopped count stays as it was last shown.
    if (countdown.isCounting())
        setTimeLabel_->setText(setTimeText(countdown.startedMinutes(), countdown.startedSeconds()));
}

void EnlargedWindow::onDigitsDoubleClicked()
{
    program().enlargedNotice() = EnlargedNotice::ClosedByUser;
    flow().close(kKind);
}

void EnlargedWindow::unload()
{
    program().enlargedNotice() = EnlargedNotice::ClosedByUser;
    flow().showMainWindow();
}
