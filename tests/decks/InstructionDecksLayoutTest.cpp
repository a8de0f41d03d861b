#include "platform/office/DeckConverter.h"
#include "platform/presentation/PageCache.h"
#include "ui/main/MainWindow.h"

#include <QPdfDocument>
#include <QPdfSelection>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>

// The shipped instruction decks as a teacher sees them: converted by the real LibreOffice the way the
// program converts them, placed on the screen the way its show places a page, with the main window at
// its standard place above them.
namespace {

const QString kDeckFolder = QStringLiteral(VANTREL_SOURCE_DIR "/resources/decks/");
const QStringList kInstructionDecks = {QStringLiteral("Note1.PPT"), QStringLiteral("Note2.PPT")};
// Common classroom screens and projectors.
const QList<QSize> kScreens = {{1920, 1080}, {1280, 720}, {1024, 768}};
constexpr double kTwipsPerPixel = 15; // 96 dpi
// Text that touches the window's frame is as hard to read as text under it.
constexpr int kMarginPixels = 8;

// The main window at its standard place: centred, near the top of the screen, at its normal size.
QRect mainWindowAtStandardPlace(QSize screen)
{
    const int width = int(MainWindow::kWidth / kTwipsPerPixel);
    const int height = int(MainWindow::kNormalHeight / kTwipsPerPixel);
    return {(screen.width() - width) / 2, int(MainWindow::kStandardTop / kTwipsPerPixel), width, height};
}

// The characters of a page whose box, as the show puts the page on this screen, meets the area.
QString textWithin(QPdfDocument& document, int page, QSize screen, const QRect& area)
{
    const QSizeF pageSize = document.pagePointSize(page);
    const QRect place = fitPage(pageSize, screen);
    const double scale = place.width() / pageSize.width();
    const QRectF guarded =
        QRectF(area).adjusted(-kMarginPixels, -kMarginPixels, kMarginPixels, kMarginPixels);
    const QString text = document.getAllText(page).text();
    QString within;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).isSpace())
            continue;
        const QRectF box = document.getSelectionAtIndex(page, i, 1).boundingRectangle();
        const QRectF onScreen(place.x() + box.x() * scale, place.y() + box.y() * scale, box.width() * scale,
                              box.height() * scale);
        if (!box.isEmpty() && onScreen.intersects(guarded))
            within += text.at(i);
    }
    return within;
}

class InstructionDecks : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (DeckConverter::findOffice().isEmpty())
            return;
        cache = new QTemporaryDir;
        DeckConverter converter(cache->path());
        for (const QString& deck : kInstructionDecks) {
            const DeckPdf pdf = converter.toPdf(kDeckFolder + deck);
            auto document = std::make_unique<QPdfDocument>();
            if (!pdf.path.isEmpty() && document->load(pdf.path) == QPdfDocument::Error::None)
                documents[deck] = std::move(document);
        }
    }
    static void TearDownTestSuite()
    {
        documents.clear();
        delete cache;
        cache = nullptr;
    }

    void SetUp() override
    {
        if (DeckConverter::findOffice().isEmpty())
            GTEST_SKIP() << "LibreOffice is not installed";
        for (const QString& deck : kInstructionDecks)
            ASSERT_TRUE(documents.count(deck)) << "the office could not convert " << deck.toStdString();
    }

    static inline QTemporaryDir* cache = nullptr;
    static inline std::map<QString, std::unique_ptr<QPdfDocument>> documents;
};

} // namespace

TEST_F(InstructionDecks, NothingToReadLiesWhereTheMainWindowStands)
{
    for (const QString& deck : kInstructionDecks) {
        QPdfDocument& document = *documents[deck];
        ASSERT_GT(document.pageCount(), 1);
        for (int page = 0; page < document.pageCount(); ++page) {
            ASSERT_FALSE(document.getAllText(page).text().simplified().isEmpty())
                << deck.toStdString() << " slide " << page + 1 << " shows no text to check";
            for (const QSize& screen : kScreens) {
                const QString covered = textWithin(document, page, screen, mainWindowAtStandardPlace(screen));
                EXPECT_TRUE(covered.isEmpty())
                    << deck.toStdString() << " slide " << page + 1 << " on " << screen.width() << "x"
                    << screen.height() << ": the main window covers \"" << covered.toStdString() << "\"";
            }
        }
    }
}

TEST_F(InstructionDecks, TheCheckSeesEveryCharacterOnTheScreen)
{
    // Note1's fifth slide names the deck of the slide draw: the teacher finds it among the points in
    // the lower half of the slide, and a screen-wide area meets every character of the slide.
    QPdfDocument& document = *documents[QStringLiteral("Note1.PPT")];
    ASSERT_GE(document.pageCount(), 5);
    QString all = document.getAllText(4).text();
    ASSERT_TRUE(all.contains(QStringLiteral("MYPPT.ppt")));
    all.remove(QRegularExpression(QStringLiteral("\\s")));
    for (const QSize& screen : kScreens) {
        EXPECT_EQ(textWithin(document, 4, screen, QRect(QPoint(0, 0), screen)), all);
        const QRect lowerHalf(0, screen.height() / 2, screen.width(), screen.height() / 2);
        EXPECT_TRUE(textWithin(document, 4, screen, lowerHalf).contains(QStringLiteral("MYPPT.ppt")))
            << "on " << screen.width() << "x" << screen.height();
    }
}
