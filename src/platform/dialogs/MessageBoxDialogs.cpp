#include "platform/dialogs/MessageBoxDialogs.h"

#include "platform/dialogs/DesktopFolder.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QUrl>
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

struct ButtonName {
    QMessageBox::StandardButton button;
    QString text;
    Qt::Key key; // Y and N answer a question from the keyboard, as they do with Qt's own texts
};

// Qt names its standard buttons in the language of whatever Qt translation happens to be loaded,
// English on most machines. Our messages are Chinese and some refer to 确定 by name, so the buttons
// are named here, the same on every machine.
void nameButtonsInChinese(QMessageBox& box)
{
    static const ButtonName names[] = {
        {QMessageBox::Ok, QCoreApplication::translate("MessageBoxDialogs", "确定"), Qt::Key_unknown},
        {QMessageBox::Yes, QCoreApplication::translate("MessageBoxDialogs", "是"), Qt::Key_Y},
        {QMessageBox::No, QCoreApplication::translate("MessageBoxDialogs", "否"), Qt::Key_N},
        {QMessageBox::Cancel, QCoreApplication::translate("MessageBoxDialogs", "取消"), Qt::Key_unknown},
    };
    for (const ButtonName& name : names) {
        QAbstractButton* button = box.button(name.button);
        if (!button)
            continue;
        button->setText(name.text);
        // A text without a mnemonic drops the button's shortcut; the box answers its bare key too.
        if (name.key != Qt::Key_unknown)
            button->setShortcut(QKeySequence(Qt::ALT | name.key));
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

void MessageBoxDialogs::informWithFolder(QWidget* owner, const QString& title, const QString& text,
                                         const QString& folder)
{
    QMessageBox box(owner);
    prepare(box, title, text, MessageIcon::Information);
    box.setStandardButtons(QMessageBox::Ok);
    nameButtonsInChinese(box);
    // A folder that is not there (it could not be made) would only open an error of the file manager.
    QAbstractButton* open =
        QFileInfo(folder).isDir() ? box.addButton(kOpenFolder, QMessageBox::ActionRole) : nullptr;
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (!open || box.clickedButton() != open)
        return;
    if (!desktopfolder::show(folder))
        inform(owner, title, desktopfolder::cannotShow(folder), MessageIcon::Information);
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

QString MessageBoxDialogs::chooseFile(QWidget* owner, FileChoice choice, const QString& title,
                                      const QString& start, const QString& filters)
{
    // Qt's own dialog with our labels: the desktop's dialog may speak another language than Chinese.
    QFileDialog dialog(owner, title, start, filters);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (choice == FileChoice::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setLabelText(QFileDialog::Accept, QCoreApplication::translate("MessageBoxDialogs", "保存"));
        // A name typed without its extension gets the one of the kind of file chosen.
        const auto suffixOf = [](const QString& filter) {
            const qsizetype star = filter.indexOf(QLatin1String("*."));
            return star < 0 ? QString()
                            : filter.mid(star + 2).section(QRegularExpression(QStringLiteral("[ )]")), 0, 0);
        };
        dialog.setDefaultSuffix(suffixOf(filters.section(QLatin1String(";;"), 0, 0)));
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setLabelText(QFileDialog::Accept, QCoreApplication::translate("MessageBoxDialogs", "打开"));
    }
    dialog.setLabelText(QFileDialog::Reject, QCoreApplication::translate("MessageBoxDialogs", "取消"));
    dialog.setLabelText(QFileDialog::LookIn, QCoreApplication::translate("MessageBoxDialogs", "位置："));
    dialog.setLabelText(QFileDialog::FileName, QCoreApplication::translate("MessageBoxDialogs", "文件名："));
    dialog.setLabelText(QFileDialog::FileType,
                        QCoreApplication::translate("MessageBoxDialogs", "文件类型："));
    // Without Qt's own catalogue the dialog's inner texts would be English: the list view has no
    // column headings, the side bar names folders only, the buttons' tips are ours, and the question
    // before replacing a file is asked in our words.
    dialog.setViewMode(QFileDialog::List);
    const QString folder = choice == FileChoice::Save ? QFileInfo(start).absolutePath() : start;
    dialog.setSidebarUrls({QUrl::fromLocalFile(folder), QUrl::fromLocalFile(QDir::homePath())});
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const std::pair<const char*, const char*> tips[] = {
        {"backButton", QT_TRANSLATE_NOOP("MessageBoxDialogs", "后退")},
        {"forwardButton", QT_TRANSLATE_NOOP("MessageBoxDialogs", "前进")},
        {"toParentButton", QT_TRANSLATE_NOOP("MessageBoxDialogs", "上一级文件夹")},
        {"newFolderButton", QT_TRANSLATE_NOOP("MessageBoxDialogs", "新建文件夹")},
        {"listModeButton", QT_TRANSLATE_NOOP("MessageBoxDialogs", "列表")},
        {"detailModeButton", QT_TRANSLATE_NOOP("MessageBoxDialogs", "详细信息")},
    };
    for (const auto& [name, tip] : tips) {
        if (auto* button = dialog.findChild<QToolButton*>(QLatin1String(name))) {
            button->setToolTip(QCoreApplication::translate("MessageBoxDialogs", tip));
            button->setAccessibleName(QCoreApplication::translate("MessageBoxDialogs", tip));
        }
    }
    if (auto* detail = dialog.findChild<QToolButton*>(QStringLiteral("detailModeButton")))
        detail->hide();
    if (auto* list = dialog.findChild<QToolButton*>(QStringLiteral("listModeButton")))
        list->hide();
    for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>())
        view->setContextMenuPolicy(Qt::NoContextMenu);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        const QString chosen = dialog.selectedFiles().constFirst();
        if (choice == FileChoice::Open || !QFileInfo::exists(chosen) ||
            askYesNo(&dialog, title,
                     QCoreApplication::translate("MessageBoxDialogs", "%1 已经存在。要替换它吗？")
                         .arg(QDir::toNativeSeparators(chosen)),
                     MessageIcon::Information) == Answer::Yes)
            return chosen;
    }
}
