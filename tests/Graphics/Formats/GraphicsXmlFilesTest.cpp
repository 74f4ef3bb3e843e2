// Covers: SpriteSheetFile, MaterialFile, FontFile, ShaderProgramFile.
// The XML files of the renderer read by position: sprite sheets, materials, fonts and shader
// programs.
#include "Graphics/Formats/FontFile.h"
#include "Graphics/Formats/MaterialFile.h"
#include "Graphics/Formats/ShaderProgramFile.h"
#include "Graphics/Formats/SpriteSheetFile.h"
#include "tests/Support/LogCapture.h"
#include <cstring>
#include <gtest/gtest.h>

using namespace Graphics;

TEST(SpriteSheetFile, ReadsCountsInOrderAndIgnoresZero)
{
    u32 total = 1;
    u32 perRow = 1;
    const char* sheet = "<Sheet><TotalFrames>16</TotalFrames><WidthFrames>4</WidthFrames></Sheet>";
    ASSERT_TRUE(SpriteSheetFile::Read(sheet, std::strlen(sheet), "Stone.xml", total, perRow));
    EXPECT_EQ(total, 16u);
    EXPECT_EQ(perRow, 4u);

    const char* odd = "<S><WidthFrames>0</WidthFrames><TotalFrames>9</TotalFrames></S>";
    ASSERT_TRUE(SpriteSheetFile::Read(odd, std::strlen(odd), "Odd.xml", total, perRow));
    EXPECT_EQ(perRow, 4u) << "0 is ignored";
    EXPECT_EQ(total, 16u) << "out of order: not read";
}

TEST(MaterialFile, ReadsRolesInSlotOrderOnly)
{
    MaterialFile::Names names;
    const char* rock = "<M><DiffuseMap>Rock</DiffuseMap><SpecularMap>RockSpec</SpecularMap></M>";
    ASSERT_TRUE(MaterialFile::Read(rock, std::strlen(rock), "Rock.xml", names));
    EXPECT_EQ(names, (MaterialFile::Names{"Rock", "", "RockSpec", "", "", ""}));

    const char* swapped = "<M><NormalMap>N</NormalMap><DiffuseMap>D</DiffuseMap></M>";
    ASSERT_TRUE(MaterialFile::Read(swapped, std::strlen(swapped), "Swapped.xml", names));
    EXPECT_EQ(names, (MaterialFile::Names{"", "N", "", "", "", ""}));

    LogCapture log;
    EXPECT_FALSE(MaterialFile::Read("<M>", 3, "Broken.xml", names));
    EXPECT_EQ(log.Count("Broken.xml"), 1u);
}

TEST(FontFile, ReadsAttributesByPositionAndSkipsIncompleteElements)
{
    const char* font =
        "<Font a='12' b='DejaVu' s='16' d='r'>"
        "<G adv='9' off='1 2' rect='10 20 8 12' ch='AB'><K a='-2' c='V'/><K a='1'/></G>"
        "<G adv='9' off='1' rect='1 2 3 4' ch='X'/>"
        "<G adv='9' off='1 2' rect='1 2 3 4' ch=''/></Font>";
    LogCapture log;
    FontFile::Header header;
    std::vector<FontFile::GlyphRecord> glyphs;
    ASSERT_TRUE(FontFile::Read(font, std::strlen(font), "Sans.xml", header, glyphs));
    EXPECT_EQ(header.size, 16u);
    EXPECT_EQ(header.second, "DejaVu");
    ASSERT_EQ(glyphs.size(), 1u);
    EXPECT_EQ(glyphs[0].character, "AB");
    EXPECT_EQ(glyphs[0].y, 20.0f);
    ASSERT_EQ(glyphs[0].kerning.size(), 1u);
    EXPECT_EQ(glyphs[0].kerning[0], (std::pair<u08, s32>{'V', -2}));
    EXPECT_EQ(log.Count("Sans.xml"), 1u) << "one line counts the three skipped elements";

    for (const char* refused :
         {"<Font a='1' b='x' s='0' d='r'><G a='1' o='1 2' r='1 2 3 4' c='A'/></Font>",
          "<Font a='1' b='x'/>", "<Fnt a='1' b='x' s='16' d='r'/>"})
    {
        LogCapture refusal;
        EXPECT_FALSE(FontFile::Read(refused, std::strlen(refused), "Bad.xml", header, glyphs));
        EXPECT_TRUE(glyphs.empty());
        EXPECT_EQ(refusal.Count("Bad.xml"), 1u) << refused;
    }
}

TEST(ShaderProgramFile, ReadsNamedVariantsAndTheirShaderRuns)
{
    const char* mesh = "<P>Standard<VertexShader>Basic.vs</VertexShader>"
                       "<FragmentShader>Basic.fs</FragmentShader></P>"
                       "<P>Dynamic<VertexShader>x.vs</VertexShader></P>"
                       "<P>Skinned<VertexShader>Skin.vs</VertexShader><VertexShader>Common.vh"
                       "</VertexShader><FragmentShader>Lit.fs</FragmentShader>"
                       "<VertexShader>Late.vs</VertexShader></P>";
    std::vector<ShaderProgramFile::Variant> variants;
    ASSERT_TRUE(ShaderProgramFile::Read(mesh, std::strlen(mesh), "Mesh.xml", variants));
    ASSERT_EQ(variants.size(), 2u) << "Dynamic is skipped";
    EXPECT_EQ(variants[0].category, u32(ShaderProgramFile::Standard));
    EXPECT_EQ(variants[1].category, u32(ShaderProgramFile::Skinned));
    EXPECT_EQ(variants[1].vertexShaders, (std::vector<std::string>{"Skin.vs", "Common.vh"}));
    EXPECT_EQ(variants[1].fragmentShaders, (std::vector<std::string>{"Lit.fs"}))
        << "a vertex shader after the fragment run is not read";
}

TEST(ShaderProgramFile, AProgramNamingNoKindIsNamedInALine)
{
    LogCapture log;
    const char* empty = "<Program></Program><Program>Standard</Program>";
    std::vector<ShaderProgramFile::Variant> variants;
    ASSERT_TRUE(ShaderProgramFile::Read(empty, std::strlen(empty), "Empty.xml", variants));
    EXPECT_EQ(variants.size(), 1u);
    EXPECT_EQ(log.Count("Error [ShaderProgram]: Empty.xml not linked: a program names no kind "
                        "(Standard, Static or Skinned)"),
              1u)
        << log.Text();
}
