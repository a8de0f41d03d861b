#include "platform/session/ForeignToplevels.h"

#include "FakeCompositor.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const QString kShowTitle = QStringLiteral("正在演示: deck");
const QString kEditorTitle = QStringLiteral("deck.odp - LibreOffice Impress");
constexpr quint32 kFullScreen = ForeignToplevelList::FullScreen;
constexpr quint32 kActivated = ForeignToplevelList::Activated;

// WAYLAND_DISPLAY names the compositor for the test's length.
class ConnectedTo {
public:
    explicit ConnectedTo(const QString& socket) : saved_(qgetenv("WAYLAND_DISPLAY"))
    {
        qputenv("WAYLAND_DISPLAY", socket.toLocal8Bit());
    }
    ~ConnectedTo() { qputenv("WAYLAND_DISPLAY", saved_); }

private:
    QByteArray saved_;
};
} // namespace

TEST(ForeignToplevels, StartsOnlyWhereACompositorOffersItsWindowList)
{
    {
        ConnectedTo nowhere{QString()};
        ForeignToplevels toplevels;
        EXPECT_FALSE(toplevels.start()) << "no WAYLAND_DISPLAY";
    }
    FakeCompositor withoutList(false);
    ASSERT_TRUE(withoutList.isRunning());
    {
        ConnectedTo compositor(withoutList.socketName());
        ForeignToplevels toplevels;
        EXPECT_FALSE(toplevels.start());
        EXPECT_FALSE(toplevels.isConnected());
        // A connection of no use is not kept open.
        for (int i = 0; i < 100 && withoutList.clients() > 0; ++i)
            QTest::qWait(10);
        EXPECT_EQ(withoutList.clients(), 0);
    }
    {
        ConnectedTo gone(withoutList.runtimeDir() + QStringLiteral("/wayland-none"));
        ForeignToplevels toplevels;
        EXPECT_FALSE(toplevels.start());
    }
}

TEST(ForeignToplevels, TheWindowsThereAreAtStartAndTheirMonitorsAreKnownWhenStartReturns)
{
    FakeCompositor compositor;
    ASSERT_TRUE(compositor.isRunning());
    compositor.openWindow(kEditorTitle, {}, 0);
    compositor.openWindow(kShowTitle, {kFullScreen, kActivated}, 1);
    ConnectedTo connected(compositor.socketName());
    ForeignToplevels toplevels;
    ASSERT_TRUE(toplevels.start());
    EXPECT_EQ(toplevels.windows().titles(), (QStringList{kEditorTitle, kShowTitle}));
    // Named and placed as xdg-output tells: the second monitor, right of the first.
    const std::optional<CompositorOutput> monitor = toplevels.windows().fullScreenOutputOf(kShowTitle);
    ASSERT_TRUE(monitor.has_value());
    EXPECT_EQ(monitor->name, QStringLiteral("HEADLESS-2"));
    EXPECT_EQ(monitor->logical, QRect(1920, 0, 1280, 1024));
    EXPECT_FALSE(toplevels.windows().fullScreenOutputOf(kEditorTitle).has_value());
}

// After the start, the list follows the compositor as it writes, through the event loop.
TEST(ForeignToplevels, WindowsOpenedRenamedAndClosedLaterAreFollowed)
{
    FakeCompositor compositor;
    ConnectedTo connected(compositor.socketName());
    ForeignToplevels toplevels;
    ASSERT_TRUE(toplevels.start());
    EXPECT_TRUE(toplevels.windows().titles().isEmpty());
    QSignalSpy changed(&toplevels.windows(), &ForeignToplevelList::titlesChanged);

    const int show = compositor.openWindow(QStringLiteral("foot"), {kFullScreen}, 0);
    ASSERT_TRUE(changed.wait(2000));
    EXPECT_EQ(toplevels.windows().titles(), QStringList{QStringLiteral("foot")});

    compositor.renameWindow(show, kShowTitle);
    ASSERT_TRUE(changed.wait(2000));
    EXPECT_EQ(toplevels.windows().titles(), QStringList{kShowTitle});
    EXPECT_EQ(toplevels.windows().fullScreenOutputOf(kShowTitle)->name, QStringLiteral("HEADLESS-1"));

    compositor.closeWindow(show);
    ASSERT_TRUE(changed.wait(2000));
    EXPECT_TRUE(toplevels.windows().titles().isEmpty());
    // The closed window's handle goes back to the compositor.
    for (int i = 0; i < 100 && compositor.handlesReleased() == 0; ++i)
        QTest::qWait(10);
    EXPECT_EQ(compositor.handlesReleased(), 1);
}

TEST(ForeignToplevels, ACompositorThatEndsLeavesNoWindowsBehind)
{
    FakeCompositor compositor;
    compositor.openWindow(kShowTitle, {kFullScreen}, 0);
    ConnectedTo connected(compositor.socketName());
    ForeignToplevels toplevels;
    ASSERT_TRUE(toplevels.start());
    ASSERT_EQ(toplevels.windows().titles(), QStringList{kShowTitle});
    QSignalSpy changed(&toplevels.windows(), &ForeignToplevelList::titlesChanged);

    compositor.quit();
    ASSERT_TRUE(changed.wait(2000));
    EXPECT_TRUE(toplevels.windows().titles().isEmpty());
    EXPECT_FALSE(toplevels.windows().fullScreenOutputOf(kShowTitle).has_value());
}
