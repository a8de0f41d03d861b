#include "platform/session/QtOnlyWindowSystem.h"

#include "platform/WindowSystem.h"

#include <QWidget>
#include <gtest/gtest.h>

TEST(QtOnlyWindowSystem, SeesOurOwnShownWindowsOnly)
{
    QtOnlyWindowSystem windows;
    QWidget show;
    show.setWindowTitle(QStringLiteral("正在演示: deck"));
    QWidget untitled;
    EXPECT_FALSE(windows.topLevelTitles().contains(show.windowTitle()));
    show.show();
    untitled.show();
    // Our built-in show is found by its title, as on any other desktop.
    EXPECT_TRUE(windows.topLevelTitles().contains(show.windowTitle()));
    EXPECT_FALSE(windows.topLevelTitles().contains(QString()));
    show.hide();
    EXPECT_FALSE(windows.topLevelTitles().contains(show.windowTitle()));
}

TEST(QtOnlyWindowSystem, StackingIsOnlyAskedForAndNoKeyIsEverDown)
{
    QtOnlyWindowSystem windows;
    QWidget strip;
    strip.show();
    windows.keepAboveFullScreen(&strip);
    // An X11 bypass of the window manager has no meaning on Wayland; the window stays shown.
    EXPECT_TRUE(strip.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(strip.windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
    EXPECT_TRUE(strip.isVisible());
    EXPECT_FALSE(windows.isKeyDown(Keys::F9));
    EXPECT_FALSE(windows.isKeyDown(Keys::F11));
}
