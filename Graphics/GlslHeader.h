#pragma once
// The two lines put before every shader's source: a "#version" line and a "#define GLSL_..."
// line, chosen from the shading-language version string the context reports ("4.50", "4.50
// vendor text", "1.30", ...).
#include <string>

namespace Graphics
{
struct GlslHeader
{
    bool supported = false; // false: the lines are empty and the caller keeps its old ones
    int major = 0;
    int minor = 0;
    std::string versionLine;
    std::string defineLine;
};

// The major number is the text before the first '.', the minor number the text from there to
// the first blank. Versions 1.30, 1.40, 1.50, 3.30 and every 4.x are supported (4.x uses the
// 400 lines); a null string is not supported.
GlslHeader ChooseGlslHeader(const char* versionString);
} // namespace Graphics
