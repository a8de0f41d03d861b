#pragma once

#include "platform/Dialogs.h"

// Dialogs shown as QMessageBox. Texts are plain text: file names and list entries must never be
// taken for markup.
class MessageBoxDialogs : public Dialogs {
public:
    void inform(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
    Answer askYesNo(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
    void systemModalNotice(const QString& title, const QString& text) override;
};
