#include "StandIns.h"
#include "platform/dialogs/DesktopFolder.h"
#include "platform/files/HelpFiles.h"
#include "support/FindControl.h"
#include "support/TestProgram.h"
#include "ui/ClickableLabel.h"
#include "ui/display/HelpWindow.h"
#include "ui/main/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

TEST(HelpFiles, TheFirstShippedFolderThatHasTheHelpWins)
{
    QTemporaryDir a, b, c;
    writeFile(b.filePath(QStringLiteral("help/index.html")), "<html></html>");
    writeFile(c.filePath(QStringLiteral("help/index.html")), "<html></html>");
    // A folder named like the page is not a page.
    QDir().mkpath(a.filePath(QStringLiteral("help/index.html")));
    EXPECT_EQ(findHelpIndex({a.path(), b.path(), c.path()}),
              QFileInfo(b.filePath(QStringLiteral("help/index.html"))).absoluteFilePath());
    EXPECT_EQ(findHelpIndex({a.path()}), QString());
    EXPECT_EQ(findHelpIndex({}), QString());
}

TEST(Help, OpensTheShippedHelpInAWindowOfItsOwnInTheTallerLayoutAfterOneYield)
{
    TestProgram t;
    UrlRecorder urls;
    const QString index = t.dataDir.filePath(QStringLiteral("help/index.html"));
    writeFile(
        index,
        "<html><body><h1>帮助</h1><a href=\"more.html\">更多</a><h2 id=\"about\">关于</h2></body></html>");
    writeFile(t.dataDir.filePath(QStringLiteral("help/more.html")), "<html><body>第二页</body></html>");
    MainWindow& w = t.start();

    // The taller window comes first; the help follows once that is drawn.
    control<QPushButton>(&w, "Command6")->click();
    EXPECT_NEAR(w.heightTwips(), MainWindow::kHelpHeight, 15);
    EXPECT_EQ(w.findChild<HelpWindow*>(QStringLiteral("HelpWindow")), nullptr);
    t.advance(0);
    auto* help = w.findChild<HelpWindow*>(QStringLiteral("HelpWindow"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->windowTitle().contains(QStringLiteral("帮助")));
    auto* pages = control<QTextBrowser>(help, "HelpPages");
    EXPECT_EQ(pages->source().adjusted(QUrl::RemoveFragment),
              QUrl::fromLocalFile(QFileInfo(index).absoluteFilePath()));
    EXPECT_TRUE(pages->toPlainText().contains(QStringLiteral("帮助")));
    // A link between the pages stays inside the window; no browser is asked.
    pages->setSource(QUrl(QStringLiteral("more.html")));
    EXPECT_TRUE(pages->toPlainText().contains(QStringLiteral("第二页")));
    EXPECT_TRUE(urls.opened.isEmpty());
    EXPECT_TRUE(t.dialogs.shown.isEmpty());

    // A second click brings the same window back to the first page.
    help->hide();
    control<QPushButton>(&w, "Command6")->click();
    t.advance(0);
    EXPECT_EQ(w.findChildren<HelpWindow*>().size(), 1);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(pages->toPlainText().contains(QStringLiteral("帮助")));
}

TEST(Help, AMissingHelpFileIsReportedAndNothingIsOpened)
{
    TestProgram t;
    UrlRecorder urls;
    MainWindow& w = t.start();
    control<QPushButton>(&w, "Command6")->click();
    t.advance(0);
    EXPECT_TRUE(urls.opened.isEmpty());
    EXPECT_EQ(w.findChild<HelpWindow*>(), nullptr);
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].kind, ScriptedDialogs::Kind::Inform);
    EXPECT_EQ(t.dialogs.shown[0].title, MainWindow::kNoticeTitle);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(kHelpIndex));
    EXPECT_NEAR(w.heightTwips(), MainWindow::kHelpHeight, 15);
    EXPECT_TRUE(t.program->isLoaded(WindowKind::Main));
}

