#include "StandIns.h"
#include "platform/HelpFiles.h"
#include "support/FindControl.h"
#include "support/TestProgram.h"
#include "ui/ClickableLabel.h"
#include "ui/main/MainWindow.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
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

TEST(Help, OpensTheShippedHelpInTheTallerLayoutAfterOneYield)
{
    TestProgram t;
    UrlRecorder urls;
    const QString index = t.dataDir.filePath(QStringLiteral("help/index.html"));
    writeFile(index, "<html><body>帮助</body></html>");
    MainWindow& w = t.start();
    const int yields = t.timers.yieldCount();

    control<QPushButton>(&w, "Command6")->click();
    EXPECT_NEAR(w.heightTwips(), MainWindow::kHelpHeight, 15);
    EXPECT_EQ(t.timers.yieldCount(), yields + 1);
    ASSERT_EQ(urls.opened.size(), 1);
    EXPECT_EQ(urls.opened[0], QUrl::fromLocalFile(QFileInfo(index).absoluteFilePath()));
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}

TEST(Help, AMissingHelpFileIsReportedAndNothingIsOpened)
{
    TestProgram t;
    UrlRecorder urls;
    MainWindow& w = t.start();
    control<QPushButton>(&w, "Command6")->click();
    EXPECT_TRUE(urls.opened.isEmpty());
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].kind, ScriptedDialogs::Kind::Inform);
    EXPECT_EQ(t.dialogs.shown[0].title, MainWindow::kNoticeTitle);
    EXPECT_TRUE(t.dialogs.shown[0].text.contains(kHelpIndex));
    EXPECT_NEAR(w.heightTwips(), MainWindow::kHelpHeight, 15);
    EXPECT_TRUE(t.program->isLoaded(WindowKind::Main));
}

TEST(Help, TheLogoOpensTheProjectPage)
{
    TestProgram t;
    UrlRecorder urls;
    MainWindow& w = t.start();
    QTest::mouseClick(control<QLabel>(&w, "Image1"), Qt::LeftButton);
    ASSERT_EQ(urls.opened.size(), 1);
    EXPECT_EQ(urls.opened[0], QUrl(projectPage()));
    EXPECT_TRUE(urls.opened[0].isValid());
    EXPECT_TRUE(urls.opened[0].scheme().startsWith(QStringLiteral("http")));
}
