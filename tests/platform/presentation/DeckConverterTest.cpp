#include "platform/office/DeckConverter.h"

#include "ProcessTraces.h"
#include "TestDecks.h"
#include "UnwritableFolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPdfDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>
#include <optional>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Stands in for LibreOffice: a script that logs its arguments and behaves as told.
class DeckConverterTest : public ::testing::Test {
protected:
    DeckConverterTest()
    {
        samplePdf = dir.filePath(QStringLiteral("sample.pdf"));
        testdecks::writePdf(samplePdf, 3);
        cache = dir.filePath(QStringLiteral("cache"));
        deck = writeFile(QStringLiteral("Deck 一.PPT"), "a deck's bytes");
    }

    QString writeFile(const QString& name, const QByteArray& content)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return path;
    }

    // body runs with $out set to the --outdir argument.
    QString fakeOffice(const QString& body)
    {
        const QString path = dir.filePath(QStringLiteral("office.sh"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(
            QStringLiteral("#!/bin/sh\n"
                           "printf '%s\\n' \"$@\" > '%1'\n"
                           "echo run >> '%2'\n"
                           "prev=; for a in \"$@\"; do [ \"$prev\" = --outdir ] && out=$a; prev=$a; done\n"
                           "%3\n")
                .arg(argsLog(), runsLog(), body)
                .toUtf8());
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return path;
    }

    QString produce() const { return QStringLiteral("cp '%1' \"$out/deck.pdf\"").arg(samplePdf); }
    QString argsLog() const { return dir.filePath(QStringLiteral("args.log")); }
    QString runsLog() const { return dir.filePath(QStringLiteral("runs.log")); }
    int runs() const
    {
        QFile file(runsLog());
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) : 0;
    }
    QStringList lastArguments() const
    {
        QFile file(argsLog());
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    QString samplePdf, cache, deck;
};

TEST_F(DeckConverterTest, ConvertsOnceInAPrivateOfficeAndReusesTheCache)
{
    DeckConverter converter(cache, fakeOffice(produce()));
    QStringList told;
    converter.onConversionStart([&told](const QString& name) { told << name; });
    const DeckPdf first = converter.toPdf(deck);
    ASSERT_FALSE(first.path.isEmpty()) << first.error.toStdString();
    EXPECT_FALSE(first.fromCache);
    EXPECT_TRUE(first.path.startsWith(cache));
    EXPECT_EQ(QFileInfo(first.path).size(), QFileInfo(samplePdf).size());

    const QStringList args = lastArguments();
    EXPECT_TRUE(args.contains("--headless"));
    EXPECT_TRUE(args.filter("-env:UserInstallation=file://" + cache).size() == 1)
        << "the office runs with a profile of its own, never the user's";
    EXPECT_TRUE(args.filter(R"("ExportHiddenSlides":{"type":"boolean","value":"true"})").size() == 1);
    EXPECT_FALSE(args.contains(deck)) << "the office works on a copy, away from the user's folder";
    EXPECT_EQ(QDir(cache).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList())
        << "work folders removed";

    const DeckPdf again = converter.toPdf(deck);
    EXPECT_TRUE(again.fromCache);
    EXPECT_EQ(again.path, first.path);
    EXPECT_EQ(runs(), 1);
    EXPECT_EQ(told, QStringList{QStringLiteral("Deck 一.PPT")})
        << "the wait is announced for conversions only";

    // The same name with other content is another deck.
    writeFile(QStringLiteral("Deck 一.PPT"), "edited");
    const DeckPdf edited = converter.toPdf(deck);
    EXPECT_FALSE(edited.fromCache);
    EXPECT_NE(edited.path, first.path);
    EXPECT_EQ(runs(), 2);
}

TEST_F(DeckConverterTest, TheCacheKeepsTheMostRecentlyUsedDecks)
{
    DeckConverter converter(cache, fakeOffice(produce()));
    converter.setKeptConversions(2);
    const QString a = converter.toPdf(writeFile(QStringLiteral("a.ppt"), "deck a")).path;
    const QString b = converter.toPdf(writeFile(QStringLiteral("b.ppt"), "deck b")).path;
    // a was used after b, so b is the one to go when c comes.
    QFile older(b);
    ASSERT_TRUE(older.open(QIODevice::Append));
    ASSERT_TRUE(
        older.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    older.close();
    QFile sameAge(a);
    ASSERT_TRUE(sameAge.open(QIODevice::Append));
    ASSERT_TRUE(
        sameAge.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
    sameAge.close();
    EXPECT_TRUE(converter.toPdf(dir.filePath(QStringLiteral("a.ppt"))).fromCache);
    const QString c = converter.toPdf(writeFile(QStringLiteral("c.ppt"), "deck c")).path;
    EXPECT_TRUE(QFile::exists(a));
    EXPECT_FALSE(QFile::exists(b));
    EXPECT_TRUE(QFile::exists(c));
}

TEST_F(DeckConverterTest, AnOfficeThatAsksForARestartIsStartedAgain)
{
    const QString marker = dir.filePath(QStringLiteral("profile-made"));
    DeckConverter converter(
        cache,
        fakeOffice(
            QStringLiteral("if [ ! -e '%1' ]; then touch '%1'; exit 81; fi\n%2").arg(marker, produce())));
    const DeckPdf pdf = converter.toPdf(deck);
    EXPECT_FALSE(pdf.path.isEmpty()) << pdf.error.toStdString();
    EXPECT_EQ(runs(), 2);
}

TEST_F(DeckConverterTest, DecksThatCannotBeConvertedAreReportedAndNotCached)
{
    DeckConverter converter(cache,
                            fakeOffice(QStringLiteral("echo 'Error: source file could not be loaded'")));
    const DeckPdf pdf = converter.toPdf(deck);
    EXPECT_TRUE(pdf.path.isEmpty());
    EXPECT_TRUE(pdf.error.contains(QStringLiteral("Deck 一.PPT")));
    EXPECT_FALSE(pdf.error.contains(QStringLiteral("could not be loaded")))
        << "the user reads what it means, not the office's own words";
    EXPECT_TRUE(pdf.error.contains(QStringLiteral("损坏")) && pdf.error.contains(QStringLiteral("密码")));
    EXPECT_EQ(QDir(cache).entryList(QDir::Files), QStringList());
    // Not remembered as converted: the next try runs the office again.
    converter.toPdf(deck);
    EXPECT_EQ(runs(), 2);
}

TEST_F(DeckConverterTest, MissingEmptyAndOtherUnusableFilesAreToldWithoutStartingTheOffice)
{
    DeckConverter converter(cache, fakeOffice(produce()));
    const struct {
        QString path;
        const char* why;
    } cases[] = {
        {dir.filePath(QStringLiteral("MYPPT.ppt")), "missing"},
        {writeFile(QStringLiteral("empty.ppt"), QByteArray()), "empty"},
        {dir.path(), "a folder"},
    };
    for (const auto& c : cases) {
        const DeckPdf pdf = converter.toPdf(c.path);
        EXPECT_TRUE(pdf.path.isEmpty()) << c.why;
        EXPECT_FALSE(pdf.error.isEmpty()) << c.why;
    }
    EXPECT_EQ(runs(), 0);

    DeckConverter without(cache, QString());
    const DeckPdf none = without.toPdf(deck);
    EXPECT_TRUE(none.path.isEmpty());
    EXPECT_TRUE(none.error.contains(QStringLiteral("libreoffice-impress")));

    // A PDF is shown as it is, whatever the case of its extension.
    EXPECT_EQ(converter.toPdf(samplePdf).path, QFileInfo(samplePdf).absoluteFilePath());
    const QString upper = dir.filePath(QStringLiteral("SAMPLE.PDF"));
    ASSERT_TRUE(QFile::copy(samplePdf, upper));
    EXPECT_EQ(converter.toPdf(upper).path, QFileInfo(upper).absoluteFilePath());
    EXPECT_EQ(runs(), 0);
}

TEST_F(DeckConverterTest, AnOfficeThatHangsIsEndedByItsProcessId)
{
    const QString pidFile = dir.filePath(QStringLiteral("office.pid"));
    DeckConverter converter(cache, fakeOffice(QStringLiteral("echo $$ > '%1'; exec sleep 60").arg(pidFile)));
    converter.setTimeoutMs(300);
    const DeckPdf pdf = converter.toPdf(deck);
    EXPECT_TRUE(pdf.path.isEmpty());
    EXPECT_FALSE(pdf.error.isEmpty());

    QFile file(pidFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const int pid = file.readAll().trimmed().toInt();
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0) << "the office process is gone";
}

TEST_F(DeckConverterTest, ACachedConversionDamagedOrUncheckedIsMadeAgain)
{
    DeckConverter converter(cache, fakeOffice(produce()));
    const DeckPdf first = converter.toPdf(deck);
    ASSERT_FALSE(first.path.isEmpty()) << first.error.toStdString();
    QFile sample(samplePdf);
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray good = sample.readAll();

    // Damaged in place: same size, other bytes.
    {
        QFile cached(first.path);
        ASSERT_TRUE(cached.open(QIODevice::ReadWrite));
        ASSERT_TRUE(cached.seek(cached.size() / 2));
        ASSERT_EQ(cached.write(QByteArray(64, '\0')), 64);
    }
    ASSERT_EQ(QFileInfo(first.path).size(), good.size());
    const DeckPdf again = converter.toPdf(deck);
    EXPECT_FALSE(again.fromCache);
    EXPECT_EQ(again.path, first.path);
    EXPECT_EQ(runs(), 2);
    QFile remade(again.path);
    ASSERT_TRUE(remade.open(QIODevice::ReadOnly));
    EXPECT_EQ(remade.readAll(), good);
    EXPECT_TRUE(converter.toPdf(deck).fromCache);
    EXPECT_EQ(runs(), 2);

    // One without its check (written by an older version, or the check was lost) is not trusted either.
    const QStringList checks = QDir(cache).entryList({QStringLiteral("*.sha256")}, QDir::Files);
    ASSERT_EQ(checks.size(), 1);
    ASSERT_TRUE(QFile::remove(QDir(cache).filePath(checks.first())));
    EXPECT_FALSE(converter.toPdf(deck).fromCache);
    EXPECT_EQ(runs(), 3);

    // Dropping a conversion drops its check with it.
    converter.drop(first.path);
    EXPECT_EQ(QDir(cache).entryList(QDir::Files), QStringList{});
}

TEST_F(DeckConverterTest, EveryPathReachesTheOfficeIntactWhateverTheCacheFolderIsCalled)
{
    const QString awkward = dir.filePath(QStringLiteral("缓存 a#b%41c$HOME'q\"d"));
    DeckConverter converter(awkward,
                            fakeOffice(produce() + QStringLiteral("\npwd > '%1'").arg(dir.filePath("cwd"))));
    const DeckPdf pdf = converter.toPdf(deck);
    ASSERT_FALSE(pdf.path.isEmpty()) << pdf.error.toStdString();
    EXPECT_TRUE(pdf.path.startsWith(awkward));

    const QStringList profileArguments = lastArguments().filter(QStringLiteral("-env:UserInstallation="));
    ASSERT_EQ(profileArguments.size(), 1);
    const QString url = profileArguments.first().section(QLatin1Char('='), 1);
    // Nothing the office would read as a variable, and a URL that names a folder in the cache.
    EXPECT_FALSE(url.contains(QLatin1Char('$')));
    const QUrl parsed(url, QUrl::StrictMode);
    ASSERT_TRUE(parsed.isValid()) << url.toStdString();
    EXPECT_TRUE(parsed.toLocalFile().startsWith(awkward + QStringLiteral("/work-"))) << url.toStdString();
    // The office works in its work folder, on names that need no quoting.
    QFile cwd(dir.filePath("cwd"));
    ASSERT_TRUE(cwd.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(cwd.readAll().trimmed()).startsWith(awkward + QStringLiteral("/work-")));
    EXPECT_EQ(lastArguments().last(), QStringLiteral("deck.ppt"));
}

TEST_F(DeckConverterTest, WorkFoldersOfEndedRunsAreRemovedAndThoseOfRunningOnesKept)
{
    const qint64 ended = traces::pidOfEndedProcess();
    ASSERT_NE(ended, 0);
    const QString dead = QDir(cache).filePath(QStringLiteral("work-%1-Ab1").arg(ended));
    const QString running =
        QDir(cache).filePath(QStringLiteral("work-%1-Cd2").arg(QCoreApplication::applicationPid()));
    ASSERT_TRUE(QDir().mkpath(dead + QStringLiteral("/profile/user")));
    ASSERT_TRUE(QDir().mkpath(running));
    DeckConverter::removeWorkOfDeadRuns(cache);
    EXPECT_FALSE(QFileInfo::exists(dead));
    EXPECT_TRUE(QFileInfo::exists(running));
}

// Waits for startPdf()'s answer while the event loop runs; nullopt when none came in time.
std::optional<DeckPdf> awaitResult(DeckConverter& converter, const QString& deck, QStringList* told = nullptr,
                                   int ms = 10000)
{
    std::optional<DeckPdf> result;
    if (told)
        converter.onConversionStart([told](const QString& name) { *told << name; });
    converter.startPdf(deck, [&result](const DeckPdf& pdf) { result = pdf; });
    EXPECT_TRUE(converter.isBusy());
    [[maybe_unused]] const bool answered = QTest::qWaitFor([&] { return result.has_value(); }, ms);
    return result;
}

TEST_F(DeckConverterTest, ABackgroundConversionAnswersFromTheEventLoopAsTheWaitingOneDoes)
{
    const QString marker = dir.filePath(QStringLiteral("profile-made"));
    DeckConverter converter(
        cache, fakeOffice(QStringLiteral("if [ ! -e '%1' ]; then touch '%1'; exit 81; fi\nsleep 0.3\n%2")
                              .arg(marker, produce())));
    QStringList told;
    // Even an answer known at once comes from the event loop, never inside the call.
    bool answeredInside = false;
    bool calling = true;
    converter.startPdf(dir.filePath(QStringLiteral("missing.ppt")),
                       [&](const DeckPdf&) { answeredInside = calling; });
    calling = false;
    EXPECT_FALSE(answeredInside);

    int turns = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&turns] { ++turns; });
    ticker.start(20);
    const std::optional<DeckPdf> first = awaitResult(converter, deck, &told);
    ASSERT_TRUE(first.has_value());
    EXPECT_FALSE(first->path.isEmpty()) << first->error.toStdString();
    EXPECT_FALSE(first->fromCache);
    EXPECT_GE(turns, 5) << "the event loop ran while the office worked";
    EXPECT_EQ(runs(), 2) << "an office that asks for a restart is started again";
    EXPECT_EQ(told, QStringList{QStringLiteral("Deck 一.PPT")});
    EXPECT_FALSE(converter.isBusy());
    EXPECT_EQ(QDir(cache).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList())
        << "work folders removed";

    const std::optional<DeckPdf> again = awaitResult(converter, deck);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->fromCache);
    EXPECT_EQ(again->path, first->path);
    EXPECT_EQ(runs(), 2);
}

