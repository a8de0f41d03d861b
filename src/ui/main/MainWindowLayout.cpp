// The main window's controls: where they sit, what they say, and the pointer behaviours of the window.
// The creation order is the keyboard's order through the window.
#include "ui/ClickableLabel.h"
#include "ui/Controls.h"
#include "ui/DrawnIcons.h"
#include "ui/WindowChrome.h"
#include "ui/WindowContext.h"
#include "ui/main/CountDisplay.h"
#include "ui/main/MainWindow.h"
#include "ui/main/TimeEntryControls.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

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

    // The time entry, next in the keyboard's order.
    entry_ = new TimeEntryControls(*this);

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

    // The displays of the count, over the frames.
    display_ = new CountDisplay(*this, program().timers(), program().countdown(), program().options());

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
