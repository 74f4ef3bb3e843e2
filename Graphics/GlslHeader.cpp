#include "Graphics/GlslHeader.h"
#include <cstdlib>

namespace Graphics
{
namespace
{
struct SupportedVersion
{
    int major;
    int minor; // AnyMinor: every minor number of the major one
    const char* versionLine;
    const char* defineLine;
};
constexpr int AnyMinor = -1;
constexpr SupportedVersion Versions[] = {
    {1, 30, "#version 130\n", "#define GLSL_130\n"},
    {1, 40, "#version 140\n", "#define GLSL_140\n"},
    {1, 50, "#version 150\n", "#define GLSL_150\n"},
    {3, 30, "#version 330\n", "#define GLSL_330\n"},
    {4, AnyMinor, "#version 400\n", "#define GLSL_400\n"},
};
constexpr int Decimal = 10;

int ReadDecimal(const std::string& text)
{
    return static_cast<int>(std::strtol(text.c_str(), nullptr, Decimal));
}
} // namespace

GlslHeader ChooseGlslHeader(const char* versionString)
{
    GlslHeader header;
    if (versionString == nullptr)
        return header;
    const std::string text(versionString);
    const std::size_t dot = text.find('.');
    const std::size_t blank = text.find(' ');
    header.major = ReadDecimal(text.substr(0, dot));
    if (dot != std::string::npos)
    {
        const std::size_t end = blank == std::string::npos || blank < dot ? text.size() : blank;
        header.minor = ReadDecimal(text.substr(dot + 1, end - dot - 1));
    }
    for (const SupportedVersion& version : Versions)
    {
        if (version.major == header.major &&
            (version.minor == AnyMinor || version.minor == header.minor))
        {
            header.supported = true;
            header.versionLine = version.versionLine;
            header.defineLine = version.defineLine;
            break;
        }
    }
    return header;
}
} // namespace Graphics