TEST_F(DeckConverterTest, ACancelledOrOverdueBackgroundConversionEndsTheOfficeAndLeavesNothing)
{
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancelled" : "overdue");
        const QString pidFile = dir.filePath(QStringLiteral("office.pid"));
        QFile::remove(pidFile);
        DeckConverter converter(cache,
                                fakeOffice(QStringLiteral("echo $$ > '%1'; exec sleep 60").arg(pidFile)));
        converter.setTimeoutMs(cancel ? 60000 : 500);
        std::optional<DeckPdf> result;
        converter.startPdf(deck, [&result](const DeckPdf& pdf) { result = pdf; });
        qint64 pid = 0;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                QFile file(pidFile);
                pid = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
                return pid > 0;
            },
            10000));
        if (cancel) {
            converter.cancel();
            EXPECT_FALSE(converter.isBusy());
            QTest::qWait(100);
            EXPECT_FALSE(result.has_value()) << "a cancelled conversion has no answer";
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 10000));
            EXPECT_TRUE(result->path.isEmpty());
            EXPECT_TRUE(result->error.contains(QStringLiteral("超时")));
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return !traces::isRunning(pid); }, 3000)) << "the office is gone";
        if (traces::isRunning(pid))
            ::kill(pid_t(pid), SIGKILL);
        EXPECT_EQ(QDir(cache).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
    }
}

