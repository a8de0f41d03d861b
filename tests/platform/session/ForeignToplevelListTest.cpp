#include "platform/session/ForeignToplevelList.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
using Id = ForeignToplevelList::WindowId;
constexpr Id kEditor = 0x10;
constexpr Id kShow = 0x20;
constexpr ForeignToplevelList::OutputId kLaptop = 0x100;
constexpr ForeignToplevelList::OutputId kProjector = 0x200;
const CompositorOutput kLaptopOutput{QStringLiteral("eDP-1"), QRect(0, 0, 1920, 1080)};
const CompositorOutput kProjectorOutput{QStringLiteral("HDMI-A-1"), QRect(1920, 0, 1280, 1024)};
const QString kShowTitle = QStringLiteral("正在演示: deck");

// A window as a compositor announces it: title, states and monitor, closed by done.
void announce(ForeignToplevelList& list, Id id, const QString& title, const QList<quint32>& states = {},
              std::optional<ForeignToplevelList::OutputId> output = std::nullopt)
{
    list.addWindow(id);
    list.setTitle(id, title);
    list.setStates(id, states);
    if (output)
        list.enterOutput(id, *output);
    list.commit(id);
}
} // namespace

// The list shows each window as of its last completed batch, and says when its titles change.
TEST(ForeignToplevelList, TitlesCountFromEachBatchsDoneAndChangesAreReportedOnce)
{
    ForeignToplevelList list;
    QSignalSpy changed(&list, &ForeignToplevelList::titlesChanged);

    list.addWindow(kEditor);
    list.setTitle(kEditor, QStringLiteral("deck.odp - LibreOffice Impress"));
    EXPECT_TRUE(list.titles().isEmpty()) << "a window is listed from its first done on";
    EXPECT_EQ(list.window(kEditor), nullptr);
    list.commit(kEditor);
    EXPECT_EQ(list.titles(), QStringList{QStringLiteral("deck.odp - LibreOffice Impress")});
    EXPECT_EQ(changed.count(), 1);

    // A rename is pending until its done.
    list.setTitle(kEditor, QStringLiteral("deck2.odp - LibreOffice Impress"));
    EXPECT_EQ(list.titles(), QStringList{QStringLiteral("deck.odp - LibreOffice Impress")});
    list.commit(kEditor);
    EXPECT_EQ(list.titles(), QStringList{QStringLiteral("deck2.odp - LibreOffice Impress")});
    EXPECT_EQ(changed.count(), 2);

    // A batch that changes only the state (the window got the focus) leaves the titles alone.
    list.setStates(kEditor, {ForeignToplevelList::Activated});
    list.commit(kEditor);
    EXPECT_EQ(changed.count(), 2);
    ASSERT_NE(list.window(kEditor), nullptr);
    EXPECT_TRUE(list.window(kEditor)->activated);
}

TEST(ForeignToplevelList, TitlesKeepTheWindowsOrderAndLeaveOutEmptyOnesAndClosedWindows)
{
    ForeignToplevelList list;
    announce(list, kEditor, QStringLiteral("deck.odp - LibreOffice Impress"));
    announce(list, 0x30, QString());
    announce(list, kShow, kShowTitle);
    EXPECT_EQ(list.titles(), (QStringList{QStringLiteral("deck.odp - LibreOffice Impress"), kShowTitle}));

    QSignalSpy changed(&list, &ForeignToplevelList::titlesChanged);
    list.removeWindow(kShow);
    EXPECT_EQ(list.titles(), QStringList{QStringLiteral("deck.odp - LibreOffice Impress")});
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(list.window(kShow), nullptr);

    // A window that closes before its first done was never listed.
    list.addWindow(0x40);
    list.setTitle(0x40, QStringLiteral("gone at once"));
    list.removeWindow(0x40);
    EXPECT_EQ(changed.count(), 1);

    // A handle handed out again is a new window: nothing of the old one is shown under it.
    list.addWindow(kEditor);
    EXPECT_TRUE(list.titles().isEmpty());
    EXPECT_EQ(changed.count(), 2);

    announce(list, kShow, kShowTitle);
    list.clear();
    EXPECT_TRUE(list.titles().isEmpty());
    EXPECT_EQ(changed.count(), 4);
}

