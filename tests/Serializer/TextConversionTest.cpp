#include "Serializer/TextConversion.h"
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using Serializer::FormatNumber;
using Serializer::ParseText;

namespace
{
constexpr int Unchanged = -77;

struct IntCase
{
    const char* text;
    bool parsed;
    int expected;
};

struct FloatCase
{
    const char* text;
    bool parsed;
    float expected;
};
} // namespace

TEST(TextConversion, IntegersReadAsStreamExtractionDoes)
{
    const IntCase cases[] = {
        {"7", true, 7},          {"  -12", true, -12},
        {"+5", true, 5},         {"12abc", true, 12},
        {"3.5", true, 3},        {"abc", false, Unchanged},
        {"", false, Unchanged},  {"99999999999", false, Unchanged},
        {"-", false, Unchanged}, {nullptr, false, Unchanged},
    };
    for (const IntCase& c : cases)
    {
        int value = Unchanged;
        EXPECT_EQ(ParseText(c.text, value), c.parsed) << (c.text ? c.text : "null");
        EXPECT_EQ(value, c.expected) << (c.text ? c.text : "null");
    }
}

TEST(TextConversion, UnsignedRefusesNegativeNumbers)
{
    unsigned int value = 9;
    EXPECT_FALSE(ParseText("-1", value));
    EXPECT_FALSE(ParseText("  -0", value));
    EXPECT_EQ(value, 9u);
    EXPECT_TRUE(ParseText("4294967295", value));
    EXPECT_EQ(value, 4294967295u);
    EXPECT_FALSE(ParseText("4294967296", value));
    EXPECT_EQ(value, 4294967295u);
}

TEST(TextConversion, FloatsRefuseWhatDoesNotFit)
{
    const FloatCase cases[] = {
        {"2.5", true, 2.5f},    {"-1e3", true, -1000.0f}, {"1e+06", true, 1e6f},
        {"0.1xyz", true, 0.1f}, {"1e40", false, -77.0f},  {"nan", false, -77.0f},
        {"inf", false, -77.0f}, {"x1", false, -77.0f},    {".", false, -77.0f},
    };
    for (const FloatCase& c : cases)
    {
        float value = -77.0f;
        EXPECT_EQ(ParseText(c.text, value), c.parsed) << c.text;
        EXPECT_EQ(value, c.expected) << c.text;
    }
}

TEST(TextConversion, BooleansAreZeroOrOne)
{
    bool value = true;
    EXPECT_TRUE(ParseText("0", value));
    EXPECT_FALSE(value);
    EXPECT_TRUE(ParseText("1", value));
    EXPECT_TRUE(value);
    for (const char* text : {"2", "true", "false", "-1", ""})
    {
        value = false;
        EXPECT_FALSE(ParseText(text, value)) << text;
        EXPECT_FALSE(value) << text;
    }
}

TEST(TextConversion, SeveralFloatsAreAllOrNothing)
{
    float values[3] = {7.0f, 8.0f, 9.0f};
    EXPECT_TRUE(Serializer::ParseFloats(" 1 2.5\t-3", values, 3));
    EXPECT_EQ(values[0], 1.0f);
    EXPECT_EQ(values[1], 2.5f);
    EXPECT_EQ(values[2], -3.0f);
    EXPECT_FALSE(Serializer::ParseFloats("4 5", values, 3));
    EXPECT_EQ(values[0], 1.0f);
    EXPECT_FALSE(Serializer::ParseFloats("1 2 3 4 5", values, 5)) << "more than four per text";
}

TEST(TextConversion, NumbersAreWrittenWithFixedSignificantDigits)
{
    EXPECT_EQ(FormatNumber(0.1f, Serializer::ElementTextDigits), "0.1");
    EXPECT_EQ(FormatNumber(1.0 / 3.0, Serializer::ElementTextDigits), "0.33333333");
    EXPECT_EQ(FormatNumber(1.0, Serializer::AttributeDigits), "1");
    EXPECT_EQ(FormatNumber(2.5, Serializer::AttributeDigits), "2.5");
    EXPECT_EQ(FormatNumber(1000000.0, Serializer::AttributeDigits), "1e+06");
    EXPECT_EQ(FormatNumber(123456789.0, Serializer::ElementTextDigits), "1.2345679e+08");
    EXPECT_EQ(FormatNumber(0.0001, Serializer::AttributeDigits), "0.0001");
    EXPECT_EQ(FormatNumber(0.00001, Serializer::AttributeDigits), "1e-05");
}
