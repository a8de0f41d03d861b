#include "ui/display/HelpWindow.h"

#include "ui/DataFolderLink.h"
#include "ui/KeyboardUse.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// Above normal windows like the main window, which would otherwise cover the page being read.
HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(kTitle);
    browser_->setObjectName(QStringLiteral("HelpPages"));
    browser_->setAccessibleName(kTitle);
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    keyboard::setWayOut(this, [this] { close(); });

    // Large enough to read, never larger than the screen it opens on.
    QSize size(820, 640);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

HelpWindow::~HelpWindow()
{
    if (dialogs_)
        QDesktopServices::unsetUrlHandler(QUrl(kDataFolderLink).scheme());
}

void HelpWindow::offerDataFolder(const QString& folder, Dialogs& dialogs)
{
    dataFolder_ = folder;
    dialogs_ = &dialogs;
    QDesktopServices::setUrlHandler(QUrl(kDataFolderLink).scheme(), this, "openProgramLink");
}

void HelpWindow::openProgramLink(const QUrl& link)
{
    if (dialogs_ && link == QUrl(kDataFolderLink))
        openDataFolder(dataFolder_, *dialogs_, this);
}

void HelpWindow::showPage(const QString& file, const QString& anchor)
{
    QUrl url = QUrl::fromLocalFile(file);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    if (browser_->source().adjusted(QUrl::RemoveFragment) != url.adjusted(QUrl::RemoveFragment))
        browser_->setSource(url);
    if (!anchor.isEmpty())
        browser_->scrollToAnchor(anchor);
    setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!isVisible()) {
        // Centred on the screen, whole: the window manager would put it where it fits the least.
        const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            const QRect area = screen->availableGeometry();
            const QSize outer = frameGeometry().size().expandedTo(size());
            move(area.center() - QPoint(outer.width() / 2, outer.height() / 2));
        }
    }
    show();
    raise();
    activateWindow();
}
