#include "ui/main/MainWindow.h"

#include "models/countdown/TimeText.h"
#include "platform/Dialogs.h"
#include "platform/SoundDevice.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "ui/ClickableLabel.h"
#include "ui/Controls.h"
#include "ui/Program.h"

#include <QComboBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

} // namespace

MainWindow::MainWindow(Program& program) : Form(program, WindowKind::Main)
{
    setWindowTitle(kLoadingTitle);
    setFont(twips::font(QStringLiteral("宋体"), 9));
    resizeTwips(kWidth, kNormalHeight);
    buildControls();
    connectHandlers();
    attachChrome();

    Timer1 = makeTimer(QStringLiteral("Timer1"), 1000, TickPolicy::Counting);
    Timer2 = makeTimer(QStringLiteral("Timer2"), 100, TickPolicy::Pacing);
    Timer3 = makeTimer(QStringLiteral("Timer3"), 50, TickPolicy::Pacing);
    Timer4 = makeTimer(QStringLiteral("Timer4"), 300, TickPolicy::Pacing);
    Timer5 = makeTimer(QStringLiteral("Timer5"), 800, TickPolicy::Pacing);
    Timer1->onTick([this] { timer1Tick(); });
    Timer2->onTick([this] { timer2Tick(); });
    Timer3->onTick([this] { timer3Tick(); });
    Timer4->onTick([this] { timer4Tick(); });
    Timer5->onTick([this] { timer5Tick(); });

    sound_ = program.sounds().create();
}

MainWindow::~MainWindow() = default;

QLineEdit* MainWindow::makeTimeBox(const QString& name, const QString& text)
{
    auto* box = named(new QLineEdit(text, this), name);
    box->setMaxLength(2);
    box->setAlignment(Qt::AlignCenter);
    box->setFont(twips::font(QStringLiteral("Times New Roman"), 14.25));
    box->setContextMenuPolicy(Qt::NoContextMenu);
    return box;
}

