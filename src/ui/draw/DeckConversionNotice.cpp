#include "ui/draw/DeckConversionNotice.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

DeckConversionNotice::DeckConversionNotice(const QString& deckName, QWidget* near)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("DeckConversionNotice"));
    setWindowTitle(tr("正在准备演示文稿"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(QStringLiteral("DeckConversionNotice { background: #fffbe6; border: 1px solid #b08000; }"));
    setAttribute(Qt::WA_StyledBackground);

    text_ = new QLabel(this);
    // The deck's name comes from the user's folder: never markup.
    text_->setTextFormat(Qt::PlainText);
    text_->setText(
        tr("正在打开演示文稿 %1，请稍候…\n第一次打开时要先转换，可能需要十几秒；以后再打开就快了。")
            .arg(deckName));
    QFont font = text_->font();
    font.setPointSizeF(12);
    text_->setFont(font);

    auto* cancel = new QPushButton(kCancel, this);
    cancel->setObjectName(QStringLiteral("CancelConversion"));
    connect(cancel, &QPushButton::clicked, this, [this] {
        // Those who hear of it may let events run that release this notice.
        const QPointer<DeckConversionNotice> self(this);
        hide();
        emit cancelled();
        if (self)
            close();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 14);
    layout->addWidget(text_);
    layout->addLayout(buttons);
    adjustSize();

    const QScreen* screen = near && near->screen() ? near->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        QRect place(QPoint(), size());
        place.moveCenter(area.center());
        move(place.topLeft());
    }
}

QString DeckConversionNotice::text() const
{
    return text_->text();
}
