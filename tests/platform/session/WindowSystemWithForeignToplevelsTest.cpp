#include "platform/session/WindowSystemWithForeignToplevels.h"

#include "platform/session/ForeignToplevelList.h"
#include "support/FakeWindowSystem.h"

#include <gtest/gtest.h>

namespace {
const QString kShowTitle = QStringLiteral("正在演示: deck");
constexpr ForeignToplevelList::OutputId kProjector = 0x200;
constexpr ForeignToplevelList::WindowId kShow = 0x20;

// A laptop and a projector to its right, as the toolkit sees them.
QList<ScreenArea> laptopAndProjector()
{
    return {{QStringLiteral("eDP-1"), QRect(0, 0, 1920, 1080)},
            {QStringLiteral("HDMI-A-1"), QRect(1920, 0, 1280, 1024)}};
}

void showFullScreen(ForeignToplevelList& list, ForeignToplevelList::WindowId id, const QString& title,
                    bool fullScreen = true)
{
    list.addWindow(id);
    list.setTitle(id, title);
    list.setStates(id, fullScreen ? QList<quint32>{ForeignToplevelList::FullScreen} : QList<quint32>{});
    list.enterOutput(id, kProjector);
    list.commit(id);
}
} // namespace

TEST(WindowSystemWithForeignToplevels, TitlesAreTheDesktopsThenTheCompositorsEachOnce)
{
    FakeWindowSystem x11;
    x11.titles = {QStringLiteral("Vantrel工具"), QStringLiteral("xterm")};
    ForeignToplevelList list;
    WindowSystemWithForeignToplevels windows(x11, list, laptopAndProjector);
    // The compositor lists the XWayland windows too.
    showFullScreen(list, 0x1, QStringLiteral("Vantrel工具"), false);
    showFullScreen(list, kShow, kShowTitle);
    EXPECT_EQ(windows.topLevelTitles(),
              (QStringList{QStringLiteral("Vantrel工具"), QStringLiteral("xterm"), kShowTitle}));

    list.removeWindow(kShow);
    EXPECT_EQ(windows.topLevelTitles(),
              (QStringList{QStringLiteral("Vantrel工具"), QStringLiteral("xterm")}));
}

TEST(WindowSystemWithForeignToplevels, ChangesAreReportedOnlyWhenBothListsReportThem)
{
    ForeignToplevelList list;
    FakeWindowSystem polled;
    WindowSystemWithForeignToplevels overPolled(polled, list, laptopAndProjector);
    EXPECT_FALSE(overPolled.reportTitleChanges([] {})) << "the caller must keep reading the titles";

    FakeWindowSystem reporting;
    reporting.reportsEvents = true;
    WindowSystemWithForeignToplevels windows(reporting, list, laptopAndProjector);
    int reports = 0;
    ASSERT_TRUE(windows.reportTitleChanges([&reports] { ++reports; }));
    showFullScreen(list, kShow, kShowTitle);
    EXPECT_EQ(reports, 1);
    reporting.setTitles({QStringLiteral("xterm")});
    EXPECT_EQ(reports, 2);
    list.removeWindow(kShow);
    EXPECT_EQ(reports, 3);
}

TEST(WindowSystemWithForeignToplevels, AFullScreenNativeShowIsItsMonitorInTwips)
{
    FakeWindowSystem x11; // 15 twips a pixel
    ForeignToplevelList list;
    WindowSystemWithForeignToplevels windows(x11, list, laptopAndProjector);
    list.setOutput(kProjector, {QStringLiteral("HDMI-A-1"), QRect(1920, 0, 1280, 1024)});
    EXPECT_FALSE(windows.windowRectTwips(kShowTitle).has_value());

    showFullScreen(list, kShow, kShowTitle);
    EXPECT_EQ(windows.windowRectTwips(kShowTitle), QRect(1920 * 15, 0, 1280 * 15, 1024 * 15));

    // An X11 window (or our own show) of that title is known exactly: its place counts.
    x11.windowRects[kShowTitle] = QRect(0, 0, 1920 * 15, 1080 * 15);
    EXPECT_EQ(windows.windowRectTwips(kShowTitle), QRect(0, 0, 1920 * 15, 1080 * 15));
}

TEST(WindowSystemWithForeignToplevels, NoPlaceForAWindowNotFullScreenOrOnAMonitorWeDoNotShow)
{
    FakeWindowSystem x11;
    ForeignToplevelList list;
    list.setOutput(kProjector, {QStringLiteral("DP-7"), QRect(5000, 0, 800, 600)});
    WindowSystemWithForeignToplevels windows(x11, list, laptopAndProjector);
    showFullScreen(list, kShow, kShowTitle);
    EXPECT_FALSE(windows.windowRectTwips(kShowTitle).has_value()) << "a monitor none of our screens shows";

    showFullScreen(list, 0x30, QStringLiteral("deck.odp - LibreOffice Impress"), false);
    list.setOutput(kProjector, {QStringLiteral("HDMI-A-1"), QRect()});
    EXPECT_FALSE(windows.windowRectTwips(QStringLiteral("deck.odp - LibreOffice Impress")).has_value());
}
