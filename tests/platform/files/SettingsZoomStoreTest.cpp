#include "platform/files/SettingsZoomStore.h"

#include "models/display/WindowZoom.h"
#include "platform/files/SettingsFile.h"
#include "support/TestFiles.h"
#include "ui/WindowKind.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The zoom of a kind of window outlives the run: a later store reads what an earlier one saved.
TEST(SettingsZoomStore, AZoomSavedInOneRunIsReadByTheNext)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString file = SettingsFile::defaultPath();
    QFile::remove(file);
    {
        SettingsFile settings;
        SettingsZoomStore store(settings);
        EXPECT_FALSE(store.percent(QStringLiteral("name-list-draw")).has_value());
        WindowZoom zoom(&store);
        zoom.zoomIn(QStringLiteral("name-list-draw"));
        zoom.zoomIn(QStringLiteral("name-list-draw"));
    }
    SettingsFile settings;
    SettingsZoomStore later(settings);
    EXPECT_EQ(later.percent(QStringLiteral("name-list-draw")), 125);
    EXPECT_EQ(WindowZoom(&later).percent(QStringLiteral("name-list-draw")), 125);
    EXPECT_FALSE(later.percent(QStringLiteral("main")).has_value());
    // In the user's own settings folder, beside the other settings of the program.
    EXPECT_TRUE(file.endsWith(QStringLiteral("vantrel/vantrel.ini"))) << file.toStdString();
    QFile::remove(file);
}

namespace {

class FormerZoomKeys : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath(QStringLiteral("vantrel.ini")); }
    void writeSettings(const QByteArray& content) { testfiles::write(path(), content); }

private:
    QTemporaryDir dir_;
};

} // namespace

// Users have files in which earlier versions kept the zoom under the windows' design names: each
// window's zoom is found under its role and written there, the former key left for those versions.
TEST_F(FormerZoomKeys, EveryWindowsFormerKeyIsTakenOverUnderItsRole)
{
    QByteArray content("[zoom]\n");
    const WindowKind kinds[] = {WindowKind::Main,        WindowKind::DrawLauncher,
                                WindowKind::ToolStrip,   WindowKind::NameListDraw,
                                WindowKind::SlideDraw,   WindowKind::EnlargedCountdown,
                                WindowKind::SequenceDraw};
    // A different zoom for each window, so that no two roles can swap their keys unseen.
    const int percents[] = {110, 125, 150, 175, 200, 250, 300};
    for (int i = 0; i < 7; ++i)
        content += windowObjectName(kinds[i]).toUtf8() + '=' + QByteArray::number(percents[i]) + '\n';
    writeSettings(content);
    {
        SettingsFile settings(path());
        SettingsZoomStore store(settings);
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(store.percent(windowRoleName(kinds[i])), percents[i])
                << windowRoleName(kinds[i]).toStdString();
    }
    const SettingsFile written(path());
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(written.value(QStringLiteral("zoom/") + windowRoleName(kinds[i])),
                  QString::number(percents[i]));
        EXPECT_EQ(written.value(QStringLiteral("zoom/") + windowObjectName(kinds[i])),
                  QString::number(percents[i]));
    }
}

// Once the role's key is there, it is the zoom: the former key is not read again, neither over a key
// the user has since changed nor over one written by this version from the start.
TEST_F(FormerZoomKeys, TheRolesKeyWinsOverTheFormerOne)
{
    writeSettings("[zoom]\nForm1=150\nForm3=200\ntool-strip=110\n");
    {
        SettingsFile settings(path());
        SettingsZoomStore store(settings);
        EXPECT_EQ(store.percent(QStringLiteral("main")), 150);
        EXPECT_EQ(store.percent(QStringLiteral("tool-strip")), 110);
        WindowZoom(&store).zoomOut(QStringLiteral("main"));
    }
    SettingsFile settings(path());
    SettingsZoomStore later(settings);
    EXPECT_EQ(later.percent(QStringLiteral("main")), 125);
    EXPECT_EQ(later.percent(QStringLiteral("tool-strip")), 110);
    EXPECT_EQ(settings.value(QStringLiteral("zoom/Form1")), QStringLiteral("150"));
}

// Nothing is written for a window that never had a zoom, and a file without zoom keeps its lines.
TEST_F(FormerZoomKeys, ASettingsFileWithoutFormerKeysIsLeftAsItIs)
{
    const QByteArray content("[notices]\ndesktop-native-seen=true\n");
    writeSettings(content);
    SettingsFile settings(path());
    SettingsZoomStore store(settings);
    EXPECT_FALSE(store.percent(QStringLiteral("main")).has_value());
    EXPECT_EQ(testfiles::read(path()), content);
}
