#include "platform/session/OutputScreenMatch.h"

#include <gtest/gtest.h>

namespace {
const QList<ScreenArea> kTwoScreens{{QStringLiteral("eDP-1"), QRect(0, 0, 1920, 1080)},
                                    {QStringLiteral("HDMI-A-1"), QRect(1920, 0, 1280, 1024)}};
}

TEST(OutputScreenMatch, TheScreenOfTheSameNameWinsOverPlaces)
{
    EXPECT_EQ(screenOfOutput({QStringLiteral("HDMI-A-1"), QRect(1920, 0, 1280, 1024)}, kTwoScreens), 1);
    // The names are what Qt's Wayland platform takes from the compositor; a place counted
    // differently does not mislead.
    EXPECT_EQ(screenOfOutput({QStringLiteral("HDMI-A-1"), QRect(0, 0, 1920, 1080)}, kTwoScreens), 1);
    EXPECT_EQ(screenOfOutput({QStringLiteral("eDP-1"), QRect()}, kTwoScreens), 0);
}

TEST(OutputScreenMatch, WithoutAKnownNameThePlaceDecides)
{
    // XWayland names its screens otherwise.
    const QList<ScreenArea> unnamed{{QStringLiteral("XWAYLAND0"), QRect(0, 0, 1920, 1080)},
                                    {QStringLiteral("XWAYLAND1"), QRect(1920, 0, 1280, 1024)}};
    EXPECT_EQ(screenOfOutput({QStringLiteral("HDMI-A-1"), QRect(1920, 0, 1280, 1024)}, unnamed), 1);
    EXPECT_EQ(screenOfOutput({QString(), QRect(0, 0, 1920, 1080)}, unnamed), 0);
    // A scaled monitor counted in other pixels: the screen it overlaps most.
    EXPECT_EQ(screenOfOutput({QString(), QRect(1920, 0, 640, 512)}, unnamed), 1);
    EXPECT_EQ(screenOfOutput({QString(), QRect(1800, 0, 1280, 1024)}, unnamed), 1);
}

TEST(OutputScreenMatch, NoScreenWhenNothingTells)
{
    EXPECT_EQ(screenOfOutput({QString(), QRect()}, kTwoScreens), -1);
    EXPECT_EQ(screenOfOutput({QStringLiteral("DP-3"), QRect()}, kTwoScreens), -1);
    EXPECT_EQ(screenOfOutput({QStringLiteral("DP-3"), QRect(5000, 0, 800, 600)}, kTwoScreens), -1);
    EXPECT_EQ(screenOfOutput({QStringLiteral("eDP-1"), QRect(0, 0, 1920, 1080)}, {}), -1);
}
