#include "Xml/TextConversion.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

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

// The reference the parsers must agree with: one value extracted from a string stream in the
// classic locale, stored only when the extraction succeeds.
template <typename T> bool StreamExtract(const std::string& text, T& value)
{
    std::istringstream stream(text);
    stream.imbue(std::locale::classic());
    T parsed{};
    if (!(stream >> parsed))
        return false;
    value = parsed;
    return true;
}

bool StartsWithMinus(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\n\r\f\v");
    return first != std::string::npos && text[first] == '-';
}

// Compares bit patterns, so that 0 and -0 differ.
template <typename T> void ExpectSameAsStream(const std::string& text, bool refuseMinus = false)
{
    T expected = T(77);
    T actual = T(77);
    const bool expectedParsed =
        !(refuseMinus && StartsWithMinus(text)) && StreamExtract(text, expected);
    const bool actualParsed = ParseText(text.c_str(), actual);
    EXPECT_EQ(actualParsed, expectedParsed) << '"' << text << '"';
    EXPECT_EQ(std::memcmp(&actual, &expected, sizeof(T)), 0)
        << '"' << text << "\" read " << actual << ", a stream reads " << expected;
}

// Every text of up to four characters from signs, points, exponents, digits, white space and
// junk, plus numbers at the edges of each type's range.
std::vector<std::string> ConversionTexts()
{
    const std::string alphabet = " +-.eE019x";
    std::vector<std::string> texts = {"1e-50",
                                      "-1e-50",
                                      "7e-46",
                                      "1e-40",
                                      "1e40",
                                      "3.4028235e38",
                                      "3.4028236e38",
                                      "1e-320",
                                      "-1e-400",
                                      "1.7976931348623157e308",
                                      "1.8e308",
                                      "1e99999999999999999999",
                                      "0e99999",
                                      "2147483647",
                                      "2147483648",
                                      "-2147483648",
                                      "-2147483649",
                                      "4294967295",
                                      "4294967296",
                                      "9223372036854775808",
                                      "0000000000000000000000000001",
                                      "\v\f\r\n 12",
                                      "0x1p3",
                                      "NaN",
                                      "infinity",
                                      "1,5"};
    std::vector<std::string> shorter = {""};
    for (int length = 1; length <= 4; ++length)
    {
        std::vector<std::string> longer;
        for (const std::string& text : shorter)
            for (char c : alphabet)
                longer.push_back(text + c);
        texts.insert(texts.end(), longer.begin(), longer.end());
        shorter.swap(longer);
    }
    return texts;
}
} // namespace

TEST(TextConversion, AcceptsAndRefusesExactlyWhatStreamExtractionDoes)
{
    for (const std::string& text : ConversionTexts())
    {
        ExpectSameAsStream<int>(text);
        ExpectSameAsStream<unsigned int>(text, true);
        ExpectSameAsStream<float>(text);
        ExpectSameAsStream<double>(text);
        ExpectSameAsStream<bool>(text);
    }
}

TEST(TextConversion, IntegersReadAsStreamExtractionDoes)
{
    const IntCase cases[] = {
        {"7", true, 7},
        {"  -12", true, -12},
        {"+5", true, 5},
        {"12abc", true, 12},
        {"3.5", true, 3},
        {"abc", false, Unchanged},
        {"", false, Unchanged},
        {"99999999999", false, Unchanged},
        {"-", false, Unchanged},
        {nullptr, false, Unchanged},
        {"+-5", false, Unchanged},
        {"- 5", false, Unchanged},
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
        {"1e", false, -77.0f},  {"2e+x", false, -77.0f},  {"+.5", true, 0.5f},
        {"1e5.5", true, 1e5f},  {"1e-50", true, 0.0f},    {"+-1", false, -77.0f},
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
    EXPECT_TRUE(ParseText("-0", value));
    EXPECT_FALSE(value);
    EXPECT_TRUE(ParseText(" +1x", value));
    EXPECT_TRUE(value);
    for (const char* text : {"2", "true", "false", "-1", "", "+-1", "99999999999999999999"})
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
    // A sign ends the number before it, as it ends a stream extraction.
    EXPECT_TRUE(Serializer::ParseFloats("6-7e1 8", values, 3));
    EXPECT_EQ(values[1], -70.0f);
    EXPECT_FALSE(Serializer::ParseFloats("1e 2 3", values, 3)) << "an exponent without digits";
    EXPECT_EQ(values[0], 6.0f);
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
