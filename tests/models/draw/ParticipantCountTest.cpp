#include "models/draw/ParticipantCount.h"

#include <gtest/gtest.h>

TEST(ParticipantCount, LeadingNumberReadsTheDecimalNumberAtTheStart)
{
    using participants::leadingNumber;
    EXPECT_FLOAT_EQ(leadingNumber("5"), 5);
    EXPECT_FLOAT_EQ(leadingNumber("037"), 37);
    EXPECT_FLOAT_EQ(leadingNumber("2.5"), 2.5f);
    EXPECT_FLOAT_EQ(leadingNumber("12a"), 12);
    EXPECT_FLOAT_EQ(leadingNumber("1a1"), 1);
    EXPECT_FLOAT_EQ(leadingNumber("5."), 5);
    EXPECT_FLOAT_EQ(leadingNumber(".5"), 0.5f);
    EXPECT_FLOAT_EQ(leadingNumber(""), 0);
    EXPECT_FLOAT_EQ(leadingNumber("a12"), 0);
    EXPECT_FLOAT_EQ(leadingNumber("."), 0);
    EXPECT_FLOAT_EQ(leadingNumber("-3"), 0);
}

TEST(ParticipantCount, ClampKeepsTwoToTwoHundred)
{
    using participants::clamp;
    EXPECT_FLOAT_EQ(clamp(0), 2);
    EXPECT_FLOAT_EQ(clamp(1), 2);
    EXPECT_FLOAT_EQ(clamp(1.5f), 1.5f);
    EXPECT_FLOAT_EQ(clamp(2), 2);
    EXPECT_FLOAT_EQ(clamp(2.5f), 2.5f);
    EXPECT_FLOAT_EQ(clamp(200), 200);
    EXPECT_FLOAT_EQ(clamp(201), 200);
    EXPECT_FLOAT_EQ(clamp(999), 200);
    EXPECT_FLOAT_EQ(clamp(std::numeric_limits<float>::quiet_NaN()), 2);
}
