#include "Math/PingPongValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

using namespace Math;

static_assert(std::is_trivially_copyable<PingPongValue>::value, "plain value");

TEST(PingPongValue, BouncesOffBothBounds)
{
    PingPongValue value(0, 1, 0.5f, 1, false, false);
    value.Update(1.0f);
    EXPECT_FLOAT_EQ(value.GetValue(), 0.5f);
    EXPECT_LT(value.rate, 0.0f);
    // Two bounces: 0.5 - 2 = -1.5, reflected to 1.5, reflected to 0.5.
    value.Update(2.0f);
    EXPECT_FLOAT_EQ(value.GetValue(), 0.5f);
    EXPECT_LT(value.rate, 0.0f);
    EXPECT_FALSE(value.finished);
}

TEST(PingPongValue, StopFlagLeavesTheValueBeyondTheBound)
{
    PingPongValue value(0, 1, 0.5f, 1, false, true);
    value.Update(1.0f);
    EXPECT_FLOAT_EQ(value.GetValue(), 1.5f);
    EXPECT_EQ(value.rate, -1.0f);
    EXPECT_TRUE(value.finished);
    value.Update(1.0f);
    EXPECT_FLOAT_EQ(value.GetValue(), 1.5f);

    PingPongValue falling(0, 1, 0.5f, -1, true, false);
    falling.Update(1.5f);
    EXPECT_FLOAT_EQ(falling.GetValue(), -1.0f);
    EXPECT_TRUE(falling.finished);

    // Bouncing off the free bound first, then stopping at the other.
    PingPongValue twice(0, 1, 0.5f, 1, true, false);
    twice.Update(2.0f);
    EXPECT_FLOAT_EQ(twice.GetValue(), -0.5f);
    EXPECT_EQ(twice.rate, 1.0f);
    EXPECT_TRUE(twice.finished);
}

TEST(PingPongValue, SetOrdersBoundsAndClampsTheValue)
{
    const PingPongValue swapped(2, 1, 5, 1, false, false);
    EXPECT_EQ(swapped.min, 1.0f);
    EXPECT_EQ(swapped.max, 2.0f);
    EXPECT_EQ(swapped.GetValue(), 2.0f);
    EXPECT_FALSE(swapped.finished);

    PingPongValue flat(1, 1.000005f, 1, 1, false, false);
    EXPECT_TRUE(flat.finished);
    flat.Update(1.0f);
    EXPECT_EQ(flat.GetValue(), 1.0f);

    flat.Set(0, 1, 0.5f, 1, false, false);
    EXPECT_FALSE(flat.finished);
    flat.Reset();
    EXPECT_EQ(flat.min, 0.0f);
    EXPECT_EQ(flat.max, 0.0f);
    EXPECT_EQ(flat.rate, 0.0f);
    EXPECT_FALSE(flat.stopAtMin || flat.stopAtMax || flat.finished);
}

TEST(PingPongValue, LongStepsMatchBounceByBounce)
{
    // Long steps bounce more than the few bounces taken one by one; the rest is folded. The
    // expectations are the literal bounce-by-bounce results (e.g. 0.25 + 7.5 = 7.75 bounces
    // seven times and ends at 0.25 moving down).
    const struct
    {
        f32 step;
        f32 expectedValue;
        f32 expectedRateSign;
    } cases[] = {
        {7.5f, 0.25f, -1.0f}, {6.5f, 0.75f, 1.0f}, {-3.25f, 1.0f, -1.0f}, {9.0f, 0.75f, -1.0f}};
    for (const auto& c : cases)
    {
        PingPongValue value(0, 1, 0.25f, 1, false, false);
        value.Update(c.step);
        EXPECT_NEAR(value.GetValue(), c.expectedValue, 1e-5f) << "step " << c.step;
        EXPECT_EQ(std::copysign(1.0f, value.rate), c.expectedRateSign) << "step " << c.step;
    }
}

TEST(PingPongValue, HugeStepsReturnAtOnceWithinTheBounds)
{
    PingPongValue value(0, 1, 0.5f, 1, false, false);
    value.Update(1e30f);
    EXPECT_GE(value.GetValue(), 0.0f);
    EXPECT_LE(value.GetValue(), 1.0f);
    value.Update(-1e30f);
    EXPECT_GE(value.GetValue(), 0.0f);
    EXPECT_LE(value.GetValue(), 1.0f);
    value.Update(INFINITY);
    EXPECT_GE(value.GetValue(), 0.0f);
    EXPECT_LE(value.GetValue(), 1.0f);
}

TEST(PingPongValue, ClampedReadEndsExactlyOnTheBoundAStopOvershot)
{
    Math::PingPongValue fade(0.0f, 1.0f, 1.0f, -0.4f, true, true);
    fade.Update(3.0f);
    EXPECT_TRUE(fade.finished);
    EXPECT_FLOAT_EQ(fade.GetClampedValue(), 0.0f);
    Math::PingPongValue inside(0.0f, 1.0f, 0.5f, 0.0f, false, false);
    EXPECT_FLOAT_EQ(inside.GetClampedValue(), 0.5f);
}
