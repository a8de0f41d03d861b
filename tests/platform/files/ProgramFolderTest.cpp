#include "platform/files/ProgramFolder.h"

#include "models/draw/NameListFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(FindFileIgnoringCase, FindsTheFileWhateverTheCaseExactMatchFirst)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("ding.wav"), "x");
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "ding.WAV"), dir.filePath("ding.wav"));
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "DING.wav"), dir.filePath("ding.wav"));
    EXPECT_TRUE(findFileIgnoringCase(dir.path(), "notify.wav").isEmpty());
    // A name with a folder in it is not looked up: cue names never leave the folder.
    EXPECT_TRUE(findFileIgnoringCase(dir.path(), "../ding.wav").isEmpty());
    writeFile(dir.filePath("Note1.PPT"), "a");
    writeFile(dir.filePath("note1.ppt"), "b");
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "Note1.PPT"), dir.filePath("Note1.PPT"));
}

// A fresh home: $XDG_DATA_HOME and $XDG_DATA_DIRS point into empty temporary folders, so that nothing
// installed on this machine can stand in for what a test expects to come from elsewhere.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedDataHome = qgetenv("XDG_DATA_HOME");
        savedDataDirs = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        qputenv("XDG_DATA_DIRS", systemData.path().toUtf8());
    }
    void TearDown() override
    {
        restore("XDG_DATA_HOME", savedDataHome);
        restore("XDG_DATA_DIRS", savedDataDirs);
    }
    static void restore(const char* name, const QByteArray& value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    QString userFolder() const { return QDir(home.path()).filePath("vantrel"); }

    QTemporaryDir home;
    QTemporaryDir systemData;
    QTemporaryDir appDir;
    QByteArray savedDataHome;
    QByteArray savedDataDirs;
};

TEST_F(ProgramFolderTest, PortableFolderWhenTheProgramFolderHoldsTheNameList)
{
    writeFile(appDir.filePath("name.xls"), "list");
    EXPECT_EQ(ProgramFolder::resolve(appDir.path(), {}), appDir.path());
    EXPECT_FALSE(QFileInfo::exists(userFolder()));
}

TEST_F(ProgramFolderTest, UserFolderIsSeededWithoutOverwritingTheUsersFiles)
{
    QTemporaryDir samples;
    writeFile(samples.filePath("name.xls"), "sample list");
    writeFile(samples.filePath("MYPPT.ppt"), "sample deck");

    const QString folder = ProgramFolder::resolve(appDir.path(), {samples.path()});
    EXPECT_EQ(folder, userFolder());
    EXPECT_EQ(readFile(QDir(folder).filePath("name.xls")), "sample list");
    EXPECT_EQ(readFile(QDir(folder).filePath("MYPPT.ppt")), "sample deck");

    // The teacher's own list survives the next start.
    writeFile(QDir(folder).filePath("name.xls"), "my class");
    ProgramFolder::resolve(appDir.path(), {samples.path()});
    EXPECT_EQ(readFile(QDir(folder).filePath("name.xls")), "my class");
}

TEST_F(ProgramFolderTest, SamplesInTheSamplesSubfolderSeedTheUserFolderButDoNotMakeThePortableFolder)
{
    QDir(appDir.path()).mkpath("samples");
    writeFile(QDir(appDir.path()).filePath("samples/name.xls"), "sample list");
    writeFile(appDir.filePath("Note1.PPT"), "sample deck");

    const QString folder = ProgramFolder::resolve(appDir.path(), {appDir.path()});
    EXPECT_EQ(folder, userFolder());
    EXPECT_EQ(readFile(QDir(folder).filePath("name.xls")), "sample list");
    EXPECT_EQ(readFile(QDir(folder).filePath("Note1.PPT")), "sample deck");
}

