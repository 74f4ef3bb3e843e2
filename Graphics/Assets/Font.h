#pragma once
// A bitmap font: the texture of the same name in the texture manager's TextureFont category
// holds the glyph images, and a font file (FontFile.h) under assets/Fonts gives each
// character's advance, quad offset, rectangle and kerning. A font without its texture is
// refused; a missing or unparsable file gives a font with no glyphs (logged). The file may be
// read on the loader's worker (staged); the texture is looked up in Load, on the main thread.
#include "Core/Assets/AssetManager.h"
#include "Graphics/Assets/Glyph.h"
#include "Graphics/Formats/FontFile.h"
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace Graphics
{
class Texture;

// A font file read away from its manager.
struct FontData
{
    FontFile::Header header;
    std::vector<FontFile::GlyphRecord> glyphs;
};

struct FontParam
{
    std::string path;
    std::shared_ptr<FontData> staged;
};

class Font : public Asset<FontParam>
{
public:
    // Reads the file: a missing or refused one is logged and leaves no glyphs.
    static void ReadFile(const std::string& path, FontData& data);

    Font();
    ~Font() override;

    bool Load() override;
    void Unload() override {}

    // The glyph of a character, or null when the font has none (layout skips it).
    const Glyph* GetGlyph(char character) const;
    // The adjustment after `glyph` when `next` follows, in pixels; 0 when there is none.
    static s32 GetKerning(const Glyph& glyph, char next);
    // Makes unit 0 active, binds the font's texture and sets the program's "DiffuseMap" to 0.
    void Bind(u32 program) const;

    // Glyphs in the order their characters first appeared.
    const std::vector<Glyph>& GetGlyphs() const { return m_glyphs; }
    u32 GetPixelSize() const { return m_header.size; }
    const FontFile::Header& GetHeader() const { return m_header; }
    const Texture* GetTexture() const { return m_texture; }

private:
    void Build(const FontData& data);

    static constexpr s32 NoGlyph = -1;
    static constexpr std::size_t ByteValues = 256;

    const Texture* m_texture;
    FontFile::Header m_header;
    std::vector<Glyph> m_glyphs;
    std::array<s32, ByteValues> m_glyphIndex; // character byte -> index into m_glyphs
};
} // namespace Graphics
