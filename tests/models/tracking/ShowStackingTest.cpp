#include "models/tracking/ShowStacking.h"

#include <gtest/gtest.h>

// What the program shows is seen over a show that has the keyboard, and goes back to the window
// manager once another program's ordinary window, or a question of ours, has it; a window kept above
// that the teacher clicked is left as it is, whatever the titles say.
TEST(ShowStacking, FollowsWhichWindowHasTheKeyboard)
{
    using showstacking::keepAbove;
    for (bool showSeen : {false, true}) {
        EXPECT_EQ(keepAbove(FocusedWindow::FullScreen, showSeen), true);
        EXPECT_EQ(keepAbove(FocusedWindow::Other, showSeen), false);
        EXPECT_EQ(keepAbove(FocusedWindow::Ours, showSeen), false);
        EXPECT_EQ(keepAbove(FocusedWindow::OursAbove, showSeen), std::nullopt);
    }
}

// A native show on a Wayland desktop is not a window the X server knows: its title decides.
TEST(ShowStacking, UnknownKeyboardOwnerFallsBackOnTheShowTitle)
{
    using showstacking::keepAbove;
    for (FocusedWindow focused : {FocusedWindow::None, FocusedWindow::Unknown}) {
        EXPECT_EQ(keepAbove(focused, true), true);
        EXPECT_EQ(keepAbove(focused, false), false);
    }
}