void MainWindow::buildControls()
{
    // Passive frames behind the entry area, the button row and the logo; they carry the window's
    // drag and height-restore behaviour.
    Frame2 = named(new QFrame(this), QStringLiteral("Frame2"));
    placeTwips(Frame2, 0, 0, 4200, 1740);
    Frame3 = named(new QFrame(this), QStringLiteral("Frame3"));
    placeTwips(Frame3, 0, 1740, kWidth, 480);
    Frame1 = named(new QFrame(this), QStringLiteral("Frame1"));
    placeTwips(Frame1, 4200, 0, 1080, 1140);
    Image1 = named(new ClickableLabel(Frame1), QStringLiteral("Image1"));
    placeTwips(Image1, 30, 120, 900, 900);
    Image1->setPixmap(QIcon(QStringLiteral(":/icons/logo.svg")).pixmap(Image1->size()));
    Image1->setScaledContents(true);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setAccessibleName(QStringLiteral("Vantrel 标志"));

    auto label = [this](const QString& name, const QString& text, double l, double t, double w, double h) {
        auto* created = named(new QLabel(text, this), name);
        placeTwips(created, l, t, w, h);
        return created;
    };
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("输入定时时间："), 240, 345, 1695, 255);
    Text1 = makeTimeBox(QStringLiteral("Text1"), QStringLiteral("01"));
    placeTwips(Text1, 2040, 270, 600, 435);
    Text1->setToolTip(QStringLiteral("定时时间须大于0，最多两位数字"));
    Text1->setAccessibleName(QStringLiteral("定时时间：分"));
    Label22 = label(QStringLiteral("Label22"), QStringLiteral("分"), 2600, 345, 255, 255);
    Text4 = makeTimeBox(QStringLiteral("Text4"), QStringLiteral("00"));
    placeTwips(Text4, 2940, 270, 600, 435);
    Text4->setAccessibleName(QStringLiteral("定时时间：秒"));
    Label28 = label(QStringLiteral("Label28"), QStringLiteral("秒"), 3690, 345, 255, 255);
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("提前提醒时间："), 240, 855, 1680, 285);
    Text2 = makeTimeBox(QStringLiteral("Text2"), QStringLiteral("00"));
    placeTwips(Text2, 2040, 810, 600, 435);
    Text2->setToolTip(QStringLiteral("提前提醒时间须小于定时时间，也可以为0"));
    Text2->setAccessibleName(QStringLiteral("提前提醒时间：分"));
    Label29 = label(QStringLiteral("Label29"), QStringLiteral("分"), 2600, 855, 255, 255);
    Text5 = makeTimeBox(QStringLiteral("Text5"), QStringLiteral("30"));
    placeTwips(Text5, 2940, 810, 600, 435);
    Text5->setAccessibleName(QStringLiteral("提前提醒时间：秒"));
    Label30 = label(QStringLiteral("Label30"), QStringLiteral("秒"), 3690, 855, 255, 255);
    Label7 = label(QStringLiteral("Label7"), QStringLiteral("当前定时选择："), 240, 1380, 1695, 310);

    auto option = [this](const QString& name, const QString& text, double left) {
        auto* created = named(new QRadioButton(text, this), name);
        placeTwips(created, left, 1380, 1200, 255);
        return created;
    };
    Option1 = option(QStringLiteral("Option1"), PresetStore::caption(0), 1800);
    Option2 = option(QStringLiteral("Option2"), PresetStore::caption(1), 3030);
    Option3 = option(QStringLiteral("Option3"), PresetStore::caption(2), 4260);
    Option1->setChecked(true);
    setTextColour(Option1, kRed);
    setTextColour(Option2, kBlack);
    setTextColour(Option3, kBlack);

    auto button = [this](const QString& name, const QString& text, double left, double top,
                         const QString& tip) {
        auto* created = named(new QPushButton(text, this), name);
        placeTwips(created, left, top, 580, 320);
        created->setToolTip(tip);
        return created;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("开始"), 330, 1815,
                      QStringLiteral("启动定时器，开始计时"));
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("暂停"), 1056, 1815,
                      QStringLiteral("暂停定时器计时"));
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("停止"), 1782, 1815,
                      QStringLiteral("停止定时器计时"));
    Command4 = button(QStringLiteral("Command4"), QStringLiteral("缩小"), 2508, 1815, QString());
    Command5 = button(QStringLiteral("Command5"), QStringLiteral("抽签"), 3234, 1815, QString());
    Command6 = button(QStringLiteral("Command6"), QStringLiteral("帮助"), 3960, 1815,
                      QStringLiteral("点击查看详细帮助信息"));
    Command7 = button(QStringLiteral("Command7"), QStringLiteral("退出"), 4575, 1785,
                      QStringLiteral("确认后退出本软件！"));
    Command2->setEnabled(false);
    Command3->setEnabled(false);
    Command4->setEnabled(false);

    Label3 = named(new ClickableLabel(QStringLiteral("05 : 00"), this), QStringLiteral("Label3"));
    placeTwips(Label3, 810, 60, 2655, 765);
    Label3->setFont(twips::font(QStringLiteral("Times New Roman"), 38.25, true));
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setToolTip(QStringLiteral("显示剩余的时间,双击数字可放大计时窗口"));
    setTextColour(Label3, kRed);

    Label5 = label(QStringLiteral("Label5"), QStringLiteral(" 时间到！"), 740, 120, 3015, 735);
    Label5->setFont(twips::font(QStringLiteral("宋体"), 32.25, true));
    setTextColour(Label5, kRed);

    Label6 = label(QStringLiteral("Label6"), QStringLiteral("还剩1分10秒！"), 480, 240, 3255, 495);
    Label6->setFont(twips::font(QStringLiteral("Times New Roman"), 21.75, true));
    Label6->setAlignment(Qt::AlignCenter);
    setTextColour(Label6, kRed);

    Label8 = label(QStringLiteral("Label8"), PresetStore::caption(0), 240, 960, 735, 255);
    setTextColour(Label8, kBlue);
    Label18 = label(QStringLiteral("Label18"), QStringLiteral("暂停计时"), 1020, 960, 900, 255);
    setTextColour(Label18, kBlack);
    Label31 = label(QStringLiteral("Label31"), QStringLiteral("定时 00:00 提前 00:00"), 1980, 960, 3000, 255);
    Label31->setFont(twips::font(QStringLiteral("Times New Roman"), 10.5));
    setTextColour(Label31, kBlack);

    for (QLabel* hidden : {static_cast<QLabel*>(Label3), Label5, Label6, Label8, Label18, Label31})
        hidden->hide();

    // The titles of the top-level windows gathered by the last scan; never shown.
    Combo1 = named(new QComboBox(this), QStringLiteral("Combo1"));
    Combo1->hide();
}

