#include "TestDecks.h"
#include "platform/ShowTitle.h"
#include "platform/presentation/BuiltInPresentation.h"
#include "platform/presentation/PageCache.h"
#include "platform/presentation/SlideShowWindow.h"

#include <QPdfDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace testdecks;

namespace {

TEST(FitPage, KeepsTheAspectRatioAndCentres)
{
    // A 16:9 page on a 4:3 screen: full width, bands above and below.
    EXPECT_EQ(fitPage(QSizeF(1600, 900), QSize(1024, 768)), QRect(0, 96, 1024, 576));
    // A 4:3 page on a 16:9 screen: full height, bands left and right.
    EXPECT_EQ(fitPage(QSizeF(720, 540), QSize(1920, 1080)), QRect(240, 0, 1440, 1080));
    // A page of no size fills the area rather than vanishing.
    EXPECT_EQ(fitPage(QSizeF(0, 0), QSize(800, 600)), QRect(0, 0, 800, 600));
}

class PdfDeck : public ::testing::Test {
protected:
    void makeDeck(int pages)
    {
        path = dir.filePath(QStringLiteral("deck.pdf"));
        ASSERT_TRUE(writePdf(path, pages));
        ASSERT_EQ(document.load(path), QPdfDocument::Error::None);
        ASSERT_EQ(document.pageCount(), pages);
    }

    static QColor centre(const QImage& image)
    {
        return image.pixelColor(image.width() / 2, image.height() * 3 / 4);
    }

