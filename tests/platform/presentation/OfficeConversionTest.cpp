#include "ProcessTraces.h"
#include "TestDecks.h"
#include "models/draw/InstructionShow.h"
#include "platform/office/DeckConverter.h"
#include "platform/presentation/BuiltInPresentation.h"
#include "support/VirtualTimerDriver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>

// These run the real LibreOffice.
namespace {

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

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

    // A deck of 600 busy slides that no cache has seen: its conversion takes seconds.
    static QString bigDeck()
    {
        const QString path = folder->filePath(QStringLiteral("big deck.fodp"));
        if (!QFile::exists(path)) {
            EXPECT_TRUE(testdecks::writeBusyFlatOdp(path, 600));
        }
        return path;
    }

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
    // The office reads the deck where it is, through a link: nothing may appear beside it, not even
    // for a moment (a lock file).
    const QString deckFolder = QFileInfo(deck()).absolutePath();
    QFileSystemWatcher watcher({deckFolder});
    QStringList changes;
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged,
                     [&changes](const QString& changed) { changes << changed; });
    const QStringList before = entriesOf(deckFolder);
    DeckConverter converter(cache.path());
    const DeckPdf pdf = converter.toPdf(deck());
    ASSERT_FALSE(pdf.path.isEmpty()) << pdf.error.toStdString();
    EXPECT_FALSE(pdf.fromCache);
    QTest::qWait(200);
    EXPECT_EQ(changes, QStringList{}) << "the deck's folder was written to";
    EXPECT_EQ(entriesOf(deckFolder), before);

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

TEST_F(OfficeConversion, TheCountGoesOnEverySecondWhileABigDeckConvertsForTheFirstTime)
{
    BuiltInPresentation presentation(DeckConverter(cache.path()));
    QStringList announced;
    std::optional<bool> opened;
    QObject::connect(&presentation, &Presentation::converting,
                     [&announced](const QString& deck) { announced << deck; });
    QObject::connect(&presentation, &Presentation::opened, [&opened](bool ok) { opened = ok; });

    // A countdown's display, rewritten by the event loop every second as the main window's is.
    QElapsedTimer clock;
    int remaining = 3600;
    QString display;
    QList<qint64> changes;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        --remaining;
        const QString shown = QStringLiteral("%1 : %2")
                                  .arg(remaining / 60, 2, 10, QLatin1Char('0'))
                                  .arg(remaining % 60, 2, 10, QLatin1Char('0'));
        if (shown != display)
            changes << clock.elapsed();
        display = shown;
    });
    clock.start();
    tick.start(1000);
    presentation.openInBackground(bigDeck());
    EXPECT_TRUE(presentation.isOpening());
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened.has_value(); }, 240000));
    const qint64 took = clock.elapsed();
    tick.stop();

    ASSERT_TRUE(*opened) << presentation.errorText().toStdString();
    EXPECT_EQ(presentation.slideCount(), 600);
    EXPECT_FALSE(presentation.openedFromCache());
    EXPECT_EQ(announced, QStringList{QStringLiteral("big deck.fodp")});
    ASSERT_GE(took, 2500) << "the conversion was too quick to tell a waiting program from one that goes on";
    // A program that waited for the office would show one change after the whole conversion.
    EXPECT_GE(changes.size(), took / 1000 - 1)
        << "the display changed " << changes.size() << " times in " << took << " ms";
    qint64 longest = changes.isEmpty() ? took : changes.first();
    for (int i = 1; i < changes.size(); ++i)
        longest = std::max(longest, changes[i] - changes[i - 1]);
    EXPECT_LE(longest, 2000) << "the display stood still for " << longest << " ms";
}

TEST_F(OfficeConversion, ACancelledFirstConversionLeavesNoOfficeNoWorkAndNoPipe)
{
    BuiltInPresentation presentation(DeckConverter(cache.path()));
    bool answered = false;
    QObject::connect(&presentation, &Presentation::opened, [&answered](bool) { answered = true; });
    presentation.openInBackground(bigDeck());

    // Cancelled once the office is converting (it restarted after making its profile) and listens.
    const QStringList ours{QStringLiteral("work-%1-").arg(QCoreApplication::applicationPid())};
    QList<qint64> offices;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            offices = traces::processesWith(ours);
            return !offices.isEmpty() || answered;
        },
        60000));
    const qint64 first = offices.isEmpty() ? 0 : offices.first();
    [[maybe_unused]] const bool restarted = QTest::qWaitFor(
        [&] {
            offices = traces::processesWith(ours);
            return (!offices.isEmpty() && !offices.contains(first)) || answered;
        },
        20000);
    QStringList pipes;
    [[maybe_unused]] const bool listening = QTest::qWaitFor(
        [&] {
            pipes = traces::socketFilesOf(traces::processesWith(ours));
            return !pipes.isEmpty() || answered;
        },
        3000);
    ASSERT_FALSE(answered) << "the conversion ended before it could be cancelled";

    presentation.cancelOpening();
    EXPECT_FALSE(presentation.isOpening());
    EXPECT_TRUE(QTest::qWaitFor([&] { return traces::processesWith(ours).isEmpty(); }, 3000))
        << "the office outlived the cancel";
    EXPECT_EQ(entriesOf(cache.path()), QStringList{}) << "no work folder, nothing half-made in the cache";
    for (const QString& pipe : pipes)
        EXPECT_FALSE(QFileInfo::exists(pipe)) << pipe.toStdString();
    QTest::qWait(200);
    EXPECT_FALSE(answered) << "a cancelled opening has no answer";
    EXPECT_EQ(presentation.slideCount(), 0);
}

