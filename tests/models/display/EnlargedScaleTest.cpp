#include "models/display/EnlargedScale.h"

#include <gtest/gtest.h>

TEST(EnlargedScale, DesignedSizeUpToTheDesignScreenThenGrowsWithTheSmallerSide)
{
    EXPECT_DOUBLE_EQ(enlargedScale({1024 * 15, 768 * 15}), 1.0);
    EXPECT_DOUBLE_EQ(enlargedScale({800 * 15, 600 * 15}), 1.0);
    EXPECT_DOUBLE_EQ(enlargedScale({1920 * 15, 1080 * 15}), 1080.0 / 768.0);
    // A very wide screen grows by its height, so the window still fits vertically.
    EXPECT_DOUBLE_EQ(enlargedScale({3440 * 15, 1440 * 15}), 1440.0 / 768.0);
    // A tall screen grows by its width.
    EXPECT_DOUBLE_EQ(enlargedScale({1536 * 15, 2048 * 15}), 1536.0 / 1024.0);
}

TEST(EnlargedScale, AnUnknownScreenKeepsTheDesignedSize)
{
    EXPECT_DOUBLE_EQ(enlargedScale({0, 0}), 1.0);
    EXPECT_DOUBLE_EQ(enlargedScale({1920 * 15, 0}), 1.0);
    EXPECT_DOUBLE_EQ(enlargedScale({-1, 1080 * 15}), 1.0);
}
