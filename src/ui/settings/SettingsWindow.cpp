#include "ui/settings/SettingsWindow.h"

#include "models/settings/ProgramOptions.h"
#include "platform/Dialogs.h"
#include "platform/ProgramNoticeTitle.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

SettingsWindow::SettingsWindow(ProgramOptions& options, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), options_(options), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("SettingsWindow"));
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);

    overtime_ =
        addSwitch(layout, QStringLiteral("OvertimeBox"), tr("超时后继续计时"),
                  tr("时间到后不停止，以红色“+分 : 秒”显示超出的时间，直到点击“停止”。"), options.overtime());
    paceColours_ = addSwitch(layout, QStringLiteral("PaceColoursBox"), tr("按进度显示数字颜色"),
                             tr("剩余时间多于提醒时间时数字为绿色，到提醒时间后为橙色，时间到及超时为红色。"),
                             options.paceColours());
    rememberPresets_ = addSwitch(layout, QStringLiteral("RememberPresetsBox"), tr("记住预设时间"),
                                 tr("三个预设各自保留上次开始时的定时时间和提醒时间，下次启动后仍然有效。"),
                                 options.rememberPresets());

    auto* coverRow = new QHBoxLayout;
    auto* coverCaption = new QLabel(tr("时间到时遮罩屏幕："), this);
    coverScreens_ = named(new QComboBox(this), QStringLiteral("CoverScreensBox"));
    coverScreens_->addItem(tr("不显示"), int(CoverScreens::None));
    coverScreens_->addItem(tr("放映所在的屏幕"), int(CoverScreens::ShowScreen));
    coverScreens_->addItem(tr("所有屏幕"), int(CoverScreens::EveryScreen));
    coverScreens_->setCurrentIndex(coverScreens_->findData(int(options.coverScreens())));
    coverCaption->setBuddy(coverScreens_);
    coverRow->addWidget(coverCaption);
    coverRow->addWidget(coverScreens_, 1);
    layout->addLayout(coverRow);
    addExplanation(
        layout, tr("时间到时，在屏幕上显示半透明的大字“时间到！”六秒钟，全班都能看到；不影响放映的操作。"));

    auto* volumeRow = new QHBoxLayout;
    auto* volumeCaption = new QLabel(tr("提示音音量："), this);
    volumeSlider_ = named(new QSlider(Qt::Horizontal, this), QStringLiteral("VolumeSlider"));
    volumeSlider_->setRange(0, 100);
    volumeSlider_->setAccessibleName(tr("提示音音量"));
    volume_ = named(new QSpinBox(this), QStringLiteral("VolumeBox"));
    volume_->setRange(0, 100);
    volume_->setAccessibleName(tr("提示音音量"));
    volumeSlider_->setValue(options.volume());
    volume_->setValue(options.volume());
    volumeCaption->setBuddy(volume_);
    volumeRow->addWidget(volumeCaption);
    volumeRow->addWidget(volumeSlider_, 1);
    volumeRow->addWidget(volume_);
    layout->addLayout(volumeRow);
    addExplanation(layout, tr("所有提示音的音量，0 到 100。"));
    muted_ =
        addSwitch(layout, QStringLiteral("MutedBox"), tr("静音"), tr("不播放任何提示音。"), options.muted());

    classLists_ = addSwitch(layout, QStringLiteral("ClassListsBox"), tr("多个班级名单"),
                            tr("按名单抽签时可以换名单、新建名单，标记缺席、撤销抽签，并保存抽签记录。"),
                            options.classLists());
    remote_ = addSwitch(layout, QStringLiteral("RemoteBox"), tr("手机遥控"),
                        tr("用手机浏览器遥控计时和抽签；勾选后立即开启，以后随程序启动。"),
                        options.remoteAtStart());

    auto* closeRow = new QHBoxLayout;
    auto* closeButton = named(new QPushButton(tr("关闭"), this), QStringLiteral("CloseButton"));
    closeRow->addStretch(1);
    closeRow->addWidget(closeButton);
    layout->addSpacing(6);
    layout->addLayout(closeRow);

    connect(overtime_, &QCheckBox::toggled, this, [this](bool on) { kept(options_.setOvertime(on)); });
    connect(paceColours_, &QCheckBox::toggled, this, [this](bool on) { kept(options_.setPaceColours(on)); });
    connect(rememberPresets_, &QCheckBox::toggled, this,
            [this](bool on) { kept(options_.setRememberPresets(on)); });
    connect(coverScreens_, &QComboBox::currentIndexChanged, this,
            [this] { kept(options_.setCoverScreens(CoverScreens(coverScreens_->currentData().toInt()))); });
    connect(volumeSlider_, &QSlider::valueChanged, volume_, &QSpinBox::setValue);
    connect(volume_, &QSpinBox::valueChanged, volumeSlider_, &QSlider::setValue);
    connect(volume_, &QSpinBox::valueChanged, this,
            [this](int percent) { kept(options_.setVolume(percent)); });
    connect(muted_, &QCheckBox::toggled, this, [this](bool on) { kept(options_.setMuted(on)); });
    connect(classLists_, &QCheckBox::toggled, this, [this](bool on) { kept(options_.setClassLists(on)); });
    connect(remote_, &QCheckBox::toggled, this, [this](bool on) {
        kept(options_.setRemoteAtStart(on));
        emit remoteSwitched(on);
    });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void SettingsWindow::fitInto(const QSize& screen)
{
    ensurePolished();
    const int frame = 40; // the window manager's title bar and border
    int width = std::min(sizeHint().width(), screen.width());
    while (heightForWidth(width) + frame > screen.height() && width + 40 <= screen.width())
        width += 40;
    resize(width, std::max(heightForWidth(width), minimumSizeHint().height()));
}

QCheckBox* SettingsWindow::addSwitch(QVBoxLayout* layout, const QString& name, const QString& text,
                                     const QString& explanation, bool on)
{
    auto* box = named(new QCheckBox(text, this), name);
    box->setChecked(on);
    layout->addWidget(box);
    addExplanation(layout, explanation);
    return box;
}

QLabel* SettingsWindow::addExplanation(QVBoxLayout* layout, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    // Under its option, in a quieter grey, indented as the option's text is.
    label->setContentsMargins(20, 0, 0, 6);
    setTextColour(label, QColor(80, 80, 80));
    layout->addWidget(label);
    return label;
}

void SettingsWindow::kept(bool written)
{
    if (written || toldNotKept_)
        return;
    toldNotKept_ = true;
    dialogs_.inform(this, kProgramNoticeTitle, kNotKept);
}
