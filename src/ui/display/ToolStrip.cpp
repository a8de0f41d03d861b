#include "ui/display/ToolStrip.h"

#include "models/display/CountdownMirror.h"
#include "models/display/ScreenPlacement.h"
#include "platform/Dialogs.h"
#include "platform/WindowSystem.h"
#include "ui/ClickableLabel.h"
#include "ui/Controls.h"
#include "ui/WindowChrome.h"
#include "ui/WindowContext.h"
#include "ui/display/Compositing.h"
#include "ui/flow/FlowConductor.h"
#include "ui/main/MainWindow.h"
#include "ui/support/CountColour.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <qdrawutil.h>

namespace {

const QColor kRed(255, 0, 0);

} // namespace

ToolStrip::ToolStrip(Program& program) : ProgramWindow(program, WindowKind::ToolStrip)
{
    // No title bar: the window draws its own thin border.
    setWindowFlag(Qt::FramelessWindowHint);
    // A window with an alpha channel: under a compositor only the background is translucent, and the
    // red time line stays red over a bright slide. Set before the window exists, which picks its visual.
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(QString());
    setFont(twips::font(QStringLiteral("宋体"), 9));
    resizeTwips(kWidth, kTipHeight);
    buildControls();
    WindowChrome::attach(this, {objectName(), "ClientArea", "Frame1", "Label1", "Label2", "Image1", "Image2"},
                         {"Command1", "Command2"});
    const Countdown& countdown = ProgramWindow::program().countdown();
    connect(&countdown, &Countdown::countTextChanged, this, &ToolStrip::refreshTimeLine);
    connect(&countdown, &Countdown::stateChanged, this, &ToolStrip::refreshTimeLine);
    connect(&ProgramWindow::program().options(), &ProgramOptions::changed, this, &ToolStrip::refreshTimeLine);
}

void ToolStrip::buildControls()
{
    // The window draws its own border; the controls sit in the client area inside it.
    auto* client = named(new QWidget(this), QStringLiteral("ClientArea"));
    placeTwips(client, kBorder, kBorder, kWidth - 2 * kBorder, kTipHeight - 2 * kBorder);

    timeLine_ = named(new QLabel(tr("定时00分00秒,剩余00分00秒"), client), QStringLiteral("Label1"));
    placeTwips(timeLine_, 450, 75, 4035, 300);
    timeLine_->setFont(twips::font(QStringLiteral("宋体"), 14.25, true));
    timeLine_->setTextFormat(Qt::PlainText);
    setTextColour(timeLine_, kRed);
    timeLine_->setToolTip(tr("请将本工具条拖动到最合适的显示位置"));

    auto icon = [this, client](const QString& name, const QString& file, double left, const QString& tip,
                               const QString& accessibleName) {
        auto* image = named(new ClickableLabel(client), name);
        placeTwips(image, left, 90, 240, 240);
        image->setScaledContents(true);
        image->setCursor(Qt::PointingHandCursor);
        image->setToolTip(tip);
        image->setAccessibleName(accessibleName);
        image->setPixmap(QIcon(file).pixmap(64, 64));
        return image;
    };
    restoreIcon_ = icon(QStringLiteral("Image1"), QStringLiteral(":/icons/restore.svg"), 120,
                        tr("鼠标单击此图标显示计时主界面"), tr("显示计时主界面"));
    tipIcon_ = icon(QStringLiteral("Image2"), QStringLiteral(":/icons/close.svg"), 4530,
                    tr("鼠标单击此图标关闭工具条，按功能键F11恢复显示"), tr("关闭工具条"));

    buildTipPanel(client);

    connect(restoreIcon_, &ClickableLabel::clicked, this, &ToolStrip::onRestoreMainWindow);
    connect(tipIcon_, &ClickableLabel::clicked, this, &ToolStrip::onOpenTip);
    connect(confirmButton_, &QPushButton::clicked, this, &ToolStrip::onConfirmTip);
    connect(backButton_, &QPushButton::clicked, this, &ToolStrip::onBackToStrip);
}

