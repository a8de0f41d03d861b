#include "platform/presentation/BuiltInPresentation.h"
#include "platform/presentation/TestDecks.h"
#include "platform/presentation/UnwritableFolder.h"
#include "support/StallWatch.h"
#include "support/TestProgram.h"
#include "ui/WindowFactories.h"
#include "ui/draw/DeckConversionNotice.h"
#include "ui/draw/SlideDraw.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

// The slide draw on the program's own show, as the teacher gets it: MYPPT.ppt checked and converted
// (by a stand-in office that writes a five-page PDF) into a cache folder of the test's choosing.
namespace {

class SlideDrawOnItsOwnShow : public ::testing::Test {
protected:
    SlideDrawOnItsOwnShow()
    {
        const QString sample = work.filePath(QStringLiteral("sample.pdf"));
        EXPECT_TRUE(testdecks::writePdf(sample, 5));
        office = work.filePath(QStringLiteral("office.sh"));
        QFile script(office);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(
            QStringLiteral("#!/bin/sh\n"
                           "prev=; for a in \"$@\"; do [ \"$prev\" = --outdir ] && out=$a; prev=$a; done\n"
                           "cp '%1' \"$out/deck.pdf\"\n")
                .arg(sample)
                .toUtf8());
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        cache = work.filePath(QStringLiteral("cache/vantrel/decks"));
        // A cache that cannot be used sends the conversions to the temporary folder: the test's own.
        previousTemporary = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    }
    ~SlideDrawOnItsOwnShow() override { qputenv("TMPDIR", previousTemporary); }

    // MYPPT.ppt in the data folder: a few bytes of its own, then as many zeros as asked, taking no room.
    void makeDeck(qint64 size)
    {
        QFile deck(QDir(t.dataDir.path()).filePath(SlideDraw::kDeckName));
        ASSERT_TRUE(deck.open(QIODevice::WriteOnly));
        deck.write("a deck of the test");
        ASSERT_TRUE(deck.resize(size));
    }

    // The program on the built-in show with the stand-in office (none when office is empty).
    void useBuiltInShow()
    {
        Services services{t.timers,
                          t.dialogs,
                          t.windows,
                          t.sounds,
                          [] { return true; },
                          t.dataDir.path(),
                          QStringList{t.dataDir.path()}};
        services.presentations = [this]() -> std::unique_ptr<Presentation> {
            return std::make_unique<BuiltInPresentation>(DeckConverter(cache, office));
        };
        services.spreadsheet = &t.spreadsheet;
        t.program = std::make_unique<Program>(std::move(services));
        registerWindows(*t.program);
        t.start();
    }

    // Opens the slide draw and waits until the deck is open or a message says why not.
    SlideDraw& openDraw()
    {
        auto* draw = t.program->window<SlideDraw>();
        EXPECT_TRUE(QTest::qWaitFor([&] { return draw->deckSlideCount() > 0 || !t.dialogs.shown.isEmpty(); },
                                    120000));
        return *draw;
    }

    QTemporaryDir work;
    QTemporaryDir temporary;
    QByteArray previousTemporary;
    QString office;
    QString cache;
    TestProgram t;
};

TEST_F(SlideDrawOnItsOwnShow, ABigDeckIsCheckedWhileTheWindowsGoOnRepainting)
{
    makeDeck(512LL << 20);
    useBuiltInShow();
    for (const bool again : {false, true}) {
        SCOPED_TRACE(again ? "opened again" : "first opening");
        // The windows' event loop, from the click on the draw until the deck is on show.
        StallWatch watch(50);
        bool noticeSeen = false;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&noticeSeen] {
            for (QWidget* window : QApplication::topLevelWidgets())
                noticeSeen =
                    noticeSeen || (qobject_cast<DeckConversionNotice*>(window) && window->isVisible());
        });
        look.start(20);
        SlideDraw& draw = openDraw();
        EXPECT_LT(watch.longestMs(), 1000) << "the windows stood still while the deck was checked";
        // The first time the deck is read whole and converted, which takes seconds: the notice says
        // so. The second time it is known by its size and times and opens at once.
        EXPECT_EQ(noticeSeen, !again);
        EXPECT_TRUE(t.dialogs.shown.isEmpty()) << t.dialogs.shown.value(0).text.toStdString();
        EXPECT_EQ(draw.deckSlideCount(), 5);
        EXPECT_EQ(draw.drawableSlideCount(), 5);
        t.program->unload(WindowKind::SlideDraw);
        TestProgram::settle();
    }
}

TEST_F(SlideDrawOnItsOwnShow, ACacheFolderThatCannotBeWrittenToStillShowsTheDeck)
{
    makeDeck(4096);
    for (const bool fileInItsPlace : {true, false}) {
        SCOPED_TRACE(fileInItsPlace ? "~/.cache/vantrel is a file" : "the cache folder is read-only");
        std::optional<testdecks::UnwritableFolder> unwritable;
        if (fileInItsPlace) {
            ASSERT_TRUE(QDir().mkpath(work.filePath(QStringLiteral("cache"))));
            QFile file(work.filePath(QStringLiteral("cache/vantrel")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        } else {
            QFile::remove(work.filePath(QStringLiteral("cache/vantrel")));
            unwritable.emplace(cache);
            if (!unwritable->isUnwritable())
                GTEST_SKIP() << "root may write anywhere, and no read-only disk can be mounted here";
        }
        t.dialogs.shown.clear();
        useBuiltInShow();
        SlideDraw& draw = openDraw();
        EXPECT_TRUE(t.dialogs.shown.isEmpty()) << t.dialogs.shown.value(0).text.toStdString();
        EXPECT_EQ(draw.drawableSlideCount(), 5);
        t.program.reset();
        TestProgram::settle();
    }
}

TEST_F(SlideDrawOnItsOwnShow, OnlyADeckAtFaultGetsTheAdviceToPutAnotherInItsPlace)
{
    const struct {
        const char* what;
        qint64 size; // 0: no deck
        bool withOffice;
        const char* said;
        bool advice;
    } cases[] = {
        {"no deck", 0, true, "找不到文件", true},
        {"a deck too large", DeckConverter::kMaxDeckBytes + 1, true, "太大", false},
        {"no office", 4096, false, "libreoffice-impress", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(QDir(t.dataDir.path()).filePath(SlideDraw::kDeckName));
        if (c.size > 0)
            makeDeck(c.size);
        const QString withOffice = office;
        if (!c.withOffice)
            office.clear();
        t.dialogs.shown.clear();
        useBuiltInShow();
        openDraw();
        office = withOffice;
        ASSERT_EQ(t.dialogs.shown.size(), 1);
        const QString text = t.dialogs.shown[0].text;
        EXPECT_EQ(t.dialogs.shown[0].title, SlideDraw::kNoticeTitle);
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.said))) << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("请把要抽签的演示文稿以 MYPPT.ppt 为名放在")), c.advice)
            << text.toStdString();
        t.program.reset();
        TestProgram::settle();
    }
}

} // namespace
