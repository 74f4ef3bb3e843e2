#include "Serializer/TextConversion.h"
#include <algorithm>
#include <charconv>
#include <cstring>
#include <locale>
#include <sstream>

namespace Serializer
{
namespace
{
// Parses into a temporary so that a failed extraction, which stores 0 or the type's limit,
// never reaches the caller's value.
template <typename T> bool Extract(const char* text, T& value)
{
    if (!text)
        return false;
    std::istringstream stream{std::string(text)};
    stream.imbue(std::locale::classic());
    T parsed{};
    if (!(stream >> parsed))
        return false;
    value = parsed;
    return true;
}

bool StartsWithMinus(const char* text)
{
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\f' ||
           *text == '\v')
        ++text;
    return *text == '-';
}

// Large enough for "%.*g" of any double at the precisions used here.
constexpr std::size_t NumberBufferSize = 64;
// The widest value read from one attribute text (four floats).
constexpr int MaxFloatsPerText = 4;
} // namespace

bool ParseText(const char* text, int& value)
{
    return Extract(text, value);
}

bool ParseText(const char* text, unsigned int& value)
{
    if (!text || StartsWithMinus(text))
        return false;
    return Extract(text, value);
}

bool ParseText(const char* text, float& value)
{
    return Extract(text, value);
}

bool ParseText(const char* text, double& value)
{
    return Extract(text, value);
}

bool ParseText(const char* text, bool& value)
{
    return Extract(text, value);
}

bool ParseFloats(const char* text, float* values, int count)
{
    if (!text || !values || count <= 0 || count > MaxFloatsPerText)
        return false;
    std::istringstream stream{std::string(text)};
    stream.imbue(std::locale::classic());
    float parsed[MaxFloatsPerText] = {};
    for (int i = 0; i < count; ++i)
    {
        if (!(stream >> parsed[i]))
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
} // namespace Serializer
