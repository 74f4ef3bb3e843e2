#include "Xml/TextConversion.h"
#include <algorithm>
#include <charconv>
#include <system_error>

// Numbers are read without streams: constructing a string stream per value (a string copy, a
// locale and a sentry each time) was most of the cost of building objects from definitions.
// The scanners below take exactly the characters that stream extraction in the classic locale
// takes and accept and refuse exactly what it does; std::from_chars then converts them, with
// the same correctly rounded result that the stream's strtof/strtod gives.
namespace Serializer
{
namespace
{
// Large enough for "%.*g" of any double at the precisions used here.
constexpr std::size_t NumberBufferSize = 64;
// The widest value read from one attribute text (four floats).
constexpr int MaxFloatsPerText = 4;
// Exponents are only needed to tell a too-large number from a too-small one, so their digits
// stop counting here: far beyond any float or double exponent and any text's digit count.
constexpr long long ExponentCap = 1000000000000LL;
constexpr int DecimalBase = 10;

constexpr bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

constexpr bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

const char* SkipSpace(const char* text)
{
    while (IsSpace(*text))
        ++text;
    return text;
}

// An optional sign and decimal digits, up to the first character that is not a digit. Out of
// the type's range fails. Unsigned types refuse a minus sign (from_chars does not take one),
// where stream extraction would wrap "-1" round to the largest value.
template <typename T> bool ParseInteger(const char* text, T& value)
{
    if (!text)
        return false;
    const char* p = SkipSpace(text);
    // from_chars takes a leading minus but no plus.
    const char* first = p;
    if (*p == '+')
        first = ++p;
    else if (*p == '-')
        ++p;
    if (!IsDigit(*p))
        return false;
    while (IsDigit(*p))
        ++p;
    T parsed{};
    if (std::from_chars(first, p, parsed).ec != std::errc())
        return false;
    value = parsed;
    return true;
}

// An optional sign, digits with at most one decimal point (at least one digit), and an
// optional exponent: 'e' or 'E', an optional sign and at least one digit ("1e" and "1e+" fail,
// as they do for a stream). Words such as "inf" and "nan" and hexadecimal forms are no numbers.
// A number too large for T fails; one too small for T reads as zero of its sign, as strtof and
// strtod give it to the stream. Returns the end of the number, or null when nothing was read.
template <typename T> const char* ParseFloatingPoint(const char* text, T& value)
{
    const char* p = SkipSpace(text);
    const bool negative = *p == '-';
    if (*p == '+')
        ++p;
    const char* first = p;
    if (negative)
        ++p;

    // The decimal magnitude (the value lies in [10^(m-1), 10^m)) tells underflow from overflow.
    long long magnitude = 0;
    bool significant = false;
    bool anyDigit = false;
    for (; IsDigit(*p); ++p, anyDigit = true)
    {
        significant = significant || *p != '0';
        if (significant)
            ++magnitude;
    }
    if (*p == '.')
    {
        for (++p; IsDigit(*p); ++p, anyDigit = true)
        {
            if (!significant && *p == '0')
                --magnitude;
            significant = significant || *p != '0';
        }
    }
    if (!anyDigit)
        return nullptr;
    if (*p == 'e' || *p == 'E')
    {
        ++p;
        const bool negativeExponent = *p == '-';
        if (*p == '+' || *p == '-')
            ++p;
        if (!IsDigit(*p))
            return nullptr;
        long long exponent = 0;
        for (; IsDigit(*p); ++p)
            exponent = std::min(exponent * DecimalBase + (*p - '0'), ExponentCap);
        magnitude += negativeExponent ? -exponent : exponent;
    }

    T parsed{};
    const std::from_chars_result result = std::from_chars(first, p, parsed);
    if (result.ec == std::errc::result_out_of_range && magnitude <= 0)
        parsed = negative ? -T(0) : T(0);
    else if (result.ec != std::errc() || result.ptr != p)
        return nullptr;
    value = parsed;
    return p;
}
} // namespace

bool ParseText(const char* text, int& value)
{
    return ParseInteger(text, value);
}

bool ParseText(const char* text, unsigned int& value)
{
    return ParseInteger(text, value);
}

bool ParseText(const char* text, float& value)
{
    return text && ParseFloatingPoint(text, value);
}

bool ParseText(const char* text, double& value)
{
    return text && ParseFloatingPoint(text, value);
}

bool ParseText(const char* text, bool& value)
{
    // A stream reads a long and accepts only 0 and 1.
    long number = 0;
    if (!ParseInteger(text, number) || (number != 0 && number != 1))
        return false;
    value = number == 1;
    return true;
}

bool ParseFloats(const char* text, float* values, int count)
{
    if (!text || !values || count <= 0 || count > MaxFloatsPerText)
        return false;
    float parsed[MaxFloatsPerText] = {};
    for (int i = 0; i < count; ++i)
    {
        text = ParseFloatingPoint(text, parsed[i]);
        if (!text)
            return false;
    }
    std::copy(parsed, parsed + count, values);
    return true;
}

std::string FormatNumber(double value, int significantDigits)
{
    char buffer[NumberBufferSize];
    const std::to_chars_result result = std::to_chars(
        buffer, buffer + sizeof(buffer), value, std::chars_format::general, significantDigits);
    return std::string(buffer, result.ptr);
}

namespace
{
const char* SkipDigits(const char* p)
{
    while (IsDigit(*p))
        ++p;
    return p;
}

// True when the text is white space, one number (a fraction and exponent only where
// `fraction` allows) and white space: the form a number read as a whole has.
bool IsWholeNumber(const char* text, bool fraction)
{
    const char* p = SkipSpace(text);
    if (*p == '+' || *p == '-')
        ++p;
    const char* digits = p;
    p = SkipDigits(p);
    bool anyDigit = p != digits;
    if (fraction && *p == '.')
    {
        const char* after = ++p;
        p = SkipDigits(p);
        anyDigit = anyDigit || p != after;
    }
    if (!anyDigit)
        return false;
    if (fraction && (*p == 'e' || *p == 'E'))
    {
        ++p;
        if (*p == '+' || *p == '-')
            ++p;
        const char* exponent = p;
        p = SkipDigits(p);
        if (p == exponent)
            return false;
    }
    return *SkipSpace(p) == '\0';
}

template <typename T> bool ParseWhole(const char* text, T& value, bool fraction)
{
    if (!text || !IsWholeNumber(text, fraction))
        return false;
    return ParseText(text, value);
}
} // namespace

bool ParseWholeText(const char* text, int& value)
{
    return ParseWhole(text, value, false);
}

bool ParseWholeText(const char* text, unsigned int& value)
{
    return ParseWhole(text, value, false);
}

bool ParseWholeText(const char* text, float& value)
{
    return ParseWhole(text, value, true);
}

bool ParseWholeText(const char* text, double& value)
{
    return ParseWhole(text, value, true);
}

bool ParseWholeText(const char* text, bool& value)
{
    return ParseWhole(text, value, false);
}
} // namespace Serializer
