#pragma once

#include "platform/CatalogueText.h"
#include "ui/ClickableLabel.h"

class Dialogs;

// Shows the data folder in the desktop's file manager; tells the teacher why not when it is missing
// or the desktop cannot.
void openDataFolder(const QString& folder, Dialogs& dialogs, QWidget* owner);

// "打开程序文件夹": the instruction decks and the messages send the teacher to the program folder,
// which nobody finds by its path (~/.local/share/vantrel). A click shows it in the desktop's file
// manager. It is a link rather than a button so that it sits beside a window's fixed controls
// without passing for one of them.
class DataFolderLink : public ClickableLabel {
    Q_OBJECT
public:
    static inline const CatalogueText kText{"DataFolderLink",
                                            QT_TRANSLATE_NOOP("DataFolderLink", "打开程序文件夹")};

    DataFolderLink(QString folder, Dialogs& dialogs, QWidget* parent);

    void open() { openDataFolder(folder_, dialogs_, window()); }

private:
    QString folder_;
    Dialogs& dialogs_;
};
