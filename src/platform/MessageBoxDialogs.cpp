#include "platform/MessageBoxDialogs.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <utility>

namespace {

QMessageBox::Icon toQt(MessageIcon icon)
{
    return icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon;
}

void prepare(QMessageBox& box, const QString& title, const QString& text, MessageIcon icon)
{
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(toQt(icon));
    // Our windows stay on top; a question must not open beneath them.
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

// Qt names its standard buttons in the language of whatever Qt translation happens to be loaded,
// English on most machines. Our messages are Chinese and some refer to 确定 by name, so the buttons
// are named here, the same on every machine.
void nameButtonsInChinese(QMessageBox& box)
{
    static const std::pair<QMessageBox::StandardButton, QString> names[] = {
        {QMessageBox::Ok, QStringLiteral("确定")},
        {QMessageBox::Yes, QStringLiteral("是")},
        {QMessageBox::No, QStringLiteral("否")},
        {QMessageBox::Cancel, QStringLiteral("取消")},
    };
    for (const auto& [which, text] : names) {
        if (QAbstractButton* button = box.button(which))
            button->setText(text);
    }
}

} // namespace

void MessageBoxDialogs::inform(QWidget* owner, const QString& title, const QString& text, MessageIcon icon)
{
    QMessageBox box(owner);
    prepare(box, title, text, icon);
    box.setStandardButtons(QMessageBox::Ok);
    nameButtonsInChinese(box);
    box.exec();
}

Answer MessageBoxDialogs::askYesNo(QWidget* owner, const QString& title, const QString& text,
                                   MessageIcon icon)
{
    QMessageBox box(owner);
    prepare(box, title, text, icon);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    nameButtonsInChinese(box);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void MessageBoxDialogs::systemModalNotice(const QString& title, const QString& text)
{
    QMessageBox box;
    prepare(box, title, text, MessageIcon::None);
    box.setStandardButtons(QMessageBox::Ok);
    nameButtonsInChinese(box);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