// The program as started from this build tree: its data folder gets our sample list and decks, and
// the build folder itself does not become the data folder.
TEST_F(ProgramFolderTest, AFreshDataFolderSeededFromTheBuildTreeGetsTheNameListAndTheDecks)
{
    const QString buildDir = QStringLiteral(VANTREL_PROGRAM_DIR);
    const QString folder = ProgramFolder::resolve(buildDir, ProgramFolder::shippedFolders(buildDir));
    ASSERT_EQ(folder, userFolder());

    const QByteArray sampleList = readFile(QStringLiteral(VANTREL_SOURCE_DIR "/resources/samples/name.xls"));
    ASSERT_FALSE(sampleList.isEmpty());
    EXPECT_EQ(readFile(QDir(folder).filePath("name.xls")), sampleList);
    for (const char* deck : {"MYPPT.ppt", "Note1.PPT", "Note2.PPT"}) {
        EXPECT_EQ(readFile(QDir(folder).filePath(deck)),
                  readFile(QStringLiteral(VANTREL_SOURCE_DIR "/resources/decks/") + deck))
            << deck;
    }
}

// A data folder that cannot be made is told as such, with what stands in the way; the name list's
// message then says it too, instead of asking for name.xls in a folder that is not there.
TEST_F(ProgramFolderTest, ADataFolderThatCannotBeMadeIsToldWithWhatStandsInTheWay)
{
    writeFile(userFolder(), "a file of the teacher's");
    ProgramFolder::Located located = ProgramFolder::locate(appDir.path(), {});
    EXPECT_EQ(located.path, userFolder());
    EXPECT_TRUE(located.problem.contains(QStringLiteral("是一个文件，不是文件夹")))
        << located.problem.toStdString();
    EXPECT_EQ(readFile(userFolder()), "a file of the teacher's");
    const QString listMessage = namelist::openProblem(OfficeError::of(OfficeError::Code::FileMissing),
                                                      QDir(located.path).filePath("name.xls"));
    EXPECT_TRUE(listMessage.startsWith(located.problem)) << listMessage.toStdString();
    EXPECT_FALSE(listMessage.contains(QStringLiteral("找不到名单文件")));

    // Deeper: a file where a folder above it should be.
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath("vantrel/below").toUtf8());
    located = ProgramFolder::locate(appDir.path(), {});
    EXPECT_TRUE(
        located.problem.contains(QDir::toNativeSeparators(userFolder()) + QStringLiteral(" 是一个文件")))
        << located.problem.toStdString();

    // With the folder there, nothing is said and the list's own message stands.
    QFile::remove(userFolder());
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    located = ProgramFolder::locate(appDir.path(), {});
    EXPECT_TRUE(located.problem.isEmpty()) << located.problem.toStdString();
    EXPECT_TRUE(namelist::openProblem(OfficeError::of(OfficeError::Code::FileMissing),
                                      QDir(located.path).filePath("name.xls"))
                    .startsWith(QStringLiteral("找不到名单文件")));
}

// The data folder lies in the home folder; a home folder that is not set or not there is not ours
// to make (as root that would make /.local/share or the missing home itself).
TEST_F(ProgramFolderTest, WithoutAHomeFolderNoDataFolderIsMade)
{
    qunsetenv("XDG_DATA_HOME");
    const QByteArray savedHome = qgetenv("HOME");
    const QString missingHome = QDir(home.path()).filePath("no-such-home");

    qputenv("HOME", missingHome.toUtf8());
    ProgramFolder::Located located = ProgramFolder::locate(appDir.path(), {});
    EXPECT_TRUE(
        located.problem.contains(QStringLiteral("主文件夹 %1").arg(QDir::toNativeSeparators(missingHome))))
        << located.problem.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missingHome));

    qunsetenv("HOME");
    const bool rootHadIt = QFileInfo::exists(QStringLiteral("/.local/share/vantrel"));
    located = ProgramFolder::locate(appDir.path(), {});
    EXPECT_TRUE(located.problem.contains(QStringLiteral("环境变量 HOME 没有设置")))
        << located.problem.toStdString();
    if (!rootHadIt) {
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/.local/share/vantrel")));
    }
    restore("HOME", savedHome);
}
