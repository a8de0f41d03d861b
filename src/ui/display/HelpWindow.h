#pragma once

#include "platform/CatalogueText.h"

#include <QWidget>

class Dialogs;
class QTextBrowser;

// The shipped help pages in a window of our own: classroom machines often have no web browser, and
// the help must open wherever the program runs. Links between the pages and to their pictures work
// inside it; links to the web go to the desktop's browser.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static inline const CatalogueText kTitle{"HelpWindow",
                                             QT_TRANSLATE_NOOP("HelpWindow", "Vantrel工具 帮助")};

    // The link the pages use for the teacher's data folder.
    static inline const QString kDataFolderLink = QStringLiteral("vantrel:data-folder");

    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Shows the page (a file), at the anchor when one is given, and brings the window to the front.
    void showPage(const QString& file, const QString& anchor = {});

    // The pages' "打开程序文件夹" opens this folder in the file manager.
    void offerDataFolder(const QString& folder, Dialogs& dialogs);

private slots:
    // Links of the program's own scheme, which the pages hand to the desktop as they do web links.
    void openProgramLink(const QUrl& link);

private:
    QTextBrowser* browser_;
    QString dataFolder_;
    Dialogs* dialogs_ = nullptr;
};