    QTemporaryDir dir;
    QString path;
    QPdfDocument document;
};

TEST_F(PdfDeck, PagesRenderInOrderAndPreviewsStayWithinTheirBudget)
{
    makeDeck(12);
    const QSize screen(1024, 768);
    // Room for about three full-size pages: the previews must shrink to fit twelve.
    PageCache cache(document, screen, 3LL * 4 * 1024 * 768);
    EXPECT_LT(cache.previewScale(), 0.6);
    EXPECT_GT(cache.previewScale(), 0.3);

    for (int page : {0, 5, 11})
        EXPECT_TRUE(near(centre(cache.sharp(page)), pageColour(page))) << "page " << page;
    EXPECT_EQ(cache.sharp(0).size(), cache.placeOf(0).size());

    // Rendering ahead takes the wanted page first, then the rest, one per call, and then stops.
    EXPECT_TRUE(cache.renderAhead(7));
    EXPECT_TRUE(cache.hasPreview(7));
    EXPECT_EQ(cache.previewsReady(), 1);
    int calls = 1;
    while (cache.renderAhead(-1))
        ++calls;
    EXPECT_EQ(cache.previewsReady(), 12);
    EXPECT_LE(calls, 12);
    EXPECT_FALSE(cache.renderAhead(3));

    qint64 bytes = 0;
    for (int page = 0; page < 12; ++page) {
        const QImage& preview = cache.preview(page);
        EXPECT_TRUE(near(centre(preview), pageColour(page))) << "preview " << page;
        bytes += preview.sizeInBytes();
    }
    EXPECT_LE(bytes, 3LL * 4 * 1024 * 768);
}

TEST_F(PdfDeck, ShowWindowAnswersKeysAndClicksAsAPresentationProgram)
{
    makeDeck(5);
    SlideShowWindow show(document);
    show.resize(640, 360);
    show.start();
    EXPECT_EQ(show.windowTitle(), kBuiltInShowTitle);
    EXPECT_EQ(show.currentPage(), 1);

    QTest::keyClick(&show, Qt::Key_Right);
    EXPECT_EQ(show.currentPage(), 2);
    QTest::keyClick(&show, Qt::Key_Space);
    QTest::keyClick(&show, Qt::Key_PageDown);
    EXPECT_EQ(show.currentPage(), 4);
    QTest::keyClick(&show, Qt::Key_Left);
    QTest::keyClick(&show, Qt::Key_PageUp);
    EXPECT_EQ(show.currentPage(), 2);
    QTest::mouseClick(&show, Qt::LeftButton);
    EXPECT_EQ(show.currentPage(), 3);
    QTest::keyClick(&show, Qt::Key_End);
    EXPECT_EQ(show.currentPage(), 5);
    QTest::keyClick(&show, Qt::Key_Right);
    EXPECT_EQ(show.currentPage(), 5) << "the last slide stays";
    QTest::keyClick(&show, Qt::Key_Home);
    EXPECT_EQ(show.currentPage(), 1);
    QTest::keyClick(&show, Qt::Key_Left);
    EXPECT_EQ(show.currentPage(), 1);

    QSignalSpy ended(&show, &SlideShowWindow::endRequested);
    QTest::keyClick(&show, Qt::Key_Escape);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(show.isVisible());
}

TEST_F(PdfDeck, ShowPaintsThePageAskedForAndCountsChangesThatReachedTheScreen)
{
    makeDeck(8);
    SlideShowWindow show(document);
    show.resize(480, 270);
    show.start();
    for (int page : {6, 2, 8}) {
        show.showPage(page);
        const QImage shot = show.grab().toImage();
        EXPECT_TRUE(near(shot.pixelColor(shot.width() / 2, shot.height() * 3 / 4), pageColour(page - 1)))
            << "page " << page;
    }
    const int painted = show.paintedChanges();
    // Requests that never reached the screen are not counted.
    show.showPage(3);
    show.showPage(4);
    show.grab();
    EXPECT_EQ(show.paintedChanges(), painted + 1);
    // Numbers outside the deck change nothing.
    show.showPage(0);
    show.showPage(9);
    EXPECT_EQ(show.currentPage(), 4);
}

TEST_F(PdfDeck, BuiltInPresentationRunsAPdfDeck)
{
    makeDeck(6);
    BuiltInPresentation presentation(DeckConverter(dir.filePath(QStringLiteral("cache")), QString()));
    EXPECT_FALSE(presentation.runShow()) << "no deck open yet";
    ASSERT_TRUE(presentation.open(path)) << presentation.errorText().toStdString();
    EXPECT_EQ(presentation.slideCount(), 6);
    EXPECT_FALSE(presentation.currentShowPosition().has_value());

    ASSERT_TRUE(presentation.runShow());
    ASSERT_NE(presentation.showWindow(), nullptr);
    EXPECT_EQ(presentation.showWindow()->windowTitle(), kBuiltInShowTitle);
    EXPECT_EQ(presentation.currentShowPosition(), 1);
    presentation.gotoSlide(4);
    EXPECT_EQ(presentation.currentShowPosition(), 4);
    presentation.gotoSlide(7);
    EXPECT_EQ(presentation.currentShowPosition(), 4);

    // Esc ends the show; the deck stays open as in a presentation program.
    QTest::keyClick(presentation.showWindow(), Qt::Key_Escape);
    EXPECT_FALSE(presentation.isShowRunning());
    EXPECT_FALSE(presentation.currentShowPosition().has_value());
    presentation.gotoSlide(2);
    EXPECT_EQ(presentation.slideCount(), 6);

    presentation.quit();
    EXPECT_EQ(presentation.slideCount(), 0);
    EXPECT_FALSE(presentation.runShow());
}

TEST_F(PdfDeck, BuiltInPresentationReportsDecksItCannotOpen)
{
    BuiltInPresentation presentation(DeckConverter(dir.filePath(QStringLiteral("cache")), QString()));
    EXPECT_FALSE(presentation.open(dir.filePath(QStringLiteral("missing.pdf"))));
    EXPECT_TRUE(presentation.errorText().contains(QStringLiteral("missing.pdf")));

    const QString broken = dir.filePath(QStringLiteral("broken.pdf"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4 this is not a real document");
    file.close();
    EXPECT_FALSE(presentation.open(broken));
    EXPECT_FALSE(presentation.errorText().isEmpty());
    EXPECT_EQ(presentation.slideCount(), 0);
    EXPECT_FALSE(presentation.runShow());

    // A deck other than PDF needs the office; without one the message says what to install.
    const QString deck = dir.filePath(QStringLiteral("deck.ppt"));
    QFile ppt(deck);
    ASSERT_TRUE(ppt.open(QIODevice::WriteOnly));
    ppt.write("not empty");
    ppt.close();
    EXPECT_FALSE(presentation.open(deck));
    EXPECT_TRUE(presentation.errorText().contains(QStringLiteral("LibreOffice")));
}

} // namespace
