// The main window's controls: where they sit, what they say, and the pointer behaviours of the window.
// The creation order is the keyboard's order through the window.
#include "ui/ClickableLabel.h"
#include "ui/Controls.h"
#include "ui/DrawnIcons.h"
#include "ui/WindowChrome.h"
#include "ui/main/MainWindow.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

} // namespace

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
    entryFrame_ = named(new QFrame(this), QStringLiteral("Frame2"));
    placeTwips(entryFrame_, 0, 0, 4200, 1740);
    buttonFrame_ = named(new QFrame(this), QStringLiteral("Frame3"));
    placeTwips(buttonFrame_, 0, 1740, kWidth, 480);
    logoFrame_ = named(new QFrame(this), QStringLiteral("Frame1"));
    placeTwips(logoFrame_, 4200, 0, 1080, 1140);
    logo_ = named(new ClickableLabel(logoFrame_), QStringLiteral("Image1"));
    placeTwips(logo_, 30, 120, 900, 900);
    logo_->setPixmap(logoPicture(logo_->size(), devicePixelRatioF()));
    logo_->setScaledContents(true);
    logo_->setCursor(Qt::PointingHandCursor);
    logo_->setAccessibleName(tr("Vantrel 标志"));

    auto label = [this](const QString& name, const QString& text, double l, double t, double w, double h) {
        auto* created = named(new QLabel(text, this), name);
        placeTwips(created, l, t, w, h);
        return created;
    };
    totalCaption_ = label(QStringLiteral("Label1"), tr("输入定时时间："), 240, 345, 1695, 255);
    totalMinutesBox_ = makeTimeBox(QStringLiteral("Text1"), QStringLiteral("01"));
    placeTwips(totalMinutesBox_, 2040, 270, 600, 435);
    totalMinutesBox_->setToolTip(tr("定时时间须大于0，最多两位数字"));
    totalMinutesBox_->setAccessibleName(tr("定时时间：分"));
    totalMinutesUnit_ = label(QStringLiteral("Label22"), tr("分"), 2600, 345, 255, 255);
    totalSecondsBox_ = makeTimeBox(QStringLiteral("Text4"), QStringLiteral("00"));
    placeTwips(totalSecondsBox_, 2940, 270, 600, 435);
    totalSecondsBox_->setAccessibleName(tr("定时时间：秒"));
    totalSecondsUnit_ = label(QStringLiteral("Label28"), tr("秒"), 3690, 345, 255, 255);
    reminderCaption_ = label(QStringLiteral("Label2"), tr("提前提醒时间："), 240, 855, 1680, 285);
    reminderMinutesBox_ = makeTimeBox(QStringLiteral("Text2"), QStringLiteral("00"));
    placeTwips(reminderMinutesBox_, 2040, 810, 600, 435);
    reminderMinutesBox_->setToolTip(tr("提前提醒时间须小于定时时间，也可以为0"));
    reminderMinutesBox_->setAccessibleName(tr("提前提醒时间：分"));
    reminderMinutesUnit_ = label(QStringLiteral("Label29"), tr("分"), 2600, 855, 255, 255);
    reminderSecondsBox_ = makeTimeBox(QStringLiteral("Text5"), QStringLiteral("30"));
    placeTwips(reminderSecondsBox_, 2940, 810, 600, 435);
    reminderSecondsBox_->setAccessibleName(tr("提前提醒时间：秒"));
    reminderSecondsUnit_ = label(QStringLiteral("Label30"), tr("秒"), 3690, 855, 255, 255);
    presetCaption_ = label(QStringLiteral("Label7"), tr("当前定时选择："), 240, 1380, 1695, 310);

    const std::array<const char*, PresetStore::kPresets> presetNames{"Option1", "Option2", "Option3"};
    const std::array<double, PresetStore::kPresets> presetLefts{1800, 3030, 4260};
    for (int i = 0; i < PresetStore::kPresets; ++i) {
        auto* option =
            named(new QRadioButton(PresetStore::caption(i), this), QString::fromLatin1(presetNames[i]));
        placeTwips(option, presetLefts[i], 1380, 1200, 255);
        setTextColour(option, i == 0 ? kRed : kBlack);
        presetButtons_[i] = option;
    }
    presetButtons_[0]->setChecked(true);

    auto button = [this](const QString& name, const QString& text, double left, double top,
                         const QString& tip) {
        auto* created = named(new QPushButton(text, this), name);
        placeTwips(created, left, top, 580, 320);
        created->setToolTip(tip);
        return created;
    };
    startButton_ = button(QStringLiteral("Command1"), tr("开始"), 330, 1815, tr("启动定时器，开始计时"));
    pauseButton_ = button(QStringLiteral("Command2"), tr("暂停"), 1056, 1815, tr("暂停定时器计时"));
    stopButton_ = button(QStringLiteral("Command3"), tr("停止"), 1782, 1815, tr("停止定时器计时"));
    foldButton_ = button(QStringLiteral("Command4"), tr("缩小"), 2508, 1815, QString());
    drawButton_ = button(QStringLiteral("Command5"), tr("抽签"), 3234, 1815, QString());
    helpButton_ = button(QStringLiteral("Command6"), tr("帮助"), 3960, 1815, tr("点击查看详细帮助信息"));
    exitButton_ = button(QStringLiteral("Command7"), tr("退出"), 4575, 1785, tr("确认后退出本软件！"));
    pauseButton_->setEnabled(false);
    stopButton_->setEnabled(false);
    foldButton_->setEnabled(false);

    countLabel_ = named(new ClickableLabel(QStringLiteral("05 : 00"), this), QStringLiteral("Label3"));
    placeTwips(countLabel_, 810, 60, 2655, 765);
    countLabel_->setFont(twips::font(QStringLiteral("Times New Roman"), 38.25, true));
    countLabel_->setAlignment(Qt::AlignCenter);
    countLabel_->setToolTip(tr("显示剩余的时间,双击数字可放大计时窗口"));
    setTextColour(countLabel_, kRed);

    timeUpLabel_ = label(QStringLiteral("Label5"), tr(" 时间到！"), 740, 120, 3015, 735);
    timeUpLabel_->setFont(twips::font(QStringLiteral("宋体"), 32.25, true));
    setTextColour(timeUpLabel_, kRed);

    reminderLabel_ = label(QStringLiteral("Label6"), tr("还剩1分10秒！"), 480, 240, 3255, 495);
    reminderLabel_->setFont(twips::font(QStringLiteral("Times New Roman"), 21.75, true));
    reminderLabel_->setAlignment(Qt::AlignCenter);
    setTextColour(reminderLabel_, kRed);

    presetNameLabel_ = label(QStringLiteral("Label8"), PresetStore::caption(0), 240, 960, 735, 255);
    setTextColour(presetNameLabel_, kBlue);
    runStateLabel_ = label(QStringLiteral("Label18"), tr("暂停计时"), 1020, 960, 900, 255);
    setTextColour(runStateLabel_, kBlack);
    summaryLabel_ = label(QStringLiteral("Label31"), tr("定时 00:00 提前 00:00"), 1980, 960, 3000, 255);
    summaryLabel_->setFont(twips::font(QStringLiteral("Times New Roman"), 10.5));
    setTextColour(summaryLabel_, kBlack);

    for (QLabel* hidden : {static_cast<QLabel*>(countLabel_), timeUpLabel_, reminderLabel_, presetNameLabel_,
                           runStateLabel_, summaryLabel_})
        hidden->hide();

    titleList_ = named(new QComboBox(this), QStringLiteral("Combo1"));
    titleList_->hide();
}

void MainWindow::attachChrome()
{
    WindowChrome::attach(
        this,
        {objectName(), "Frame2", "Frame3", "Label1", "Label2", "Label3", "Label5", "Label6", "Label7",
         "Label8", "Label18", "Label22", "Label28", "Label29", "Label30", "Label31", "Option1", "Option2",
         "Option3"},
        {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6", "Command7"});
    WindowChrome::attachHeightRestore(this,
                                      {objectName(), "Frame1", "Frame2", "Frame3", "Label1", "Label2",
                                       "Label30", "Image1", "Command1", "Command2", "Command3", "Command4",
                                       "Command5"},
                                      kNormalHeight);
}
