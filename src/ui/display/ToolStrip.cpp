#include "ui/display/ToolStrip.h"

#include "models/display/CountdownMirror.h"
#include "models/display/ScreenPlacement.h"
#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/ClickableLabel.h"
#include "ui/Controls.h"
#include "ui/Program.h"
#include "ui/WindowChrome.h"
#include "ui/display/Tray.h"
#include "ui/main/MainWindow.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <qdrawutil.h>

namespace {

const QColor kRed(255, 0, 0);

} // namespace

ToolStrip::ToolStrip(Program& program) : ProgramWindow(program, WindowKind::ToolStrip)
{
    // No title bar: the window draws its own thin border.
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(QString());
    setFont(twips::font(QStringLiteral("宋体"), 9));
    resizeTwips(kWidth, kTipHeight);
    buildControls();
    WindowChrome::attach(
        this,
        {objectName(), "ClientArea", "Frame1", "Label1", "Label2", "Label3", "Label4", "Image1", "Image2"},
        {"Command1", "Command2"});
    mirrorTimer_ = makeTimer(QStringLiteral("Timer1"), kMirrorIntervalMs, TickPolicy::Pacing);
    mirrorTimer_->onTick([this] { onMirrorTick(); });
}

void ToolStrip::buildControls()
{
    // The window draws its own border; the controls sit in the client area inside it.
    auto* client = named(new QWidget(this), QStringLiteral("ClientArea"));
    placeTwips(client, kBorder, kBorder, kWidth - 2 * kBorder, kTipHeight - 2 * kBorder);

    timeLine_ =
        named(new QLabel(QStringLiteral("定时00分00秒,剩余00分00秒"), client), QStringLiteral("Label1"));
    placeTwips(timeLine_, 450, 75, 4035, 300);
    timeLine_->setFont(twips::font(QStringLiteral("宋体"), 14.25, true));
    timeLine_->setTextFormat(Qt::PlainText);
    setTextColour(timeLine_, kRed);
    timeLine_->setToolTip(QStringLiteral("请将本工具条拖动到最合适的显示位置"));

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
                        QStringLiteral("鼠标单击此图标显示计时主界面"), QStringLiteral("显示计时主界面"));
    tipIcon_ =
        icon(QStringLiteral("Image2"), QStringLiteral(":/icons/close.svg"), 4530,
             QStringLiteral("鼠标单击此图标关闭工具条，按功能键F11恢复显示"), QStringLiteral("关闭工具条"));

    buildTipPanel(client);

    connect(restoreIcon_, &ClickableLabel::clicked, this, &ToolStrip::onRestoreMainWindow);
    connect(tipIcon_, &ClickableLabel::clicked, this, &ToolStrip::onOpenTip);
    connect(confirmButton_, &QPushButton::clicked, this, &ToolStrip::onConfirmTip);
    connect(backButton_, &QPushButton::clicked, this, &ToolStrip::onBackToStrip);
}

void ToolStrip::buildTipPanel(QWidget* client)
{
    tipPanel_ = named(new QGroupBox(QStringLiteral("温馨提示："), client), QStringLiteral("Frame1"));
    placeTwips(tipPanel_, 120, 60, 4785, 1995);
    auto line = [this](const QString& name, const QString& text, double l, double t, double w, double h) {
        auto* label = named(new QLabel(text, tipPanel_), name);
        placeTwips(label, l, t, w, h);
        return label;
    };
    line(QStringLiteral("Label2"), QStringLiteral("    点击“确认”按钮将隐藏半透明工具栏和程"), 90, 360, 4455,
         255);
    line(QStringLiteral("Label3"), QStringLiteral("序主窗口。要恢复显示计时主窗口，可点击任务"), 90, 720,
         4455, 255);
    line(QStringLiteral("Label4"), QStringLiteral("栏“托盘区”的钟形图标，或者按"), 90, 1080, 4305, 255);
    QLabel* key = line(QStringLiteral("Label5"), QStringLiteral("功能键F11."), 3240, 1080, 1305, 255);
    key->setFont(twips::font(QStringLiteral("宋体"), 10.5, true));
    setTextColour(key, kRed);

    confirmButton_ = named(new QPushButton(QStringLiteral("确认"), tipPanel_), QStringLiteral("Command1"));
    placeTwips(confirmButton_, 2880, 1500, 660, 330);
    backButton_ = named(new QPushButton(QStringLiteral("返回"), tipPanel_), QStringLiteral("Command2"));
    placeTwips(backButton_, 3790, 1500, 660, 330);
    tipPanel_->hide();
}

void ToolStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

void ToolStrip::placeOverMainWindow()
{
    ProgramWindow* main = program().loadedWindow(WindowKind::Main);
    if (!main)
        return;
    const QRectF teacherScreen = main->ownScreenTwips();
    const QRectF classScreen = classScreenTwips();
    // Laid out as a strip, whichever face it shows: a main window tucked behind an edge would take
    // the strip off screen with it.
    QRectF strip(main->leftTwips() + (main->widthTwips() - widthTwips()) / 2, main->topTwips(), widthTwips(),
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
    program().windows().setOpacity(this, kStripAlpha);
}

void ToolStrip::showStrip()
{
    setHeightTwips(kStripHeight);
    followTheShow();
    show();
    // Shown again, it must come up above whatever went full screen meanwhile.
    program().windows().keepAboveFullScreen(this);
    mirrorTimer_->setEnabled(true);
}

void ToolStrip::hideStrip()
{
    hide();
    mirrorTimer_->setEnabled(false);
}

void ToolStrip::resumeMirror()
{
    mirrorTimer_->setEnabled(true);
}

void ToolStrip::setStripFace()
{
    program().windows().setOpacity(this, kStripAlpha);
    tipPanel_->hide();
    timeLine_->show();
    setWindowTitle(QString());
    setHeightTwips(kStripHeight);
}

void ToolStrip::onOpenTip()
{
    setHeightTwips(kTipHeight);
    setWindowTitle(kTipCaption);
    timeLine_->hide();
    tipPanel_->show();
    program().windows().setOpacity(this, kTipAlpha);
    confirmButton_->setFocus();
}

void ToolStrip::onBackToStrip()
{
    setStripFace();
}

void ToolStrip::onConfirmTip()
{
    setStripFace();
    if (!trayAvailable(program())) {
        // Without a bell icon in a tray, hiding the strip too would leave only F11 as a way back.
        program().dialogs().inform(this, MainWindow::kNoticeTitle, kNoTrayNotice);
        return;
    }
    hideStrip();
}

void ToolStrip::onRestoreMainWindow()
{
    hide();
    auto* main = program().loaded<MainWindow>();
    if (!main)
        return;
    main->moveTwips(leftTwips() - (main->widthTwips() - widthTwips()) / 2, topTwips());
    main->show();
    // The user asked for the main window: bring it up even over a focused full-screen show.
    main->raise();
    main->activateWindow();
    program().tracking().clearDocked();
}

void ToolStrip::onMirrorTick()
{
    // The tip's text stays put while it is open.
    if (!tipPanel_->isHidden())
        return;
    timeLine_->setText(stripTimeLine(program().countdown()));
}
