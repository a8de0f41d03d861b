#include "TestDecks.h"
#include "platform/presentation/BuiltInPresentation.h"
#include "platform/presentation/DeckConverter.h"

#include <QDir>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

// These run the real LibreOffice.
namespace {

class OfficeConversion : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        office = DeckConverter::findOffice();
        if (office.isEmpty())
            return;
        // A 25-slide .ppt with slide 13 hidden, made by the office from a flat ODF text.
        const QString source = folder->filePath(QStringLiteral("deck25.fodp"));
        ASSERT_TRUE(testdecks::writeFlatOdp(source, 25, {13}));
        const QString profile = QUrl::fromLocalFile(folder->filePath(QStringLiteral("profile"))).toString();
        for (int attempt = 0; attempt < 2 && !QFile::exists(folder->filePath(QStringLiteral("deck25.ppt")));
             ++attempt) {
            QProcess::execute(office, {QStringLiteral("-env:UserInstallation=") + profile,
                                       QStringLiteral("--headless"), QStringLiteral("--norestore"),
                                       QStringLiteral("--convert-to"), QStringLiteral("ppt"),
                                       QStringLiteral("--outdir"), folder->path(), source});
        }
    }
    static void TearDownTestSuite() { delete folder; }

    void SetUp() override
    {
        if (office.isEmpty())
            GTEST_SKIP() << "LibreOffice is not installed";
        ASSERT_TRUE(QFile::exists(deck()));
    }

    static QString deck() { return folder->filePath(QStringLiteral("deck25.ppt")); }

    static inline QTemporaryDir* folder = nullptr;
    static inline QString office;
    QTemporaryDir cache;
};

TEST_F(OfficeConversion, ADeckConvertsToItsSlidesInOrderHiddenOnesIncludedAndIsCached)
{
    DeckConverter converter(cache.path());
    const DeckPdf pdf = converter.toPdf(deck());
    ASSERT_FALSE(pdf.path.isEmpty()) << pdf.error.toStdString();
    EXPECT_FALSE(pdf.fromCache);

    QPdfDocument document;
    ASSERT_EQ(document.load(pdf.path), QPdfDocument::Error::None);
    ASSERT_EQ(document.pageCount(), 25);
    for (int page = 0; page < 25; ++page) {
        const QString text = document.getAllText(page).text().simplified();
        EXPECT_EQ(text, QStringLiteral("Slide %1").arg(page + 1));
    }

    BuiltInPresentation presentation(DeckConverter(cache.path()));
    ASSERT_TRUE(presentation.open(deck()));
    EXPECT_TRUE(presentation.openedFromCache());
    EXPECT_EQ(presentation.slideCount(), 25);
}

TEST_F(OfficeConversion, ACorruptDeckIsReported)
{
    const QString corrupt = folder->filePath(QStringLiteral("corrupt.ppt"));
    QFile file(corrupt);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray noise(20000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919) % 251);
    file.write(noise);
    file.close();

    BuiltInPresentation presentation(DeckConverter(cache.path()));
    EXPECT_FALSE(presentation.open(corrupt));
    EXPECT_TRUE(presentation.errorText().contains(QStringLiteral("corrupt.ppt")));
    EXPECT_EQ(presentation.slideCount(), 0);
    EXPECT_EQ(QDir(cache.path()).entryList(QDir::Files), QStringList());
}

} // namespace
