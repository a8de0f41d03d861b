#include "platform/session/DesktopNotice.h"

#include "platform/files/SettingsFile.h"
#include "support/ScriptedDialogs.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class DesktopNoticeTest : public ::testing::Test {
protected:
    QString settingsFile() const { return dir_.filePath(QStringLiteral("vantrel.ini")); }

    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
};
} // namespace

TEST(DesktopNoticeText, SaysWhatIsMissingAndTheWayAround)
{
    EXPECT_TRUE(DesktopNotice::text(DesktopSession::featuresOf(SessionKind::X11)).isEmpty());

    const QString xwayland =
        DesktopNotice::text(DesktopSession::featuresOf(SessionKind::WaylandThroughXWayland));
    EXPECT_TRUE(xwayland.contains(QStringLiteral("F9 和 F11 只在本软件的窗口为当前窗口时有效")));
    EXPECT_TRUE(xwayland.contains(QStringLiteral("托盘")));
    EXPECT_TRUE(xwayland.contains(QStringLiteral("自带的放映")));
    // Through XWayland the windows still place themselves: no word of it, nor of installing XWayland.
    EXPECT_FALSE(xwayland.contains(QStringLiteral("摆放")));
    EXPECT_FALSE(xwayland.contains(QStringLiteral("xwayland")));

    const QString native = DesktopNotice::text(DesktopSession::featuresOf(SessionKind::WaylandNative));
    EXPECT_TRUE(native.contains(QStringLiteral("窗口不能自行摆放")));
    EXPECT_TRUE(native.contains(QStringLiteral("工具条不一定能留在全屏放映的上面")));
    EXPECT_TRUE(native.contains(QStringLiteral("F9 和 F11 不起作用")));
    EXPECT_TRUE(native.contains(QStringLiteral("软件包 xwayland")));
}

TEST_F(DesktopNoticeTest, ShownOnceForEachKindOfDesktopAcrossStarts)
{
    {
        SettingsFile settings(settingsFile());
        EXPECT_TRUE(DesktopNotice(settings).showOnce(dialogs_, nullptr, SessionKind::WaylandThroughXWayland));
        EXPECT_FALSE(
            DesktopNotice(settings).showOnce(dialogs_, nullptr, SessionKind::WaylandThroughXWayland));
    }
    ASSERT_EQ(dialogs_.shown.size(), 1);
    EXPECT_EQ(dialogs_.shown[0].kind, ScriptedDialogs::Kind::Inform);
    EXPECT_EQ(dialogs_.shown[0].title, QStringLiteral("Vantrel工具提示："));
    EXPECT_EQ(dialogs_.shown[0].icon, MessageIcon::Information);

    // The next start reads the same settings file.
    SettingsFile later(settingsFile());
    EXPECT_FALSE(DesktopNotice(later).showOnce(dialogs_, nullptr, SessionKind::WaylandThroughXWayland));
    // A desktop that lacks more has its own notice.
    EXPECT_TRUE(DesktopNotice(later).showOnce(dialogs_, nullptr, SessionKind::WaylandNative));
    // Nothing is missing on X11: no notice, ever.
    EXPECT_FALSE(DesktopNotice(later).showOnce(dialogs_, nullptr, SessionKind::X11));
    EXPECT_EQ(dialogs_.shown.size(), 2);
}

TEST_F(DesktopNoticeTest, KeysTheDesktopBindsAreNotCalledMissing)
{
    SettingsFile settings(settingsFile());
    SessionFeatures plasma = DesktopSession::featuresOf(SessionKind::WaylandThroughXWayland);
    plasma.keys = GlobalKeys::Everywhere;
    ASSERT_TRUE(
        DesktopNotice(settings).showOnce(dialogs_, nullptr, SessionKind::WaylandThroughXWayland, plasma));
    ASSERT_EQ(dialogs_.shown.size(), 1);
    EXPECT_FALSE(dialogs_.shown[0].text.contains(QStringLiteral("F9")));
    EXPECT_FALSE(dialogs_.shown[0].text.contains(QStringLiteral("托盘")));
    EXPECT_TRUE(dialogs_.shown[0].text.contains(QStringLiteral("自带的放映")));
}

TEST_F(DesktopNoticeTest, CountsAsSeenOnlyOnceTheUserHasClosedIt)
{
    SettingsFile settings(settingsFile());
    QStringList storedWhileOpen{QStringLiteral("not asked")};
    dialogs_.answerNext(Answer::Ok,
                        [&] { storedWhileOpen = QSettings(settingsFile(), QSettings::IniFormat).allKeys(); });
    EXPECT_TRUE(DesktopNotice(settings).showOnce(dialogs_, nullptr, SessionKind::WaylandNative));
    // A program killed while the notice was open shows it again at the next start.
    EXPECT_TRUE(storedWhileOpen.isEmpty()) << storedWhileOpen.join(',').toStdString();
    // Saved where QSettings, which wrote this file before, finds it too.
    EXPECT_TRUE(QSettings(settingsFile(), QSettings::IniFormat)
                    .value(QStringLiteral("notices/desktop-wayland-seen"))
                    .toBool());
    SettingsFile after(settingsFile());
    EXPECT_FALSE(DesktopNotice(after).showOnce(dialogs_, nullptr, SessionKind::WaylandNative));
}
