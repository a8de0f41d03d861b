#pragma once

#include "platform/CatalogueText.h"
#include "platform/Dialogs.h"

// Dialogs shown as QMessageBox. Texts are plain text: file names and list entries must never be
// taken for markup.
class MessageBoxDialogs : public Dialogs {
public:
    static inline const CatalogueText kOpenFolder{"MessageBoxDialogs",
                                                  QT_TRANSLATE_NOOP("MessageBoxDialogs", "打开文件夹")};

    void inform(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
    Answer askYesNo(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
    void informWithFolder(QWidget* owner, const QString& title, const QString& text,
                          const QString& folder) override;
    void systemModalNotice(const QString& title, const QString& text) override;
    QString chooseFile(QWidget* owner, FileChoice choice, const QString& title, const QString& start,
                       const QString& filters) override;
};
