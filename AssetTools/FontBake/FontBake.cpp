// fontbake <asset folder>: bakes the game's bitmap font with FreeType from a DejaVu face
// (package fonts-dejavu-core) into <asset folder>/Textures/Fonts/<name>.png (white glyphs, their
// coverage in alpha) and <asset folder>/Fonts/<name>.xml (per character its advance, offset,
// rectangle in the atlas and its kerning pairs, attributes in the order the font reader takes
// them). The same FreeType and face always give the same bytes.
//
// Sizes: the overlay draws page text at (atlas size / window size) x Scale / 5 per font unit,
// and one font unit is the font's height S. With a 256-pixel atlas one unit is 51.2 window
// pixels at Scale 1, so S = 51 draws the glyphs pixel for pixel there: crisp at Scale 1 on any
// window. The glyphs are rendered at 32 pixels per em, which fits printable ASCII into the atlas
// and leaves the line some room above and below.
#include "AssetTools/Common/ToolFolder.h"
#include "Graphics/Formats/PngImage.h"
#include "Graphics/Formats/PngWriter.h"
#include "Platform/AtomicFile.h"
#include "Xml/XmlFile.h"
#include <algorithm>
#include <cstdio>
#include <ft2build.h>
#include <string>
#include <tinyxml2.h>
#include <vector>
#include FT_FREETYPE_H

namespace
{
using namespace AssetTools;

constexpr const char* Tool = "fontbake";
// The name the text components fall back to, kept for every text that names no font.
constexpr const char* FontName = "arial_regular_12";
constexpr const char* FacePath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* FaceName = "DejaVu Sans";
constexpr u32 PixelsPerEm = 32;
constexpr u32 AtlasSize = 256;
constexpr u32 FontHeight = 51; // S: AtlasSize / 5, rounded down
constexpr u32 Gap = 2;         // empty pixels between glyphs, so filtering never bleeds
constexpr char FirstPrintable = ' ';
constexpr char LastPrintable = '~';
constexpr u32 RgbaChannels = 4;
constexpr long Subpixels = 64; // FreeType's 26.6 fixed point

struct BakedGlyph
{
    char character;
    u32 glyphIndex;
    s32 advance;
    s32 left; // bitmap offset from the pen
    s32 top;  // bitmap top above the baseline
    u32 width;
    u32 height;
    std::vector<u08> coverage; // width * height, rows top first
    u32 x = 0;                 // place in the atlas
    u32 y = 0;
};

long Round26Dot6(long value)
{
    return value >= 0 ? (value + 32) / Subpixels : -((-value + 32) / Subpixels);
}

bool Render(FT_Face face, std::vector<BakedGlyph>& glyphs)
{
    for (char c = FirstPrintable; c <= LastPrintable; ++c)
    {
        const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(c));
        if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0)
        {
            std::fprintf(stderr, "Error [%s]: the face has no glyph for '%c'\n", Tool, c);
            return false;
        }
        const FT_GlyphSlot slot = face->glyph;
        BakedGlyph glyph{c,
                         index,
                         static_cast<s32>(Round26Dot6(slot->advance.x)),
                         slot->bitmap_left,
                         slot->bitmap_top,
                         slot->bitmap.width,
                         slot->bitmap.rows,
                         {}};
        glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.height);
        for (u32 row = 0; row < glyph.height; ++row)
            std::copy_n(slot->bitmap.buffer + static_cast<std::ptrdiff_t>(row) * slot->bitmap.pitch,
                        glyph.width,
                        glyph.coverage.begin() + static_cast<std::ptrdiff_t>(row) * glyph.width);
        glyphs.push_back(std::move(glyph));
    }
    return true;
}

// Shelves of glyphs, tallest first (ties by character), left to right and top to bottom.
bool Pack(std::vector<BakedGlyph>& glyphs)
{
    std::vector<BakedGlyph*> order;
    for (BakedGlyph& glyph : glyphs)
        order.push_back(&glyph);
    std::stable_sort(order.begin(), order.end(),
                     [](const BakedGlyph* a, const BakedGlyph* b)
                     { return a->height > b->height; });
    u32 x = Gap, y = Gap, shelf = 0;
    for (BakedGlyph* glyph : order)
    {
        if (x + glyph->width + Gap > AtlasSize)
        {
            x = Gap;
            y += shelf + Gap;
            shelf = 0;
        }
        if (y + glyph->height + Gap > AtlasSize)
        {
            std::fprintf(stderr, "Error [%s]: the glyphs do not fit a %u-pixel atlas\n", Tool,
                         AtlasSize);
            return false;
        }
        glyph->x = x;
        glyph->y = y;
        x += glyph->width + Gap;
        shelf = std::max(shelf, glyph->height);
    }
    return true;
}

