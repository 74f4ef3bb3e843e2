#include "Core/TextAlignment.h"
#include <gtest/gtest.h>

TEST(TextAlignment, SignedAlignmentsMakeFlagsAndReadBack)
{
    struct Case
    {
        s32 horizontal;
        s32 vertical;
        AlignmentFlags flags;
        s32 readHorizontal;
        s32 readVertical;
    };
    const Case cases[] = {
        {1, -1, 10, 1, -1}, {-1, 1, 5, -1, 1},
        {0, 0, 0, 0, 0},    {5, 2, 0, 0, 0}, // only -1 and +1 count
        {-1, 0, 1, -1, 0},  {0, -1, 8, 0, -1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.horizontal << ", " << c.vertical);
        const AlignmentFlags flags = MakeAlignmentFlags(c.horizontal, c.vertical);
        EXPECT_EQ(flags, c.flags);
        EXPECT_EQ(GetHorizontalAlignment(flags), c.readHorizontal);
        EXPECT_EQ(GetVerticalAlignment(flags), c.readVertical);
    }
}

TEST(TextAlignment, ContradictoryBitsReadAsLeftAndBottom)
{
    EXPECT_EQ(GetHorizontalAlignment(ALIGN_LEFT | ALIGN_RIGHT), -1);
    EXPECT_EQ(GetVerticalAlignment(ALIGN_TOP | ALIGN_BOTTOM), -1);
}

TEST(TextAlignment, HasFlagIsTrueForAnyOfTheBits)
{
    EXPECT_TRUE(HasAlignmentFlag(ALIGN_RIGHT | ALIGN_TOP, ALIGN_TOP));
    EXPECT_TRUE(HasAlignmentFlag(ALIGN_RIGHT, ALIGN_LEFT | ALIGN_RIGHT));
    EXPECT_FALSE(HasAlignmentFlag(ALIGN_RIGHT | ALIGN_TOP, ALIGN_BOTTOM));
    EXPECT_FALSE(HasAlignmentFlag(ALIGN_CENTER, ALIGN_LEFT));
}
