#include "Math/MathUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

using namespace Math;

TEST(MathUtils, RoundToIntRoundsHalvesAwayFromZero)
{
    const struct
    {
        f32 input;
        s32 expected;
    } cases[] = {{0.5f, 1},    {-0.5f, -1},         {0.49f, 0},
                 {2.5f, 3},    {-2.5f, -3},         {-1.49f, -1},
                 {-1.51f, -2}, {1e20f, 2147483647}, {-1e20f, -2147483647 - 1}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(RoundToInt(c.input), c.expected) << "input " << c.input;
    }
}

TEST(MathUtils, RandIsFifteenBitAndReseedable)
{
    SeedRand(1);
    const s32 first = Rand();
    const s32 second = Rand();
    // The classic generator's first outputs from seed 1.
    EXPECT_EQ(first, 16838);
    EXPECT_EQ(second, 5758);
    SeedRand(1);
    EXPECT_EQ(Rand(), first);

    s32 lowest = RAND_LIMIT, highest = 0;
    for (int i = 0; i < 100000; ++i)
    {
        const s32 r = Rand();
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_GE(lowest, 0);
    EXPECT_LE(highest, RAND_LIMIT);
    EXPECT_GT(highest, RAND_LIMIT - 100);
}

TEST(MathUtils, RandomIntStaysWithinItsBounds)
{
    SeedRand(7);
    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 1000; ++i)
    {
        const s32 value = RandomInt(-3, 3);
        ASSERT_GE(value, -3);
        ASSERT_LE(value, 3);
        sawLow |= value == -3;
        sawHigh |= value == 3;
        const u32 unsignedValue = RandomInt(10u, 20u);
        ASSERT_GE(unsignedValue, 10u);
        ASSERT_LE(unsignedValue, 20u);
    }
    EXPECT_TRUE(sawLow && sawHigh);
}

TEST(MathUtils, RandomIntSpansBoundsFarApart)
{
    // b - a does not fit in 32 bits here; the draw must still cover the whole range.
    SeedRand(11);
    s32 lowest = INT_MAX, highest = INT_MIN;
    for (int i = 0; i < 1000; ++i)
    {
        const s32 value = RandomInt(INT_MIN, INT_MAX);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_LT(lowest, -1000000000);
    EXPECT_GT(highest, 1000000000);
}

TEST(MathUtils, SinCosSnapsTinyResultsToZero)
{
    f32 s, c;
    SinCos(0.0f, s, c);
    EXPECT_EQ(s, 0.0f);
    EXPECT_EQ(c, 1.0f);
    SinCos(HALF_PI, s, c);
    EXPECT_EQ(c, 0.0f);
    EXPECT_EQ(s, 1.0f);
    SinCos(PI, s, c);
    EXPECT_EQ(s, 0.0f);
    EXPECT_EQ(c, -1.0f);
    SinCos(1.0f, s, c);
    EXPECT_EQ(s, static_cast<f32>(std::sin(1.0)));
    EXPECT_EQ(c, static_cast<f32>(std::cos(1.0)));
    SinCos(std::nanf(""), s, c);
    EXPECT_TRUE(std::isnan(s)) << "NaN is never snapped";
}

TEST(MathUtils, IsNearZeroUsesTheEngineTolerance)
{
    EXPECT_TRUE(IsNearZero(9.99e-6f));
    EXPECT_TRUE(IsNearZero(-9.99e-6f));
    EXPECT_TRUE(IsNearZero(EPSILON));
    EXPECT_FALSE(IsNearZero(1.0001e-5f));
    EXPECT_FALSE(IsNearZero(-1.001e-5f));
    EXPECT_FALSE(IsNearZero(std::nanf("")));
}

TEST(MathUtils, AlmostEqualUlpsCountsRepresentableFloats)
{
    EXPECT_TRUE(AlmostEqualUlps(0.0f, -0.0f, 0));
    EXPECT_TRUE(AlmostEqualUlps(-0.0f, 0.0f, 0));
    const f32 tiny = std::nextafter(0.0f, 1.0f);
    EXPECT_TRUE(AlmostEqualUlps(tiny, -tiny, 2));
    EXPECT_FALSE(AlmostEqualUlps(tiny, -tiny, 1));
    EXPECT_TRUE(AlmostEqualUlps(1.0f, std::nextafter(1.0f, 2.0f), 1));
    EXPECT_FALSE(AlmostEqualUlps(1.0f, std::nextafter(std::nextafter(1.0f, 2.0f), 2.0f), 1));
    // The self-tests' threshold, the bit pattern of 1e-5: against 0 it is |x| <= 1e-5.
    constexpr s32 thresholdUlps = 925353388;
    EXPECT_TRUE(AlmostEqualUlps(EPSILON, 0.0f, thresholdUlps));
    EXPECT_FALSE(AlmostEqualUlps(2e-5f, 0.0f, thresholdUlps));
    // 64-bit differences: the extremes of opposite sign never wrap around into "equal".
    EXPECT_FALSE(AlmostEqualUlps(FLT_MAX, -FLT_MAX, thresholdUlps));
    EXPECT_FALSE(AlmostEqualUlps(-FLT_MAX, FLT_MAX, 2147483647));
}
