#include "platform/MessageBoxDialogs.h"

#include <QMessageBox>

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

} // namespace

void MessageBoxDialogs::inform(QWidget* owner, const QString& title, const QString& text, MessageIcon icon)
{
    QMessageBox box(owner);
    prepare(box, title, text, icon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

Answer MessageBoxDialogs::askYesNo(QWidget* owner, const QString& title, const QString& text,
                                   MessageIcon icon)
{
    QMessageBox box(owner);
    prepare(box, title, text, icon);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void MessageBoxDialogs::systemModalNotice(const QString& title, const QString& text)
{
    QMessageBox box;
    prepare(box, title, text, MessageIcon::None);
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