TEST_F(DeckConverterTest, ADestroyedConverterTakesItsOfficeWithIt)
{
    const QString pidFile = dir.filePath(QStringLiteral("office.pid"));
    qint64 pid = 0;
    {
        DeckConverter converter(cache,
                                fakeOffice(QStringLiteral("echo $$ > '%1'; exec sleep 60").arg(pidFile)));
        converter.startPdf(deck, [](const DeckPdf&) { ADD_FAILURE() << "no answer after the end"; });
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                QFile file(pidFile);
                pid = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
                return pid > 0;
            },
            10000));
    }
    QTest::qWait(50);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !traces::isRunning(pid); }, 3000));
    EXPECT_EQ(QDir(cache).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

struct Ending {
    int signalNumber;
    bool orderly;
    const char* name;
};

class ConverterEnd : public DeckConverterTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(ConverterEnd, TheOfficeDiesWithTheProgramHoweverItEnds)
{
    const QString pidFile = dir.filePath(QStringLiteral("office.pid"));
    const QString office = fakeOffice(QStringLiteral("echo $$ > '%1'; exec sleep 60").arg(pidFile));
    QProcess program;
    QStringList arguments{deck, cache, QStringLiteral("--office=") + office};
    if (GetParam().orderly)
        arguments << QStringLiteral("--orderly");
    program.start(QStringLiteral(VANTREL_DECK_OWNER_HELPER), arguments);
    qint64 pid = 0;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            QFile file(pidFile);
            pid = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
            return pid > 0;
        },
        10000));

    ASSERT_EQ(::kill(pid_t(program.processId()), GetParam().signalNumber), 0);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !traces::isRunning(pid); }, 3000))
        << "the office outlived the program";
    if (traces::isRunning(pid))
        ::kill(pid_t(pid), SIGKILL);
    if (GetParam().orderly) {
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(QDir(cache).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
    }
}

