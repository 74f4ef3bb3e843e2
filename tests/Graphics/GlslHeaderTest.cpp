#include "Graphics/GlslHeader.h"
#include <gtest/gtest.h>

using Graphics::ChooseGlslHeader;

TEST(GlslHeader, SupportedVersionsChooseTheirLines)
{
    struct Case
    {
        const char* version;
        const char* versionLine;
        const char* defineLine;
    };
    const Case cases[] = {
        {"1.30", "#version 130\n", "#define GLSL_130\n"},
        {"1.40", "#version 140\n", "#define GLSL_140\n"},
        {"1.50", "#version 150\n", "#define GLSL_150\n"},
        {"3.30", "#version 330\n", "#define GLSL_330\n"},
        {"4.40", "#version 400\n", "#define GLSL_400\n"},
        {"4.50 vendor", "#version 400\n", "#define GLSL_400\n"},
    };
    for (const Case& c : cases)
    {
        const Graphics::GlslHeader header = ChooseGlslHeader(c.version);
        EXPECT_TRUE(header.supported) << c.version;
        EXPECT_EQ(header.versionLine, c.versionLine) << c.version;
        EXPECT_EQ(header.defineLine, c.defineLine) << c.version;
    }
    EXPECT_EQ(ChooseGlslHeader("4.50 vendor").minor, 50) << "the minor number ends at the blank";
}

TEST(GlslHeader, OtherVersionsAndNoVersionAreNotSupported)
{
    for (const char* version : {"1.20", "3.10", "", "vendor"})
    {
        const Graphics::GlslHeader header = ChooseGlslHeader(version);
        EXPECT_FALSE(header.supported) << version;
        EXPECT_TRUE(header.versionLine.empty()) << version;
    }
    const Graphics::GlslHeader old = ChooseGlslHeader("1.20");
    EXPECT_EQ(old.major, 1);
    EXPECT_EQ(old.minor, 20);
    EXPECT_FALSE(ChooseGlslHeader(nullptr).supported);
}