void MainWindow::connectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, [this] { command1Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { command2Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { command3Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { command4Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { command5Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { command6Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { command7Click(); });
    connect(Image1, &ClickableLabel::clicked, this, [this] { image1Click(); });
    connect(Label3, &ClickableLabel::doubleClicked, this, [this] { label3DoubleClick(); });
    connect(Option1, &QRadioButton::clicked, this, [this] { selectPreset(0); });
    connect(Option2, &QRadioButton::clicked, this, [this] { selectPreset(1); });
    connect(Option3, &QRadioButton::clicked, this, [this] { selectPreset(2); });
    for (QLineEdit* box : {Text1, Text2, Text4, Text5})
        connect(box, &QLineEdit::textChanged, this, [this, box] { boxChanged(box); });

    // The seconds check runs before the focus leaves a seconds box, whether by the keyboard or by a
    // click on another control.
    for (QWidget* control : findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus)
            control->installEventFilter(this);
    }
}

void MainWindow::setNumber(QLineEdit* box, bool digitsOnly)
{
    if (!box)
        return;
    if (digitsOnly)
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    else
        box->setValidator(nullptr);
    box->update();
}

void MainWindow::placeStandard()
{
    centreHorizontally(kStandardTop);
}

void MainWindow::playCue()
{
    ::playCue(*sound_);
}

void MainWindow::load()
{
    // 1. Shared values.
    program().countdown().setState(Countdown::State::Stopped);
    TipWasVisible = false;
    MainWasVisible = false;
    program().instructionShow().setOpen(false);
    program().enlargedNotice() = EnlargedNotice::None;
    program().tracking().setLastScan({});
    Combo1->clear();
    titleCount_ = 0;
    // 2. Height.
    setHeightTwips(kNormalHeight);
    // 3. Entry boxes.
    Text1->setText(QStringLiteral("01"));
    Text4->setText(QStringLiteral("00"));
    Text2->setText(QStringLiteral("00"));
    Text5->setText(QStringLiteral("30"));
    // 4. Presets.
    presets_ = PresetStore();
    // 5. Layout.
    moveControlTwips(Label6, 480, 240);
    program().instructionShow().setDeck(QStringLiteral("MYPPT.PPT"));
    moveControlTwips(Label5, 740, 120);
    moveControlTwips(Label3, 810, 60);
    moveControlTwips(Label31, 1980, 960);
    moveControlTwips(Label18, 1020, 960);
    moveControlTwips(Label8, 240, 960);
    Label18->setText(QStringLiteral("正在计时"));
    // 6. Edge flags.
    program().tracking().clearDocked();
    // 7. Placement.
    placeStandard();
    // 8. Only one copy runs.
    if (!program().isOnlyCopy()) {
        hide();
        placeStandard();
        program().dialogs().systemModalNotice(
            kNoticeTitle,
            QStringLiteral("\r    您好，本软件已运行，请点击任务栏托盘区的钟形图标显示程序界面！    \r\n"));
        for (WindowKind id : {WindowKind::SlideDraw, WindowKind::EnlargedCountdown, WindowKind::NameListDraw,
                              WindowKind::ToolStrip, WindowKind::DrawLauncher, WindowKind::Main})
            program().unload(id);
        program().quit(0);
        return;
    }
    // 9. Counts and the launcher.
    CountMinutes = 0;
    ReminderMinutes = 0;
    CountSeconds = 0;
    SavedTotalMinutes = SavedTotalSeconds = SavedReminderMinutes = SavedReminderSeconds = 0;
    program().unload(WindowKind::DrawLauncher);
    // 10. Effects.
    SlideDirection = -1;
    TimeUpTicks = 0;
    ReminderTicks = 0;
    BlinkPhase = 1;
    // 11. Digits-only boxes (the launcher's count box takes the same style when it loads).
    setNumber(Text1, true);
    setNumber(Text2, true);
    setNumber(Text4, true);
    setNumber(Text5, true);
    // 12. Above normal windows.
    program().windows().makeTopMost(this);
    // 13. The cue.
    sound_->setFileName(QStringLiteral("ding.WAV"));
    // 14. Shown, with tracking on.
    show();
    // Only a shown window knows its frame: keep the designed outer size and the standard place.
    resizeTwips(kWidth, kNormalHeight);
    placeStandard();
    Timer2->setEnabled(true);
    createTray();
}

void MainWindow::unload()
{
    if (sound_)
        sound_->close();
}