TEST(Help, TheLogoOpensTheHelpAtItsAboutSection)
{
    TestProgram t;
    UrlRecorder urls;
    const QString index = t.dataDir.filePath(QStringLiteral("help/index.html"));
    writeFile(index, "<html><body><h1>帮助</h1><h2 id=\"about\">关于</h2></body></html>");
    MainWindow& w = t.start();
    QTest::mouseClick(control<QLabel>(&w, "Image1"), Qt::LeftButton);
    auto* help = w.findChild<HelpWindow*>(QStringLiteral("HelpWindow"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(control<QTextBrowser>(help, "HelpPages")->source().fragment(), QStringLiteral("about"));
    EXPECT_TRUE(urls.opened.isEmpty());
}

TEST(Help, TheShippedHelpHasTheAboutSectionTheLogoLeadsTo)
{
    QFile shipped(QStringLiteral(VANTREL_SOURCE_DIR "/resources/help/index.html"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(shipped.readAll()).contains(QStringLiteral("id=\"about\"")));
}

// The shipped help as the teacher reads it: every picture it names is in the tree and stands on a
// line of its own (never beside a heading or inside a sentence), and the page reads without a
// horizontal scroll in the help window at the window's own size.
TEST(Help, TheShippedHelpShowsEveryPictureItNamesAndFitsItsWindow)
{
    const QString index = QStringLiteral(VANTREL_SOURCE_DIR "/resources/help/index.html");
    QFile page(index);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());

    const QRegularExpression picture(QStringLiteral("<img\\s[^>]*src=\"([^\"]+)\""));
    const QRegularExpression alone(QStringLiteral("<p class=\"figure\"[^>]*>\\s*<img\\s[^>]*>\\s*</p>"));
    int pictures = 0;
    for (auto found = picture.globalMatch(html); found.hasNext();) {
        const QString name = found.next().captured(1);
        ++pictures;
        EXPECT_TRUE(QFileInfo(QFileInfo(index).dir().filePath(name)).isFile()) << name.toStdString();
    }
    EXPECT_GE(pictures, 5);
    EXPECT_EQ(html.count(alone), pictures) << "a picture shares its line with text";

    HelpWindow help;
    help.showPage(index);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    auto* pages = control<QTextBrowser>(&help, "HelpPages");
    QTest::qWait(50);
    EXPECT_EQ(pages->horizontalScrollBar()->maximum(), 0)
        << "document " << pages->document()->size().width() << " px wide, viewport "
        << pages->viewport()->width() << " px";
    // Every picture was found by the window, not only on disk: a missing one shows as a blank square.
    for (auto found = picture.globalMatch(html); found.hasNext();) {
        const QString name = found.next().captured(1);
        const QVariant image = pages->loadResource(QTextDocument::ImageResource, QUrl(name));
        EXPECT_TRUE(image.isValid() && !image.value<QByteArray>().isEmpty()) << name.toStdString();
    }
}

// The help's "打开程序文件夹", clicked as the teacher does, shows the data folder in the file manager.
TEST(Help, TheHelpsFolderLinkShowsTheDataFolder)
{
    TestProgram t;
    QStringList asked;
    desktopfolder::setShowForTesting([&](const QString& folder) {
        asked << folder;
        return true;
    });
    QFile shipped(QStringLiteral(VANTREL_SOURCE_DIR "/resources/help/index.html"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    writeFile(t.dataDir.filePath(QStringLiteral("help/index.html")), shipped.readAll());
    MainWindow& w = t.start();
    control<QPushButton>(&w, "Command6")->click();
    t.advance(0);
    auto* help = w.findChild<HelpWindow*>(QStringLiteral("HelpWindow"));
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    auto* pages = control<QTextBrowser>(help, "HelpPages");

    // The words appear in the text too; the link is where they carry it.
    QTextCursor link = pages->document()->find(QStringLiteral("打开程序文件夹"));
    while (!link.isNull() && link.charFormat().anchorHref().isEmpty())
        link = pages->document()->find(QStringLiteral("打开程序文件夹"), link);
    ASSERT_FALSE(link.isNull()) << "the help has no link to the data folder";
    EXPECT_EQ(link.charFormat().anchorHref(), HelpWindow::kDataFolderLink);
    link.clearSelection();
    link.movePosition(QTextCursor::PreviousCharacter, QTextCursor::MoveAnchor, 3);
    // Scrolled to where the link is, as the reader does.
    const int linkTop = pages->cursorRect(link).top() + pages->verticalScrollBar()->value();
    pages->verticalScrollBar()->setValue(linkTop - pages->viewport()->height() / 2);
    const QPoint at = pages->cursorRect(link).center();
    ASSERT_EQ(pages->anchorAt(at), HelpWindow::kDataFolderLink);
    QTest::mouseClick(pages->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(asked, QStringList{t.program->dataFolder()});
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    desktopfolder::setShowForTesting({});
}
