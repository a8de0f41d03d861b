#include "platform/files/SettingsZoomStore.h"

#include "models/display/WindowZoom.h"
#include "platform/files/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
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
        EXPECT_FALSE(store.percent(QStringLiteral("Form4")).has_value());
        WindowZoom zoom(&store);
        zoom.zoomIn(QStringLiteral("Form4"));
        zoom.zoomIn(QStringLiteral("Form4"));
    }
    SettingsFile settings;
    SettingsZoomStore later(settings);
    EXPECT_EQ(later.percent(QStringLiteral("Form4")), 125);
    EXPECT_EQ(WindowZoom(&later).percent(QStringLiteral("Form4")), 125);
    EXPECT_FALSE(later.percent(QStringLiteral("Form1")).has_value());
    // In the user's own settings folder, beside the other settings of the program.
    EXPECT_TRUE(file.endsWith(QStringLiteral("vantrel/vantrel.ini"))) << file.toStdString();
    QFile::remove(file);
}
