#include "ui/display/ToolStrip.h"

#include "models/countdown/TimeText.h"
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
#include <qdrawutil.h>

namespace {

const QColor kRed(255, 0, 0);

} // namespace

ToolStrip::ToolStrip(Program& program) : Form(program, WindowKind::ToolStrip)
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
    Timer1 = makeTimer(QStringLiteral("Timer1"), 200, TickPolicy::Pacing);
    Timer1->onTick([this] { timer1Tick(); });
}

void ToolStrip::buildControls()
{
    // The window draws its own border; the controls sit in the client area inside it.
    auto* client = named(new QWidget(this), QStringLiteral("ClientArea"));
    placeTwips(client, kBorder, kBorder, kWidth - 2 * kBorder, kTipHeight - 2 * kBorder);

    Label1 = named(new QLabel(QStringLiteral("定时00分00秒,剩余00分00秒"), client), QStringLiteral("Label1"));
    placeTwips(Label1, 450, 75, 4035, 300);
    Label1->setFont(twips::font(QStringLiteral("宋体"), 14.25, true));
    Label1->setTextFormat(Qt::PlainText);
    setTextColour(Label1, kRed);
    Label1->setToolTip(QStringLiteral("请将本工具条拖动到最合适的显示位置"));

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
    Image1 = icon(QStringLiteral("Image1"), QStringLiteral(":/icons/restore.svg"), 120,
                  QStringLiteral("鼠标单击此图标显示计时主界面"), QStringLiteral("显示计时主界面"));
    Image2 =
        icon(QStringLiteral("Image2"), QStringLiteral(":/icons/close.svg"), 4530,
             QStringLiteral("鼠标单击此图标关闭工具条，按功能键F11恢复显示"), QStringLiteral("关闭工具条"));

    Frame1 = named(new QGroupBox(QStringLiteral("温馨提示："), client), QStringLiteral("Frame1"));
    placeTwips(Frame1, 120, 60, 4785, 1995);
    auto line = [this](const QString& name, const QString& text, double l, double t, double w, double h) {
        auto* label = named(new QLabel(text, Frame1), name);
        placeTwips(label, l, t, w, h);
        return label;
    };
    Label2 = line(QStringLiteral("Label2"), QStringLiteral("    点击“确认”按钮将隐藏半透明工具栏和程"), 90,
                  360, 4455, 255);
    Label3 = line(QStringLiteral("Label3"), QStringLiteral("序主窗口。要恢复显示计时主窗口，可点击任务"), 90,
                  720, 4455, 255);
    Label4 =
        line(QStringLiteral("Label4"), QStringLiteral("栏“托盘区”的钟形图标，或者按"), 90, 1080, 4305, 255);
    Label5 = line(QStringLiteral("Label5"), QStringLiteral("功能键F11."), 3240, 1080, 1305, 255);
    Label5->setFont(twips::font(QStringLiteral("宋体"), 10.5, true));
    setTextColour(Label5, kRed);

    Command1 = named(new QPushButton(QStringLiteral("确认"), Frame1), QStringLiteral("Command1"));
    placeTwips(Command1, 2880, 1500, 660, 330);
    Command2 = named(new QPushButton(QStringLiteral("返回"), Frame1), QStringLiteral("Command2"));
    placeTwips(Command2, 3790, 1500, 660, 330);
    Frame1->hide();

    connect(Image1, &ClickableLabel::clicked, this, [this] { image1Click(); });
    connect(Image2, &ClickableLabel::clicked, this, [this] { image2Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { command1Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { command2Click(); });
}

void ToolStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

void ToolStrip::placeOverMainWindow()
{
    Form* main = program().loadedForm(WindowKind::Main);
    if (!main)
        return;
    double left = main->leftTwips() + (main->widthTwips() - widthTwips()) / 2;
    double top = main->topTwips();
    // A main window tucked behind a screen edge would take the strip off screen with it.
    const QSize screen = program().windows().screenSizeTwips();
    left = std::clamp(left, 0.0, std::max(0.0, screen.width() - widthTwips()));
    top = std::clamp(top, 0.0, std::max(0.0, screen.height() - kStripHeight));
    moveTwips(left, top);
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
    show();
    // Shown again, it must come up above whatever went full screen meanwhile.
    program().windows().keepAboveFullScreen(this);
    Timer1->setEnabled(true);
}

void ToolStrip::setStripFace()
{
    program().windows().setOpacity(this, kStripAlpha);
    Frame1->hide();
    Label1->show();
    setWindowTitle(QString());
    setHeightTwips(kStripHeight);
}

void ToolStrip::image2Click()
{
    setHeightTwips(kTipHeight);
    setWindowTitle(kTipCaption);
    Label1->hide();
    Frame1->show();
    program().windows().setOpacity(this, kTipAlpha);
    Command1->setFocus();
}

void ToolStrip::command2Click()
{
    setStripFace();
}

void ToolStrip::command1Click()
{
    setStripFace();
    if (!trayAvailable(program())) {
        // Without a bell icon in a tray, hiding the strip too would leave only F11 as a way back.
        program().dialogs().inform(this, MainWindow::kNoticeTitle, kNoTrayNotice);
        return;
    }
    hide();
    Timer1->setEnabled(false);
}

void ToolStrip::image1Click()
{
    hide();
    auto* main = program().loadedAs<MainWindow>(WindowKind::Main);
    if (!main)
        return;
    main->moveTwips(leftTwips() - (main->widthTwips() - widthTwips()) / 2, topTwips());
    main->show();
    // The user asked for the main window: bring it up even over a focused full-screen show.
    main->raise();
    main->activateWindow();
    program().tracking().clearDocked();
}

void ToolStrip::timer1Tick()
{
    if (!Frame1->isHidden())
        return;
    const Countdown& countdown = program().countdown();
    if (countdown.isStopped()) {
        Label1->setText(QStringLiteral("  当前计时状态：停止计时"));
    } else if (countdown.isCounting()) {
        const QString& count = countdown.countText();
        Label1->setText(QStringLiteral("定时") + twoDigitText(countdown.startedMinutes()) +
                        QStringLiteral("分") + twoDigitText(countdown.startedSeconds()) +
                        QStringLiteral("秒,剩余") + displayMinutes(count) + QStringLiteral("分") +
                        displaySeconds(count) + QStringLiteral("秒"));
    } else {
        Label1->setText(QStringLiteral("  当前计时状态：暂停计时"));
    }
}