INSTANTIATE_TEST_SUITE_P(Endings, ConverterEnd,
                         ::testing::Values(Ending{SIGKILL, false, "Kill"}, Ending{SIGTERM, false, "Term"},
                                           Ending{SIGTERM, true, "OrderlyTerm"},
                                           Ending{SIGINT, true, "OrderlyInt"}),
                         [](const ::testing::TestParamInfo<Ending>& ending) {
                             return std::string(ending.param.name);
                         });

// Counts the reads of a file's content from the moment it is made (inotify's IN_ACCESS).
class ReadWatch {
public:
    explicit ReadWatch(const QString& path) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        EXPECT_GE(::inotify_add_watch(fd_, QFile::encodeName(path).constData(), IN_ACCESS), 0);
    }
    ~ReadWatch() { ::close(fd_); }
    ReadWatch(const ReadWatch&) = delete;
    ReadWatch& operator=(const ReadWatch&) = delete;

    int reads()
    {
        alignas(inotify_event) char buffer[4096];
        for (qint64 got = 0; (got = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (qint64 at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                reads_ += (event->mask & IN_ACCESS) ? 1 : 0;
                at += qint64(sizeof(inotify_event)) + event->len;
            }
        }
        return reads_;
    }

private:
    int fd_;
    int reads_ = 0;
};

