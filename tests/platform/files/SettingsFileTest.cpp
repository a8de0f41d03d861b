#include "platform/files/SettingsFile.h"

#include "support/TestFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath(QStringLiteral("vantrel/vantrel.ini")); }

    static struct stat statOf(const QString& file)
    {
        struct stat there {};
        ::lstat(QFile::encodeName(file).constData(), &there);
        return there;
    }
    static int entriesIn(const QString& folder)
    {
        return int(QDir(folder)
                       .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
                       .size());
    }
    void linkSettingsTo(const QString& target) const
    {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        ASSERT_TRUE(QFile::link(target, path()));
    }
    // A save that cannot be made: refused, with a problem that says why, and the value holds all the same.
    static void expectRefused(SettingsFile& settings, const QString& why)
    {
        EXPECT_FALSE(settings.setValue("zoom/Form1", "110"));
        EXPECT_FALSE(settings.problem().isEmpty());
        EXPECT_TRUE(settings.problem().contains(why)) << settings.problem().toStdString();
        EXPECT_EQ(settings.value("zoom/Form1"), "110");
    }

    QTemporaryDir dir_;
};

} // namespace

// The file stays one that QSettings reads and writes, as it was before we wrote it ourselves, and what
// is not ours in it stays as it was.
TEST_F(SettingsFileTest, TheFileIsTheINIThatQSettingsReadsAndWrites)
{
    {
        QSettings before(path(), QSettings::IniFormat);
        before.setValue("zoom/Form1", 150);
        before.setValue("notices/desktop-wayland-seen", true);
        before.setValue("school/name", QStringLiteral("第一中学"));
    }
    SettingsFile settings(path());
    EXPECT_EQ(settings.value("zoom/Form1"), "150");
    EXPECT_EQ(settings.value("notices/desktop-wayland-seen"), "true");
    EXPECT_TRUE(settings.value("zoom/Form4").isEmpty());

    const QList<std::pair<QString, QString>> saves{
        {"zoom/Form1", "175"}, {"zoom/Form4", "110"}, {"notices/desktop-native-seen", "true"}, {"top", "1"}};
    for (const auto& [key, text] : saves)
        EXPECT_TRUE(settings.setValue(key, text)) << key.toStdString();
    EXPECT_TRUE(settings.problem().isEmpty());

    QSettings after(path(), QSettings::IniFormat);
    for (const auto& [key, text] : saves)
        EXPECT_EQ(after.value(key).toString(), text) << key.toStdString();
    EXPECT_TRUE(after.value("notices/desktop-wayland-seen").toBool());
    EXPECT_EQ(after.value("school/name").toString(), QStringLiteral("第一中学"));
    // One line for a key, however often it was set.
    EXPECT_EQ(testfiles::read(path()).count("Form1="), 1);
}

TEST_F(SettingsFileTest, ASaveKeepsWhatAnotherCopySavedAndTheLinesItDoesNotKnow)
{
    testfiles::write(path(), "; kept by the school\n[zoom]\nForm1 = 125\n\n[other]\nkey=\"quoted, text\"\n");
    SettingsFile mine(path());
    SettingsFile theirs(path());
    EXPECT_EQ(mine.value("zoom/Form1"), "125");
    EXPECT_EQ(mine.value("other/key"), "quoted, text");
    EXPECT_TRUE(theirs.setValue("zoom/Form6", "200"));
    EXPECT_TRUE(mine.setValue("zoom/Form2", "110"));

    const QByteArray saved = testfiles::read(path());
    EXPECT_TRUE(saved.startsWith("; kept by the school\n[zoom]\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("key=\"quoted, text\"\n")) << saved.toStdString();
    EXPECT_EQ(SettingsFile(path()).value("zoom/Form6"), "200");
    // New keys of a group go into that group.
    EXPECT_EQ(QSettings(path(), QSettings::IniFormat).value("zoom/Form2").toInt(), 110);
    EXPECT_LT(saved.indexOf("Form2=110"), saved.indexOf("[other]"));
}

// Written through a symbolic link into the file it points to: the link stays, and so do the file's
// permissions.
TEST_F(SettingsFileTest, ALinkToAFileElsewhereIsWrittenThrough)
{
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("shared.ini"));
    testfiles::write(target, "[zoom]\nForm1=110\n");
    ASSERT_TRUE(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup));
    linkSettingsTo(target);

    SettingsFile settings(path());
    EXPECT_EQ(settings.value("zoom/Form1"), "110");
    EXPECT_TRUE(settings.setValue("zoom/Form1", "150"));
    EXPECT_EQ(QFileInfo(path()).symLinkTarget(), target);
    EXPECT_EQ(testfiles::read(target), "[zoom]\nForm1=150\n");
    EXPECT_EQ(statOf(target).st_mode & 07777, 0640u);
    EXPECT_EQ(entriesIn(elsewhere.path()), 1) << "something was left beside the file";
}