// An instruction deck that is damaged, empty or locked with a password: the show is told why, in
// Chinese, and no office is left running.
TEST_F(OfficeConversion, AnInstructionDeckThatCannotBeShownTellsWhyInChinese)
{
    QTemporaryDir data;
    auto write = [&data](const QString& name, const QByteArray& bytes) {
        QFile file(data.filePath(name));
        return file.open(QIODevice::WriteOnly) && (bytes.isEmpty() || file.write(bytes) == bytes.size());
    };
    QByteArray noise(20000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919) % 251);
    ASSERT_TRUE(write(QStringLiteral("Note1.PPT"), noise));
    ASSERT_TRUE(write(QStringLiteral("Note2.PPT"), QByteArray()));
    struct Case {
        QString deck;
        QString says;
    };
    QList<Case> cases{{QStringLiteral("Note1.PPT"), QStringLiteral("损坏")},
                      {QStringLiteral("Note2.PPT"), QStringLiteral("空的")}};
    // A password-protected deck, when this machine's office can write one.
    QProcess maker;
    maker.setProcessChannelMode(QProcess::ForwardedChannels);
    maker.start(QStringLiteral("/usr/bin/python3"),
                {QStringLiteral(VANTREL_SOURCE_DIR "/tests/platform/presentation/make_protected_deck.py"),
                 office, deck(), data.filePath(QStringLiteral("locked.PPT")),
                 data.filePath(QStringLiteral("maker"))});
    if (maker.waitForFinished(120000) && maker.exitStatus() == QProcess::NormalExit && maker.exitCode() == 0)
        cases.append({QStringLiteral("locked.PPT"), QStringLiteral("密码")});
    else
        std::cout << "[ NOTE ] no password-protected deck: python3-uno cannot write one here\n";

    VirtualTimerDriver timers;
    const QString cacheFolder = cache.path();
    InstructionShow show(
        timers, [cacheFolder] { return std::make_unique<BuiltInPresentation>(DeckConverter(cacheFolder)); },
        data.path());
    QStringList told;
    QObject::connect(&show, &InstructionShow::failed, [&told](const QString& why) { told << why; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deck.toStdString());
        told.clear();
        show.play(c.deck);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !told.isEmpty(); }, 60000));
        EXPECT_TRUE(told.first().contains(c.deck));
        EXPECT_TRUE(told.first().contains(c.says)) << told.first().toStdString();
        EXPECT_FALSE(told.first().contains(QStringLiteral("Error"))) << "the office's own words stay out";
        EXPECT_TRUE(show.isOpen()) << "the show waits for its close, as with any deck";
        ASSERT_NE(show.presentation(), nullptr);
        EXPECT_FALSE(show.presentation()->isShowRunning());
        show.close();
    }
    const QStringList ours{QStringLiteral("work-%1-").arg(QCoreApplication::applicationPid())};
    EXPECT_TRUE(QTest::qWaitFor([&] { return traces::processesWith(ours).isEmpty(); }, 3000));
    EXPECT_EQ(QDir(cache.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files), QStringList{});
}

// What file names and URLs find hard: a space, '#', '%', '$' (a variable to the office), quotes and
// non-Latin letters.
const QString kAwkwardName = QStringLiteral("缓存 a#b%41c$HOME'q\"d");

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
    // nothing in it but the PDF, its check and what is remembered of the deck.
    EXPECT_EQ(entriesOf(cache.path()), QStringList{kAwkwardName});
    EXPECT_EQ(entriesOf(awkward).size(), 3) << entriesOf(awkward).join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(QDir(awkward)
                  .entryList({QStringLiteral("*.pdf"), QStringLiteral("*.pdf.sha256"),
                              QStringLiteral("deck-*.seen")},
                             QDir::Files)
                  .size(),
              3);
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
