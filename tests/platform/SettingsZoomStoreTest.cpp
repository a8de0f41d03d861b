#include "platform/SettingsZoomStore.h"

#include "models/display/WindowZoom.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

// The zoom of a kind of window outlives the run: a later store reads what an earlier one saved.
TEST(SettingsZoomStore, AZoomSavedInOneRunIsReadByTheNext)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString file = QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vantrel"),
                                   QStringLiteral("vantrel"))
                             .fileName();
    QFile::remove(file);
    {
        SettingsZoomStore store;
        EXPECT_FALSE(store.percent(QStringLiteral("Form4")).has_value());
        WindowZoom zoom(&store);
        zoom.zoomIn(QStringLiteral("Form4"));
        zoom.zoomIn(QStringLiteral("Form4"));
    }
    SettingsZoomStore later;
    EXPECT_EQ(later.percent(QStringLiteral("Form4")), 125);
    EXPECT_EQ(WindowZoom(&later).percent(QStringLiteral("Form4")), 125);
    EXPECT_FALSE(later.percent(QStringLiteral("Form1")).has_value());
    // In the user's own settings folder, beside the other settings of the program.
    EXPECT_TRUE(file.endsWith(QStringLiteral("vantrel/vantrel.ini"))) << file.toStdString();
    QFile::remove(file);
}