void setModified(const QString& path, const QDateTime& when)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

TEST_F(DeckConverterTest, ADeckOpenedAgainIsReadOnlyWhenItChangedAndTheOfficeReadsItWhereItIs)
{
    const QString seen = dir.filePath(QStringLiteral("seen"));
    DeckConverter converter(
        cache,
        fakeOffice(produce() + QStringLiteral("\n[ -L deck.ppt ] && readlink deck.ppt > '%1'").arg(seen)));
    ReadWatch watch(deck);
    const std::optional<DeckPdf> first = awaitResult(converter, deck);
    ASSERT_TRUE(first.has_value());
    ASSERT_FALSE(first->path.isEmpty()) << first->error.toStdString();
    EXPECT_GT(watch.reads(), 0) << "a new deck is read whole";
    QFile link(seen);
    ASSERT_TRUE(link.open(QIODevice::ReadOnly)) << "the office was given a copy, not the deck";
    EXPECT_EQ(QString::fromUtf8(link.readAll().trimmed()), QFileInfo(deck).absoluteFilePath());
    link.close();

    // Opened again as it is: known by its size and times, not read again.
    const int readsBefore = watch.reads();
    const std::optional<DeckPdf> again = awaitResult(converter, deck);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->fromCache);
    EXPECT_EQ(watch.reads(), readsBefore);
    // The same when only its time changed (copied back from a stick, say): read, and found cached.
    setModified(deck, QDateTime::currentDateTime().addSecs(-3600));
    const std::optional<DeckPdf> touched = awaitResult(converter, deck);
    ASSERT_TRUE(touched.has_value());
    EXPECT_TRUE(touched->fromCache);
    EXPECT_GT(watch.reads(), readsBefore);
    EXPECT_EQ(runs(), 1);

    // Edited in place to the same size, its time set back: still a new deck.
    const QDateTime modified = QFileInfo(deck).lastModified();
    writeFile(QStringLiteral("Deck 一.PPT"), "a deck's BYTES");
    setModified(deck, modified);
    ASSERT_EQ(QFileInfo(deck).lastModified(), modified);
    const std::optional<DeckPdf> edited = awaitResult(converter, deck);
    ASSERT_TRUE(edited.has_value());
    EXPECT_FALSE(edited->fromCache);
    EXPECT_NE(edited->path, first->path);
    EXPECT_EQ(runs(), 2);

    // What is remembered of decks goes with their conversions.
    converter.setKeptConversions(1);
    ASSERT_FALSE(converter.toPdf(writeFile(QStringLiteral("other.ppt"), "another deck")).path.isEmpty());
    EXPECT_EQ(QDir(cache).entryList({QStringLiteral("*.seen")}, QDir::Files).size(), 1);
}

