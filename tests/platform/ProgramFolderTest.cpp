#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
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

TEST(ProgramFolder, PortableFolderWhenTheProgramFolderHoldsTheNameList)
{
    QTemporaryDir appDir;
    writeFile(appDir.filePath("name.xls"), "list");
    EXPECT_EQ(ProgramFolder::resolve(appDir.path(), {}), appDir.path());
}

TEST(ProgramFolder, UserFolderIsSeededWithoutOverwritingTheUsersFiles)
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    QTemporaryDir appDir;
    QTemporaryDir samples;
    writeFile(samples.filePath("name.xls"), "sample list");
    writeFile(samples.filePath("MYPPT.ppt"), "sample deck");

    const QString folder = ProgramFolder::resolve(appDir.path(), {samples.path()});
    EXPECT_EQ(folder, QDir(home.path()).filePath("vantrel"));
    EXPECT_EQ(readFile(QDir(folder).filePath("name.xls")), "sample list");
    EXPECT_EQ(readFile(QDir(folder).filePath("MYPPT.ppt")), "sample deck");

    // The teacher's own list survives the next start.
    writeFile(QDir(folder).filePath("name.xls"), "my class");
    ProgramFolder::resolve(appDir.path(), {samples.path()});
    EXPECT_EQ(readFile(QDir(folder).filePath("name.xls")), "my class");
    qunsetenv("XDG_DATA_HOME");
}
