#include "StandIns.h"
#include "platform/HelpFiles.h"
#include "support/FindControl.h"
#include "support/TestProgram.h"
#include "ui/ClickableLabel.h"
#include "ui/display/HelpWindow.h"
#include "ui/main/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
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