TEST_F(DeckConverterTest, ADeckOverTheLimitIsRefusedAtOnceWithoutReadingIt)
{
    const QString huge = dir.filePath(QStringLiteral("MYPPT.ppt"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(DeckConverter::kMaxDeckBytes + 1)); // sparse: no room taken
    }
    ReadWatch watch(huge);
    DeckConverter converter(cache, fakeOffice(produce()));
    for (const bool background : {false, true}) {
        SCOPED_TRACE(background ? "in the background" : "waited for");
        const std::optional<DeckPdf> pdf =
            background ? awaitResult(converter, huge) : std::optional<DeckPdf>(converter.toPdf(huge));
        ASSERT_TRUE(pdf.has_value());
        EXPECT_TRUE(pdf->path.isEmpty());
        for (const char* words : {"MYPPT.ppt", "太大", "1.1 GB", "1 GB"})
            EXPECT_TRUE(pdf->error.contains(QString::fromUtf8(words))) << pdf->error.toStdString();
        EXPECT_FALSE(pdf->deckAtFault) << "its message says what to do; no other advice";
    }
    EXPECT_EQ(watch.reads(), 0);
    EXPECT_EQ(runs(), 0);
    EXPECT_EQ(QDir(cache).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

TEST_F(DeckConverterTest, WhatIsWrongWithTheDeckItselfIsToldAsSuch)
{
    DeckConverter converter(cache,
                            fakeOffice(QStringLiteral("echo 'Error: source file could not be loaded'")));
    EXPECT_TRUE(converter.toPdf(dir.filePath(QStringLiteral("missing.ppt"))).deckAtFault);
    EXPECT_TRUE(converter.toPdf(writeFile(QStringLiteral("empty.ppt"), QByteArray())).deckAtFault);
    EXPECT_TRUE(converter.toPdf(deck).deckAtFault) << "a deck the office cannot read";
    EXPECT_FALSE(DeckConverter(cache, QString()).toPdf(deck).deckAtFault) << "no office";
}

// The temporary folder is the test's own while this lives.
struct OwnTemporaryFolder {
    OwnTemporaryFolder() : previous(qgetenv("TMPDIR")) { qputenv("TMPDIR", QFile::encodeName(path())); }
    ~OwnTemporaryFolder() { qputenv("TMPDIR", previous); }
    QString path() const { return folder.path(); }
    QTemporaryDir folder;
    QByteArray previous;
};

// A cache folder that cannot be written to, in the ways a home folder goes wrong; conversions that cannot
// go to the cache go to the temporary folder.
class UnusableCache : public DeckConverterTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        if (QByteArray(GetParam()) == "AFileInItsPlace") {
            // ~/.cache/vantrel is a file: ~/.cache/vantrel/decks cannot be made.
            writeFile(QStringLiteral("vantrel"), "not a folder");
            cache = dir.filePath(QStringLiteral("vantrel/decks"));
            return;
        }
        unwritable.emplace(cache);
        if (!unwritable->isUnwritable())
            GTEST_SKIP() << "root may write anywhere, and no read-only disk can be mounted here";
    }

    OwnTemporaryFolder temporary;
    std::optional<testdecks::UnwritableFolder> unwritable;
};

