#pragma once

#include "platform/CatalogueText.h"

#include <QWidget>

class QTextBrowser;

// The shipped help pages in a window of our own: classroom machines often have no web browser, and
// the help must open wherever the program runs. Links between the pages and to their pictures work
// inside it; links to the web go to the desktop's browser.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static inline const CatalogueText kTitle{"HelpWindow",
                                             QT_TRANSLATE_NOOP("HelpWindow", "Vantrel工具 帮助")};

    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page (a file), at the anchor when one is given, and brings the window to the front.
    void showPage(const QString& file, const QString& anchor = {});

private:
    QTextBrowser* browser_;
};
