#include "Math/ColorRGBA.h"
#include "Math/MathUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <type_traits>

using namespace Math;

static_assert(std::is_trivially_copyable<ColorRGBA>::value, "plain value");

TEST(ColorRGBA, DefaultIsOpaqueBlackAndEqualityIsExact)
{
    EXPECT_TRUE(ColorRGBA() == ColorRGBA(0, 0, 0, 1));
    EXPECT_TRUE(ColorRGBA(0.5f, 0, 0, 1) != ColorRGBA(0.5f + 1e-7f, 0, 0, 1));
}

TEST(ColorRGBA, NamedColoursAreTheir255ValuesOpaque)
{
    EXPECT_TRUE(ColorRGBA::Red == ColorRGBA(1, 0, 0, 1));
    EXPECT_TRUE(ColorRGBA::Orange == ColorRGBA(1, 165 / 255.0f, 0, 1));
    EXPECT_TRUE(ColorRGBA::Violet == ColorRGBA(205 / 255.0f, 57 / 255.0f, 170 / 255.0f, 1));
    EXPECT_TRUE(ColorRGBA::Grey == ColorRGBA(128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 1));
    EXPECT_TRUE(ColorRGBA::Black == ColorRGBA());
}

TEST(ColorRGBA, ConversionsToAndFrom255)
{
    ColorRGBA out;
    ColorRGBA(1, 0.5f, 0, 1).To255(out);
    EXPECT_TRUE(out == ColorRGBA(255, 127.5f, 0, 255));
    out.From255();
    EXPECT_TRUE(out == ColorRGBA(1, 0.5f, 0, 1));
    EXPECT_TRUE(ColorRGBA(0.2f, 0.4f, 1, 0.5f).Inverted() == ColorRGBA(0.8f, 0.6f, 0, 0.5f));
    EXPECT_TRUE(ColorRGBA(1, 1, 1, 0.5f).ScaleAlpha(0.5f) == ColorRGBA(1, 1, 1, 0.25f));
}

TEST(ColorRGBA, RandomColoursStayInTheirRanges)
{
    SeedRand(5);
    for (int i = 0; i < 500; ++i)
    {
        const ColorRGBA any = ColorRGBA::Random(0.3f);
        const ColorRGBA green = ColorRGBA::RandomGreen(1.0f);
        const ColorRGBA red = ColorRGBA::RandomRed(0.7f);
        ASSERT_TRUE(any.r >= 0 && any.r <= 1 && any.b >= 0 && any.b <= 1 && any.a == 0.3f);
        ASSERT_TRUE(green.g >= 0.8f && green.g <= 1.0f && green.r <= 0.4f && green.b <= 0.4f);
        ASSERT_TRUE(red.r >= 0.8f && red.r <= 1.0f && red.g <= 0.4f && red.a == 0.7f);
    }
}

TEST(ColorRGBA, RandomColoursDrawBlueFirstAndVariationsAlphaFirst)
{
    // Each expected colour is rebuilt from the raw draws in the fixed order.
    constexpr u32 SEED = 4;
    const f32 tintSpan = 1.0f - 0.8f;
    const auto expectColour = [](const ColorRGBA& actual, const ColorRGBA& expected)
    {
        EXPECT_FLOAT_EQ(actual.r, expected.r);
        EXPECT_FLOAT_EQ(actual.g, expected.g);
        EXPECT_FLOAT_EQ(actual.b, expected.b);
        EXPECT_FLOAT_EQ(actual.a, expected.a);
    };

    SeedRand(SEED);
    f32 b = RandUnit(), g = RandUnit(), r = RandUnit();
    SeedRand(SEED);
    expectColour(ColorRGBA::Random(0.5f), ColorRGBA(r, g, b, 0.5f));

    SeedRand(SEED);
    b = RandRange(0.0f, 0.4f);
    g = 0.8f + RandUnit() * tintSpan;
    r = RandRange(0.0f, 0.4f);
    SeedRand(SEED);
    expectColour(ColorRGBA::RandomGreen(1.0f), ColorRGBA(r, g, b, 1.0f));

    SeedRand(SEED);
    b = RandRange(0.0f, 0.4f);
    g = RandRange(0.0f, 0.4f);
    r = 0.8f + RandUnit() * tintSpan;
    SeedRand(SEED);
    expectColour(ColorRGBA::RandomRed(1.0f), ColorRGBA(r, g, b, 1.0f));

    const ColorRGBA base(0.5f, 0.5f, 0.5f, 0.5f), range(0.1f, 0.2f, 0.3f, 0.4f);
    SeedRand(SEED);
    const f32 a = 0.5f + RandRange(-0.4f, 0.4f);
    b = 0.5f + RandRange(-0.3f, 0.3f);
    g = 0.5f + RandRange(-0.2f, 0.2f);
    r = 0.5f + RandRange(-0.1f, 0.1f);
    SeedRand(SEED);
    ColorRGBA varied;
    base.RandomVariation(range, varied);
    expectColour(varied, ColorRGBA(r, g, b, a));
}

TEST(ColorRGBA, RandomVariationIsClampedToTheUnitRange)
{
    SeedRand(2);
    ColorRGBA out;
    for (int i = 0; i < 500; ++i)
    {
        ColorRGBA(1, 1, 1, 1).RandomVariation(ColorRGBA(0.5f, 0.5f, 0.5f, 0.5f), out);
        ASSERT_TRUE(out.r <= 1.0f && out.g <= 1.0f && out.b <= 1.0f && out.a <= 1.0f);
        ColorRGBA(0, 0, 0, 0).RandomVariation(ColorRGBA(0.5f, 0.5f, 0.5f, 0.5f), out);
        ASSERT_TRUE(out.r >= 0.0f && out.g >= 0.0f && out.b >= 0.0f && out.a >= 0.0f);
    }
    ColorRGBA(std::nanf(""), 0.5f, 0.5f, 0.5f).RandomVariation(ColorRGBA(0, 0, 0, 0), out);
    EXPECT_TRUE(out == ColorRGBA(0, 0.5f, 0.5f, 0.5f)) << "NaN becomes 0";
}

TEST(ColorRGBA, StreamText)
{
    std::ostringstream text;
    text << ColorRGBA(1, 0, 0, 1);
    EXPECT_EQ(text.str(), "|red: 1|green: 0|blue: 0|alpha: 1|");
}