bool SaveAtlas(const std::vector<BakedGlyph>& glyphs, const std::string& path)
{
    Graphics::PngWriter::Description atlas;
    atlas.width = AtlasSize;
    atlas.height = AtlasSize;
    atlas.colorType = Graphics::PngRgbAlpha;
    atlas.rows.assign(static_cast<std::size_t>(AtlasSize) * AtlasSize * RgbaChannels, 0);
    for (std::size_t i = 0; i < atlas.rows.size(); i += RgbaChannels)
        atlas.rows[i] = atlas.rows[i + 1] = atlas.rows[i + 2] = 255;
    for (const BakedGlyph& glyph : glyphs)
        for (u32 row = 0; row < glyph.height; ++row)
            for (u32 column = 0; column < glyph.width; ++column)
                atlas.rows[((static_cast<std::size_t>(glyph.y) + row) * AtlasSize + glyph.x +
                            column) *
                               RgbaChannels +
                           3] =
                    glyph.coverage[static_cast<std::size_t>(row) * glyph.width + column];
    if (Graphics::PngWriter::Save(atlas, path))
        return true;
    std::fprintf(stderr, "Error [%s]: %s could not be written\n", Tool, path.c_str());
    return false;
}

bool SaveDescription(FT_Face face, const std::vector<BakedGlyph>& glyphs, const std::string& path)
{
    // The line is centred in the font's height: the baseline lies this far below its top.
    const long ascender = Round26Dot6(face->size->metrics.ascender);
    const long lineHeight = Round26Dot6(face->size->metrics.height);
    const long baseline = (static_cast<long>(FontHeight) - lineHeight) / 2 + ascender;

    tinyxml2::XMLDocument document;
    document.InsertEndChild(document.NewDeclaration());
    tinyxml2::XMLElement* root = document.NewElement("Font");
    document.InsertEndChild(root);
    root->SetAttribute("pixelsPerEm", PixelsPerEm);
    root->SetAttribute("face", FaceName);
    root->SetAttribute("height", FontHeight);
    root->SetAttribute("style", face->style_name != nullptr ? face->style_name : "");
    u32 pairs = 0;
    for (const BakedGlyph& glyph : glyphs)
    {
        tinyxml2::XMLElement* element = root->InsertNewChildElement("Glyph");
        element->SetAttribute("advance", glyph.advance);
        element->SetAttribute(
            "offset",
            (std::to_string(glyph.left) + ' ' + std::to_string(baseline - glyph.top)).c_str());
        element->SetAttribute("rect",
                              (std::to_string(glyph.x) + ' ' + std::to_string(glyph.y) + ' ' +
                               std::to_string(glyph.width) + ' ' + std::to_string(glyph.height))
                                  .c_str());
        element->SetAttribute("char", std::string(1, glyph.character).c_str());
        for (const BakedGlyph& next : glyphs)
        {
            FT_Vector kerning{0, 0};
            if (FT_Get_Kerning(face, glyph.glyphIndex, next.glyphIndex, FT_KERNING_DEFAULT,
                               &kerning) != 0)
                continue;
            const long adjustment = Round26Dot6(kerning.x);
            if (adjustment == 0)
                continue;
            tinyxml2::XMLElement* pair = element->InsertNewChildElement("Kerning");
            pair->SetAttribute("adjust", static_cast<int>(adjustment));
            pair->SetAttribute("char", std::string(1, next.character).c_str());
            ++pairs;
        }
    }
    if (pairs == 0)
        std::fprintf(stderr, "Warning [%s]: the face gave no kerning pairs\n", Tool);
    std::string reason;
    if (!Platform::WriteFileAtomically(path, Serializer::PrintXmlDocument(document), reason))
    {
        std::fprintf(stderr, "Error [%s]: %s could not be written (%s)\n", Tool, path.c_str(),
                     reason.c_str());
        return false;
    }
    return true;
}

bool Bake(FT_Library library, const std::string& fonts, const std::string& textures)
{
    FT_Face face = nullptr;
    if (FT_New_Face(library, FacePath, 0, &face) != 0)
    {
        std::fprintf(stderr, "Error [%s]: cannot open %s (package fonts-dejavu-core)\n", Tool,
                     FacePath);
        return false;
    }
    std::vector<BakedGlyph> glyphs;
    const bool baked = FT_Set_Pixel_Sizes(face, 0, PixelsPerEm) == 0 && Render(face, glyphs) &&
                       Pack(glyphs) && SaveAtlas(glyphs, textures + '/' + FontName + ".png") &&
                       SaveDescription(face, glyphs, fonts + '/' + FontName + ".xml");
    FT_Done_Face(face);
    return baked;
}
} // namespace

int main(int argc, char** argv)
{
    std::string root;
    if (!ReadToolArguments(Tool, argc, argv, root))
        return 2;
    const std::string fonts = MakeToolFolder(Tool, root, "Fonts");
    const std::string textures = MakeToolFolder(Tool, root, "Textures/Fonts");
    if (fonts.empty() || textures.empty())
        return 1;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
    {
        std::fprintf(stderr, "Error [%s]: FreeType did not start\n", Tool);
        return 1;
    }
    const bool baked = Bake(library, fonts, textures);
    FT_Done_FreeType(library);
    if (baked)
        std::printf("%s: %s baked into %s and %s\n", Tool, FontName, fonts.c_str(),
                    textures.c_str());
    return baked ? 0 : 1;
}
