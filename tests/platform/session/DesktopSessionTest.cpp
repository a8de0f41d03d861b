#include "platform/session/DesktopSession.h"

#include <gtest/gtest.h>

namespace {
// A probe that counts how often it is asked.
struct CountingProbe {
    XServerProbe answer;
    int calls = 0;
    std::function<XServerProbe()> function()
    {
        return [this] {
            ++calls;
            return answer;
        };
    }
};

const XServerProbe kXWayland{true, true};
const XServerProbe kPlainXServer{true, false};
const XServerProbe kNoXServer{false, false};
} // namespace

TEST(DesktopSession, AnX11SessionIsLeftAsItIsWithoutProbing)
{
    CountingProbe probe{kXWayland};
    for (const QString& type : {QString(), QStringLiteral("x11"), QStringLiteral("tty")}) {
        const DesktopSession session = DesktopSession::detect({{}, type, {}}, probe.function());
        EXPECT_EQ(session.kind(), SessionKind::X11) << type.toStdString();
        EXPECT_TRUE(session.platformToRequest().isEmpty());
    }
    EXPECT_EQ(probe.calls, 0);
}

TEST(DesktopSession, OnWaylandOurWindowsGoThroughXWaylandWhereItAnswers)
{
    CountingProbe probe{kXWayland};
    const DesktopSession session = DesktopSession::detect(
        {QStringLiteral("wayland-0"), QStringLiteral("wayland"), {}}, probe.function());
    EXPECT_EQ(session.kind(), SessionKind::WaylandThroughXWayland);
    EXPECT_EQ(session.platformToRequest(), QStringLiteral("xcb"));
    EXPECT_EQ(probe.calls, 1);

    // Either sign of a Wayland session is enough: the display alone, or the session type alone.
    EXPECT_EQ(DesktopSession::detect({QStringLiteral("wayland-1"), {}, {}}, probe.function()).kind(),
              SessionKind::WaylandThroughXWayland);
    EXPECT_EQ(DesktopSession::detect({{}, QStringLiteral("Wayland"), {}}, probe.function()).kind(),
              SessionKind::WaylandThroughXWayland);
}

TEST(DesktopSession, APlainXServerBesideWaylandIsAnX11DesktopForOurWindows)
{
    CountingProbe probe{kPlainXServer};
    const DesktopSession session = DesktopSession::detect(
        {QStringLiteral("wayland-0"), QStringLiteral("wayland"), {}}, probe.function());
    EXPECT_EQ(session.kind(), SessionKind::X11);
    // The toolkit would otherwise take the Wayland display.
    EXPECT_EQ(session.platformToRequest(), QStringLiteral("xcb"));
}

TEST(DesktopSession, WithoutAnXServerOurWindowsAreNativeWaylandWindows)
{
    CountingProbe probe{kNoXServer};
    const DesktopSession session = DesktopSession::detect(
        {QStringLiteral("wayland-0"), QStringLiteral("wayland"), {}}, probe.function());
    EXPECT_EQ(session.kind(), SessionKind::WaylandNative);
    EXPECT_TRUE(session.platformToRequest().isEmpty());
    // No probe at all counts as no X server.
    EXPECT_EQ(DesktopSession::detect({QStringLiteral("wayland-0"), {}, {}}, {}).kind(),
              SessionKind::WaylandNative);
}

TEST(DesktopSession, ThePlatformTheUserChoseIsKept)
{
    CountingProbe probe{kXWayland};
    const DesktopSession wayland = DesktopSession::detect(
        {QStringLiteral("wayland-0"), QStringLiteral("wayland"), QStringLiteral("wayland")},
        probe.function());
    EXPECT_EQ(wayland.kind(), SessionKind::WaylandNative);
    EXPECT_TRUE(wayland.platformToRequest().isEmpty());
    EXPECT_EQ(probe.calls, 0) << "asking for Wayland windows must not wake an X server";

    const DesktopSession xcb = DesktopSession::detect(
        {QStringLiteral("wayland-0"), QStringLiteral("wayland"), QStringLiteral("xcb")}, probe.function());
    EXPECT_EQ(xcb.kind(), SessionKind::WaylandThroughXWayland);
    EXPECT_TRUE(xcb.platformToRequest().isEmpty());
}

TEST(DesktopSession, WindowsOnQtsWaylandPlatformAreNativeWhateverWasDecided)
{
    CountingProbe probe{kXWayland};
    const DesktopSession session = DesktopSession::detect(
        {QStringLiteral("wayland-0"), QStringLiteral("wayland"), {}}, probe.function());
    EXPECT_EQ(session.kindOnPlatform(QStringLiteral("xcb")), SessionKind::WaylandThroughXWayland);
    EXPECT_EQ(session.kindOnPlatform(QStringLiteral("wayland")), SessionKind::WaylandNative);
    EXPECT_EQ(session.kindOnPlatform(QStringLiteral("wayland-egl")), SessionKind::WaylandNative);

    const DesktopSession x11 = DesktopSession::detect({}, probe.function());
    EXPECT_EQ(x11.kindOnPlatform(QStringLiteral("xcb")), SessionKind::X11);
    // Tests run the program offscreen on an X11 desktop: that stays the X11 path.
    EXPECT_EQ(x11.kindOnPlatform(QStringLiteral("offscreen")), SessionKind::X11);
}

TEST(DesktopSession, WhatWorksOnEachKindOfSession)
{
    EXPECT_TRUE(DesktopSession::featuresOf(SessionKind::X11).isComplete());

    const SessionFeatures xwayland = DesktopSession::featuresOf(SessionKind::WaylandThroughXWayland);
    EXPECT_FALSE(xwayland.isComplete());
    EXPECT_TRUE(xwayland.placesWindows);
    EXPECT_TRUE(xwayland.staysAboveFullScreen);
    EXPECT_EQ(xwayland.keys, GlobalKeys::WhileOursFocused);
    EXPECT_EQ(xwayland.titles, OtherWindowTitles::X11Only);

    const SessionFeatures native = DesktopSession::featuresOf(SessionKind::WaylandNative);
    EXPECT_FALSE(native.placesWindows);
    EXPECT_FALSE(native.staysAboveFullScreen);
    EXPECT_EQ(native.keys, GlobalKeys::None);
    EXPECT_EQ(native.titles, OtherWindowTitles::OwnOnly);
}