TEST(ForeignToplevelList, StatesAreThoseNamedInTheLastBatchUnknownCodesSkipped)
{
    ForeignToplevelList list;
    announce(list, kShow, kShowTitle, {ForeignToplevelList::FullScreen, ForeignToplevelList::Activated, 99});
    const ForeignToplevelList::Window* shown = list.window(kShow);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->fullScreen);
    EXPECT_TRUE(shown->activated);
    EXPECT_FALSE(shown->maximized);
    EXPECT_FALSE(shown->minimized);

    list.setStates(kShow, {ForeignToplevelList::Minimized, ForeignToplevelList::Maximized});
    list.commit(kShow);
    shown = list.window(kShow);
    EXPECT_FALSE(shown->fullScreen);
    EXPECT_FALSE(shown->activated);
    EXPECT_TRUE(shown->maximized);
    EXPECT_TRUE(shown->minimized);
}

// Where a show is: the monitor it fills, as the compositor described that monitor.
TEST(ForeignToplevelList, AFullScreenWindowsMonitorIsFoundByItsExactTitle)
{
    ForeignToplevelList list;
    list.setOutput(kLaptop, kLaptopOutput);
    list.setOutput(kProjector, kProjectorOutput);
    announce(list, kEditor, QStringLiteral("deck.odp - LibreOffice Impress"), {}, kLaptop);
    announce(list, kShow, kShowTitle, {ForeignToplevelList::FullScreen}, kProjector);

    EXPECT_EQ(list.fullScreenOutputOf(kShowTitle), kProjectorOutput);
    EXPECT_FALSE(list.fullScreenOutputOf(QStringLiteral("正在演示")).has_value()) << "a part of a title";
    EXPECT_FALSE(list.fullScreenOutputOf(QStringLiteral("deck.odp - LibreOffice Impress")).has_value())
        << "a window that is not full screen";

    // Moved to the laptop's screen in one batch: left one monitor, entered the other.
    list.leaveOutput(kShow, kProjector);
    list.enterOutput(kShow, kLaptop);
    EXPECT_EQ(list.fullScreenOutputOf(kShowTitle), kProjectorOutput) << "before its done";
    list.commit(kShow);
    EXPECT_EQ(list.fullScreenOutputOf(kShowTitle), kLaptopOutput);

    // Out of full screen: no longer a whole monitor.
    list.setStates(kShow, {});
    list.commit(kShow);
    EXPECT_FALSE(list.fullScreenOutputOf(kShowTitle).has_value());
}

TEST(ForeignToplevelList, OfTwoFullScreenWindowsOfOneTitleTheActiveOneCounts)
{
    ForeignToplevelList list;
    list.setOutput(kLaptop, kLaptopOutput);
    list.setOutput(kProjector, kProjectorOutput);
    announce(list, kEditor, kShowTitle, {ForeignToplevelList::FullScreen}, kLaptop);
    announce(list, kShow, kShowTitle, {ForeignToplevelList::FullScreen, ForeignToplevelList::Activated},
             kProjector);
    EXPECT_EQ(list.fullScreenOutputOf(kShowTitle), kProjectorOutput);

    list.setStates(kShow, {ForeignToplevelList::FullScreen});
    list.commit(kShow);
    EXPECT_EQ(list.fullScreenOutputOf(kShowTitle), kLaptopOutput) << "none active: the first";
}

TEST(ForeignToplevelList, AMonitorThatIsUnknownOrUnpluggedGivesNoPlace)
{
    ForeignToplevelList list;
    announce(list, kShow, kShowTitle, {ForeignToplevelList::FullScreen}, kProjector);
    EXPECT_FALSE(list.fullScreenOutputOf(kShowTitle).has_value()) << "not yet described";

    list.setOutput(kProjector, kProjectorOutput);
    EXPECT_EQ(list.fullScreenOutputOf(kShowTitle), kProjectorOutput);
    list.setOutput(kProjector, {kProjectorOutput.name, QRect(1920, 0, 1920, 1080)});
    EXPECT_EQ(list.fullScreenOutputOf(kShowTitle)->logical, QRect(1920, 0, 1920, 1080)) << "a new mode";

    // Unplugged without the compositor saying that the window left it.
    list.removeOutput(kProjector);
    EXPECT_FALSE(list.fullScreenOutputOf(kShowTitle).has_value());
    list.setOutput(kProjector, kProjectorOutput);
    EXPECT_FALSE(list.fullScreenOutputOf(kShowTitle).has_value()) << "a monitor plugged in again is new";
    EXPECT_TRUE(list.window(kShow)->outputs.isEmpty());
}
