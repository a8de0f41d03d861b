#include "ui/remote/PairingWindow.h"

#include "platform/remote/QrCode.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// The blank border around a code, in modules, that readers need to find it.
constexpr int kQuietModules = 4;
constexpr int kCodeSide = 260;
} // namespace

QPixmap qrPicture(const QByteArray& text, int side)
{
    const QrCode code = QrCode::encode(text);
    if (code.size == 0)
        return {};
    const int modules = code.size + 2 * kQuietModules;
    // Whole pixels per module: a code drawn with blurred edges reads badly.
    const int scale = std::max(1, side / modules);
    QPixmap picture(modules * scale, modules * scale);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (int y = 0; y < code.size; ++y) {
        for (int x = 0; x < code.size; ++x) {
            if (code.isDark(x, y))
                painter.fillRect((x + kQuietModules) * scale, (y + kQuietModules) * scale, scale, scale,
                                 Qt::black);
        }
    }
    return picture;
}

PairingWindow::PairingWindow(QWidget* owner, std::function<void()> turnOff)
    : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint), turnOff_(std::move(turnOff)),
      code_(new QLabel(this)), controlAddress_(new QLabel(this)), clockAddress_(new QLabel(this)),
      turnOffButton_(new QPushButton(tr("关闭手机遥控"), this)),
      closeButton_(new QPushButton(tr("确定"), this))
{
    setObjectName(QStringLiteral("RemotePairing"));
    setWindowTitle(tr("Vantrel工具 - 手机遥控"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont font = owner ? owner->font() : QWidget::font();
    font.setPointSizeF(10.5);
    setFont(font);

    auto* layout = new QVBoxLayout(this);
    auto* steps = new QLabel(tr("用手机扫描下面的二维码，或在手机浏览器中输入地址："), this);
    steps->setWordWrap(true);
    layout->addWidget(steps);
    code_->setAlignment(Qt::AlignCenter);
    code_->setAccessibleName(tr("手机遥控地址的二维码"));
    layout->addWidget(code_);
    for (QLabel* address : {controlAddress_, clockAddress_}) {
        address->setTextFormat(Qt::PlainText);
        address->setTextInteractionFlags(Qt::TextSelectableByMouse);
        address->setWordWrap(true);
        address->setAlignment(Qt::AlignCenter);
    }
    QFont bold = font;
    bold.setBold(true);
    controlAddress_->setFont(bold);
    controlAddress_->setObjectName(QStringLiteral("ControlAddress"));
    layout->addWidget(controlAddress_);
    auto* network =
        new QLabel(tr("手机须与本电脑连在同一个网络上（同一无线网络，或本电脑连接手机的热点），"
                      "不需要互联网。知道此地址的人都能遥控计时，请勿外传；关闭手机遥控后地址即失效。"),
                   this);
    network->setWordWrap(true);
    layout->addWidget(network);
    auto* clockCaption = new QLabel(tr("网页时钟（只显示倒计时，可在其他屏幕或学生的设备上打开）："), this);
    clockCaption->setWordWrap(true);
    layout->addWidget(clockCaption);
    clockAddress_->setObjectName(QStringLiteral("ClockAddress"));
    layout->addWidget(clockAddress_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    turnOffButton_->setObjectName(QStringLiteral("TurnOff"));
    closeButton_->setObjectName(QStringLiteral("Close"));
    buttons->addWidget(turnOffButton_);
    buttons->addWidget(closeButton_);
    layout->addLayout(buttons);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(turnOffButton_, &QPushButton::clicked, this, [this] {
        // Closes this window too.
        turnOff_();
    });
    setFixedWidth(440);
}

void PairingWindow::showAddresses(const QUrl& control, const QUrl& clock)
{
    const QString controlText = control.toString(QUrl::FullyEncoded);
    code_->setPixmap(qrPicture(controlText.toUtf8(), kCodeSide));
    controlAddress_->setText(controlText);
    clockAddress_->setText(clock.toString(QUrl::FullyEncoded));
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}
