#include "ProcessTraces.h"
#include "TestDecks.h"
#include "platform/presentation/BuiltInPresentation.h"
#include "platform/presentation/DeckConverter.h"

#include <QDir>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <csignal>
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

// What file names and URLs find hard: a space, '#', '%', '$' (a variable to the office), quotes and
// non-Latin letters.
const QString kAwkwardName = QStringLiteral("缓存 a#b%41c$HOME'q\"d");

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

TEST_F(OfficeConversion, ACacheFolderWithAnAwkwardNameWorksAndHoldsEverything)
{
    const QString awkward = cache.filePath(kAwkwardName);
    DeckConverter converter(awkward);
    converter.setTimeoutMs(60000);
    const DeckPdf pdf = converter.toPdf(deck());
    ASSERT_FALSE(pdf.path.isEmpty()) << pdf.error.toStdString();
    EXPECT_TRUE(pdf.path.startsWith(awkward));
    QPdfDocument document;
    ASSERT_EQ(document.load(pdf.path), QPdfDocument::Error::None);
    EXPECT_EQ(document.pageCount(), 25);
    // The office's profile stayed in the work folder, which is gone: nothing beside the cache folder,
    // nothing in it but the PDF and its check.
    EXPECT_EQ(entriesOf(cache.path()), QStringList{kAwkwardName});
    EXPECT_EQ(entriesOf(awkward).size(), 2) << entriesOf(awkward).join(QLatin1Char(' ')).toStdString();
}

struct Ending {
    int signalNumber;
    bool orderly;
    bool converting; // when the office has made its profile and started again to convert
    const char* name;
};

class ConversionEnd : public OfficeConversion, public ::testing::WithParamInterface<Ending> {};

TEST_P(ConversionEnd, TheOfficeEndsWithTheProgramAndItsWorkIsClearedAtTheNextStart)
{
    const Ending ending = GetParam();
    const QString awkward = cache.filePath(kAwkwardName);
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments{deck(), awkward};
    if (ending.orderly)
        arguments << QStringLiteral("--orderly");
    program.start(QStringLiteral(VANTREL_DECK_OWNER_HELPER), arguments);
    ASSERT_TRUE(program.waitForStarted());

    // The first conversion, the office still making its profile or already converting.
    const QStringList ours{QStringLiteral("work-%1-").arg(program.processId())};
    QList<qint64> offices;
    QStringList pipes;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            offices = traces::processesWith(ours);
            return !offices.isEmpty() || program.state() == QProcess::NotRunning;
        },
        60000));
    ASSERT_FALSE(offices.isEmpty()) << "the conversion ended before it could be interrupted";
    if (ending.converting) {
        const qint64 first = offices.first();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                offices = traces::processesWith(ours);
                return (!offices.isEmpty() && !offices.contains(first)) ||
                       program.state() == QProcess::NotRunning;
            },
            60000));
        ASSERT_FALSE(offices.isEmpty()) << "the conversion ended before it could be interrupted";
    }
    // Once it listens, its pipe is among what must not be left.
    [[maybe_unused]] const bool listening = QTest::qWaitFor(
        [&] {
            pipes = traces::socketFilesOf(traces::processesWith(ours));
            return !pipes.isEmpty();
        },
        3000);

    ASSERT_EQ(::kill(pid_t(program.processId()), ending.signalNumber), 0);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return traces::processesWith(ours).isEmpty(); }, 3000))
        << "the office outlived the program";
    auto workLeft = [&] { return QDir(awkward).entryList({QStringLiteral("work-*")}, QDir::Dirs); };
    auto pipesLeft = [&] {
        QStringList left;
        for (const QString& pipe : pipes) {
            if (QFileInfo::exists(pipe))
                left << pipe;
        }
        return left;
    };
    if (ending.orderly) {
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(workLeft(), QStringList{});
        EXPECT_EQ(pipesLeft(), QStringList{});
    }

    DeckConverter::removeWorkOfDeadRuns(awkward);
    EXPECT_EQ(workLeft(), QStringList{});
    EXPECT_EQ(pipesLeft(), QStringList{});
    EXPECT_EQ(QDir(awkward).entryList({QStringLiteral("*.pdf")}, QDir::Files), QStringList{})
        << "nothing half-made in the cache";
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ConversionEnd,
    ::testing::Values(Ending{SIGKILL, false, false, "Kill"}, Ending{SIGKILL, false, true, "KillConverting"},
                      Ending{SIGTERM, false, false, "Term"}, Ending{SIGINT, false, true, "IntConverting"},
                      Ending{SIGTERM, true, false, "OrderlyTerm"},
                      Ending{SIGHUP, true, true, "OrderlyHupConverting"}),
    [](const ::testing::TestParamInfo<Ending>& ending) { return std::string(ending.param.name); });

} // namespace