// A pipe would block the start until someone writes into it, a device is the system's (a root run
// with vantrel.ini -> /dev/zero once replaced /dev/zero): neither is opened as a file nor replaced.
TEST_F(SettingsFileTest, APipeOrADeviceInTheSettingsPlaceIsNeverOpenedNorReplaced)
{
    QTemporaryDir elsewhere;
    const QString pipe = elsewhere.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // A device of our own making, so that a fault here cannot touch the system's.
    const QString device = elsewhere.filePath(QStringLiteral("zero"));
    const bool haveDevice =
        ::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 5)) == 0;

    struct Case {
        const char* what;
        QString target; // empty: a FIFO in the settings' own place
        mode_t type;
    };
    std::vector<Case> cases{{"a FIFO", QString(), S_IFIFO}, {"a link to a FIFO", pipe, S_IFIFO}};
    if (haveDevice)
        cases.push_back({"a link to a device", device, S_IFCHR});
    else
        std::cerr << "no device node could be made here: the link to a device is not tried\n";
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        QFile::remove(path());
        QDir().mkpath(QFileInfo(path()).absolutePath());
        if (each.target.isEmpty())
            ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
        else
            linkSettingsTo(each.target);
        const QString checked = each.target.isEmpty() ? path() : each.target;
        const struct stat before = statOf(checked);

        SettingsFile settings(path());
        expectRefused(settings, each.type == S_IFIFO ? QStringLiteral("a FIFO") : QStringLiteral("a device"));

        const struct stat after = statOf(checked);
        EXPECT_EQ(after.st_mode & S_IFMT, each.type);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_rdev, before.st_rdev);
        EXPECT_EQ(QFileInfo(path()).isSymLink(), !each.target.isEmpty());
        // Nothing was written beside them either.
        EXPECT_EQ(entriesIn(elsewhere.path()), haveDevice ? 2 : 1);
        EXPECT_EQ(entriesIn(QFileInfo(path()).absolutePath()), 1);
    }
}

// A huge file is not settings: it is not read (each zoom step once read 50 MB again), nor written over.
TEST_F(SettingsFileTest, AFileOverTheLimitIsNeitherReadNorWrittenOver)
{
    QByteArray huge = "[zoom]\nForm1=300\n";
    huge += QByteArray(SettingsFile::kMaxSize, '#');
    testfiles::write(path(), huge);
    const QByteArray hash = QCryptographicHash::hash(huge, QCryptographicHash::Sha256);

    SettingsFile settings(path());
    EXPECT_TRUE(settings.value("zoom/Form1").isEmpty());
    expectRefused(settings, QStringLiteral("more than"));
    EXPECT_EQ(QCryptographicHash::hash(testfiles::read(path()), QCryptographicHash::Sha256), hash);

    // Just within the limit, it is read.
    testfiles::write(path(), huge.left(SettingsFile::kMaxSize));
    EXPECT_EQ(SettingsFile(path()).value("zoom/Form1"), "300");
}

// Root saving a user's settings (sudo -E) leaves the file theirs.
TEST_F(SettingsFileTest, ASaveKeepsTheFilesOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    testfiles::write(path(), "[zoom]\nForm1=110\n");
    ASSERT_EQ(::chown(QFile::encodeName(path()).constData(), 65534, 65534), 0);
    EXPECT_TRUE(SettingsFile(path()).setValue("zoom/Form1", "125"));
    EXPECT_EQ(statOf(path()).st_uid, 65534u);
    EXPECT_EQ(statOf(path()).st_gid, 65534u);
    EXPECT_EQ(testfiles::read(path()), "[zoom]\nForm1=125\n");
}

// The folder is made for the first save; where the way to the file is broken, nothing is made.
TEST_F(SettingsFileTest, TheFolderIsMadeForTheFirstSaveButNotThroughABrokenWay)
{
    SettingsFile fresh(path());
    EXPECT_TRUE(fresh.problem().isEmpty());
    EXPECT_TRUE(fresh.setValue("zoom/Form1", "110"));
    EXPECT_EQ(testfiles::read(path()), "[zoom]\nForm1=110\n");

    const QString blocker = dir_.filePath(QStringLiteral("blocked"));
    testfiles::write(blocker, "a file, not a folder");
    SettingsFile blocked(blocker + QStringLiteral("/vantrel.ini"));
    expectRefused(blocked, QString());
    EXPECT_EQ(testfiles::read(blocker), "a file, not a folder");

    QTemporaryDir elsewhere;
    const QString nowhere = elsewhere.filePath(QStringLiteral("missing/settings.ini"));
    QFile::remove(path());
    linkSettingsTo(nowhere);
    SettingsFile dangling(path());
    expectRefused(dangling, QStringLiteral("does not exist"));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(nowhere).absolutePath()));
}
