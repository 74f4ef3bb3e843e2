#include "Graphics/Assets/Font.h"
#include "Graphics/Assets/GlName.h"
#include "Graphics/Assets/TextureManager.h"
#include "Serializer/FileReader.h"
#include <GL/glew.h>

namespace Graphics
{
namespace
{
const char* const Sampler = "DiffuseMap";

u08 KeyOf(char character)
{
    return static_cast<u08>(character);
}
} // namespace

Font::Font() : m_texture(nullptr)
{
    m_glyphIndex.fill(NoGlyph);
}

Font::~Font() = default;

void Font::ReadFile(const std::string& path, FontData& data)
{
    data = FontData();
    FileReader reader(path);
    char* text = nullptr;
    if (reader.ReadAll(text)) // otherwise the reader logged the file
        FontFile::Read(text, reader.GetBufferSize() - 1, path, data.header, data.glyphs);
}

bool Font::Load()
{
    const TextureManager* textures = TextureManager::Instance();
    m_texture =
        textures != nullptr ? textures->Find(m_name, TextureManager::FontCategory) : nullptr;
    if (m_texture == nullptr)
    {
        Core::Log() << "Error [Font]: " << m_param.path << " refused: no texture " << m_name
                    << " in " << TextureManager::Categories[TextureManager::FontCategory].folder
                    << '\n';
        return false;
    }
    if (m_param.staged != nullptr)
    {
        std::shared_ptr<FontData> staged = std::move(m_param.staged);
        Build(*staged);
        return true;
    }
    FontData data;
    ReadFile(m_param.path, data);
    Build(data);
    return true;
}

void Font::Build(const FontData& data)
{
    m_header = data.header;
    m_glyphs.clear();
    m_glyphIndex.fill(NoGlyph);
    for (const FontFile::GlyphRecord& record : data.glyphs)
    {
        const u08 key = KeyOf(record.character[0]);
        if (m_glyphIndex[key] == NoGlyph)
        {
            m_glyphIndex[key] = static_cast<s32>(m_glyphs.size());
            m_glyphs.emplace_back();
        }
        // A repeated character replaces the earlier glyph, kerning included.
        Glyph& glyph = m_glyphs[static_cast<std::size_t>(m_glyphIndex[key])];
        glyph = Glyph();
        glyph.character = record.character;
        glyph.advance = record.advance;
        glyph.offsetX = record.offsetX;
        glyph.offsetY = record.offsetY;
        glyph.x = record.x;
        glyph.y = record.y;
        glyph.width = record.width;
        glyph.height = record.height;
        for (const auto& pair : record.kerning)
        {
            bool replaced = false;
            for (auto& present : glyph.kerning)
            {
                if (present.first == pair.first)
                {
                    present.second = pair.second;
                    replaced = true;
                }
            }
            if (!replaced)
                glyph.kerning.push_back(pair);
        }
    }

    const f32 s = static_cast<f32>(m_header.size);
    const f32 w = static_cast<f32>(m_texture->GetWidth());
    const f32 h = static_cast<f32>(m_texture->GetHeight());
    // A file without a valid size has no glyphs, so s is above 0 here; an empty texture is not
    // loaded, so w and h are too.
    for (Glyph& glyph : m_glyphs)
    {
        const f32 top = (s - glyph.offsetY) / s;
        const f32 bottom = (s - glyph.offsetY - glyph.height) / s;
        const f32 left = glyph.offsetX / s;
        const f32 right = (glyph.width + glyph.offsetX) / s;
        glyph.corners = {Math::Vector3(left, top, 0.0f), Math::Vector3(right, top, 0.0f),
                         Math::Vector3(right, bottom, 0.0f), Math::Vector3(left, bottom, 0.0f)};
        const f32 u0 = glyph.x / w;
        const f32 u1 = (glyph.width + glyph.x) / w;
        const f32 v0 = (h - glyph.y) / h;
        const f32 v1 = (h - glyph.y - glyph.height) / h;
        glyph.texcoords = {Math::Vector2(u0, v0), Math::Vector2(u1, v0), Math::Vector2(u1, v1),
                           Math::Vector2(u0, v1)};
    }
}

const Glyph* Font::GetGlyph(char character) const
{
    const s32 index = m_glyphIndex[KeyOf(character)];
    return index != NoGlyph ? &m_glyphs[static_cast<std::size_t>(index)] : nullptr;
}

s32 Font::GetKerning(const Glyph& glyph, char next)
{
    for (const auto& pair : glyph.kerning)
    {
        if (pair.first == KeyOf(next))
            return pair.second;
    }
    return 0;
}

void Font::Bind(u32 program) const
{
    glActiveTexture(GL_TEXTURE0);
    const u32 handle = m_texture != nullptr ? m_texture->GetHandle() : NoGlName;
    glBindTexture(GL_TEXTURE_2D, handle != NoGlName ? handle : 0);
    glUniform1i(glGetUniformLocation(program, Sampler), 0);
}
} // namespace Graphics