void ToolStrip::buildTipPanel(QWidget* client)
{
    // The panel sits right of the restore icon, which stays a way back on this face too, and the
    // tip is one paragraph that wraps where the font and the width allow: fixed lines of text break
    // inside words and are cut off by a larger font.
    tipPanel_ = named(new QGroupBox(tr("温馨提示："), client), QStringLiteral("Frame1"));
    placeTwips(tipPanel_, kTipPanelLeft, kTipPanelTop, kWidth - 2 * kBorder - kTipPanelLeft - kTipPanelTop,
               kTipHeight - 2 * kBorder - 2 * kTipPanelTop);

    // Fixed text of our own, so rich text is safe here: the key to press stands out in red.
    tipText_ = named(new QLabel(tipPanel_), QStringLiteral("Label2"));
    tipText_->setTextFormat(Qt::RichText);
    tipText_->setWordWrap(true);
    tipText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tipText_->setText(tr("点击“确认”按钮将隐藏半透明工具栏和程序主窗口。要恢复显示计时主窗口，"
                         "可点击任务栏“托盘区”的钟形图标，或者按"
                         "<b><font color=\"#ff0000\">功能键F11.</font></b>"));

    confirmButton_ = named(new QPushButton(tr("确认"), tipPanel_), QStringLiteral("Command1"));
    backButton_ = named(new QPushButton(tr("返回"), tipPanel_), QStringLiteral("Command2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {confirmButton_, backButton_}) {
        button->setMinimumSize(twips::toPixels(660, tpp()), twips::toPixels(330, tpp()));
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(tipPanel_);
    const int gap = twips::toPixels(60, tpp());
    layout->setContentsMargins(gap, gap, gap, gap);
    layout->setSpacing(gap);
    layout->addWidget(tipText_);
    layout->addStretch(1);
    layout->addLayout(buttons);
    tipPanel_->hide();
}

double ToolStrip::layOutTipFace()
{
    // Taller than designed only when the fonts need it: nothing of the tip may be cut off.
    const double designedPanelHeight = kTipHeight - 2 * kBorder - 2 * kTipPanelTop;
    int needed = tipPanel_->heightForWidth(tipPanel_->width());
    if (needed < 0)
        needed = tipPanel_->sizeHint().height();
    const double panelHeight = std::max(designedPanelHeight, twips::fromPixels(needed, tpp()));
    tipPanel_->resize(tipPanel_->width(), twips::toPixels(panelHeight, tpp()));
    const double faceHeight = panelHeight + 2 * kBorder + 2 * kTipPanelTop;
    QWidget* client = tipPanel_->parentWidget();
    client->resize(client->width(), twips::toPixels(faceHeight - 2 * kBorder, tpp()));
    return faceHeight;
}

void ToolStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor background = palette().color(QPalette::Window);
    background.setAlpha(backgroundAlpha_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), background);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

void ToolStrip::placeOverMainWindow()
{
    const std::optional<QRectF> main = flow().mainWindowRect();
    if (!main)
        return;
    const QRectF teacherScreen = mainScreenTwips();
    const QRectF classScreen = classScreenTwips();
    // Laid out as a strip, whichever face it shows: a main window tucked behind an edge would take
    // the strip off screen with it.
    QRectF strip(main->left() + (main->width() - widthTwips()) / 2, main->top(), widthTwips(),
                 kStripHeight * zoomFactor());
    strip = placement::fitOn(strip, teacherScreen);
    // A show on another screen (a projector): the strip goes where the class looks, at the same place.
    if (classScreen != teacherScreen)
        strip = placement::carryOver(strip, teacherScreen, classScreen);
    moveTwips(strip.left(), strip.top());
}

void ToolStrip::followTheShow()
{
    const QRectF classScreen = classScreenTwips();
    const QRectF ownScreen = ownScreenTwips();
    if (classScreen.isEmpty() || classScreen == ownScreen)
        return;
    const QRectF strip = placement::carryOver(QRectF(leftTwips(), topTwips(), widthTwips(), heightTwips()),
                                              ownScreen, classScreen);
    moveTwips(strip.left(), strip.top());
}

void ToolStrip::load()
{
    placeOverMainWindow();
    // Above a focused full-screen show, which plain "stay on top" windows are not.
    program().windows().keepAboveFullScreen(this);
    setTranslucency(kStripAlpha);
}

void ToolStrip::setTranslucency(int alpha)
{
    // Where a compositor runs, the window stays opaque and only its background is painted through;
    // where none does, the window's opacity is all there is (and the background is solid).
    const bool composited = compositorRuns();
    backgroundAlpha_ = composited ? alpha : 255;
    program().windows().setOpacity(this, composited ? 255 : alpha);
    update();
}

void ToolStrip::showStrip()
{
    setHeightTwips(kStripHeight);
    followTheShow();
    show();
    // Shown again, it must come up above whatever went full screen meanwhile.
    program().windows().keepAboveFullScreen(this);
    resumeMirror();
}

void ToolStrip::hideStrip()
{
    hide();
    mirroring_ = false;
}

void ToolStrip::resumeMirror()
{
    mirroring_ = true;
    refreshTimeLine();
}

void ToolStrip::setStripFace()
{
    setTranslucency(kStripAlpha);
    tipPanel_->hide();
    timeLine_->show();
    tipIcon_->show();
    setWindowTitle(QString());
    setHeightTwips(kStripHeight);
    refreshTimeLine();
}

void ToolStrip::onOpenTip()
{
    setWindowTitle(kTipCaption);
    timeLine_->hide();
    // The panel covers the place of the icon that opened it.
    tipIcon_->hide();
    tipPanel_->show();
    setHeightTwips(layOutTipFace());
    setTranslucency(kTipAlpha);
    confirmButton_->setFocus();
}

void ToolStrip::onBackToStrip()
{
    setStripFace();
}

void ToolStrip::onConfirmTip()
{
    setStripFace();
    if (!flow().trayIsAWayBack()) {
        // Without a bell icon in a tray, hiding the strip too would leave only F11 as a way back.
        program().dialogs().inform(this, MainWindow::kNoticeTitle, kNoTrayNotice);
        return;
    }
    hideStrip();
}

void ToolStrip::onRestoreMainWindow()
{
    hide();
    flow().restoreMainOverStrip(QRectF(leftTwips(), topTwips(), widthTwips(), heightTwips()));
}

void ToolStrip::refreshTimeLine()
{
    // The tip's text stays put while it is open.
    if (!mirroring_ || !tipPanel_->isHidden())
        return;
    const QColor colour = countColour(program().countdown(), program().options());
    if (timeLine_->palette().color(QPalette::WindowText) != colour)
        setTextColour(timeLine_, colour);
    const QString line = stripTimeLine(program().countdown());
    if (timeLine_->text() != line)
        timeLine_->setText(line);
}