TEST_P(UnusableCache, DecksAreConvertedIntoAPrivateCacheOfTheRunInstead)
{
    DeckConverter converter(cache, fakeOffice(produce()));
    const std::optional<DeckPdf> first = awaitResult(converter, deck);
    ASSERT_TRUE(first.has_value());
    ASSERT_FALSE(first->path.isEmpty()) << first->error.toStdString();
    EXPECT_TRUE(QFileInfo(first->path).absoluteFilePath().startsWith(QDir(temporary.path()).absolutePath()))
        << first->path.toStdString();
    QPdfDocument document;
    EXPECT_EQ(document.load(first->path), QPdfDocument::Error::None);
    EXPECT_EQ(document.pageCount(), 3);

    // The rest of the run uses it as a cache.
    const std::optional<DeckPdf> again = awaitResult(converter, deck);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->fromCache);
    EXPECT_EQ(again->path, first->path);
    EXPECT_EQ(runs(), 1);
}

TEST_P(UnusableCache, WhenNoCacheCanBeMadeTheMessageSaysWhatIsWrongWithTheCacheFolder)
{
    QString problem;
    qputenv("TMPDIR", QFile::encodeName(writeFile(QStringLiteral("tmp"), "not a folder either")));
    DeckConverter converter(cache, fakeOffice(produce()));
    EXPECT_EQ(converter.cacheInUse(&problem), QString());
    const DeckPdf pdf = converter.toPdf(deck);
    EXPECT_TRUE(pdf.path.isEmpty());
    EXPECT_EQ(pdf.error, problem);
    EXPECT_FALSE(pdf.deckAtFault);
    EXPECT_EQ(runs(), 0);
    const QString why = QByteArray(GetParam()) == "AFileInItsPlace"
                            ? dir.filePath(QStringLiteral("vantrel")) + QStringLiteral(" 是一个文件")
                            : QStringLiteral("不能写入");
    for (const QString& words : {QStringLiteral("缓存文件夹"), why})
        EXPECT_TRUE(problem.contains(words)) << problem.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Ways, UnusableCache, ::testing::Values("AFileInItsPlace", "NotWritable"));

TEST_F(DeckConverterTest, PrivateCachesOfEndedRunsAreRemoved)
{
    const OwnTemporaryFolder temporary;
    const qint64 ended = traces::pidOfEndedProcess();
    ASSERT_NE(ended, 0);
    const QString dead = temporary.path() + QStringLiteral("/vantrel-decks-%1-Ab1").arg(ended);
    const QString running =
        temporary.path() + QStringLiteral("/vantrel-decks-%1-Cd2").arg(QCoreApplication::applicationPid());
    ASSERT_TRUE(QDir().mkpath(dead + QStringLiteral("/work-%1-Ef3/profile").arg(ended)));
    ASSERT_TRUE(QDir().mkpath(running));
    DeckConverter::removeWorkOfDeadRuns(cache);
    EXPECT_FALSE(QFileInfo::exists(dead));
    EXPECT_TRUE(QFileInfo::exists(running));
}

} // namespace
