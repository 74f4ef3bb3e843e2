#include "Graphics/Formats/FontFile.h"
#include "Core/Log.h"
#include "Xml/TextConversion.h"
#include "Xml/XmlFile.h"
#include <cstring>

namespace Graphics
{
namespace
{
constexpr int HeaderAttributes = 4;
constexpr int GlyphAttributes = 4;
constexpr int KerningAttributes = 2;
constexpr int OffsetValues = 2;
constexpr int RectangleValues = 4;

// The first `count` attribute values of an element in order; false when it has fewer.
bool TakeAttributes(const tinyxml2::XMLElement* element, const char** values, int count)
{
    const tinyxml2::XMLAttribute* attribute = element->FirstAttribute();
    for (int i = 0; i < count; ++i)
    {
        if (attribute == nullptr)
            return false;
        values[i] = attribute->Value();
        attribute = attribute->Next();
    }
    return true;
}

bool ReadGlyph(const tinyxml2::XMLElement* element, FontFile::GlyphRecord& glyph,
               std::size_t& skipped)
{
    const char* values[GlyphAttributes] = {};
    unsigned int advance = 0;
    f32 offset[OffsetValues] = {};
    f32 rectangle[RectangleValues] = {};
    if (!TakeAttributes(element, values, GlyphAttributes) ||
        !Serializer::ParseText(values[0], advance) ||
        !Serializer::ParseFloats(values[1], offset, OffsetValues) ||
        !Serializer::ParseFloats(values[2], rectangle, RectangleValues) || values[3][0] == '\0')
        return false;
    glyph.character = values[3];
    glyph.advance = advance;
    glyph.offsetX = offset[0];
    glyph.offsetY = offset[1];
    glyph.x = rectangle[0];
    glyph.y = rectangle[1];
    glyph.width = rectangle[2];
    glyph.height = rectangle[3];
    for (const tinyxml2::XMLElement* kern = element->FirstChildElement(); kern != nullptr;
         kern = kern->NextSiblingElement())
    {
        const char* pair[KerningAttributes] = {};
        int adjustment = 0;
        if (!TakeAttributes(kern, pair, KerningAttributes) ||
            !Serializer::ParseText(pair[0], adjustment) || pair[1][0] == '\0')
        {
            ++skipped;
            continue;
        }
        glyph.kerning.emplace_back(static_cast<u08>(pair[1][0]), adjustment);
    }
    return true;
}
} // namespace

bool FontFile::Read(const char* text, std::size_t length, const std::string& source, Header& header,
                    std::vector<GlyphRecord>& glyphs)
{
    glyphs.clear();
    header = Header();
    std::string error;
    auto document = Serializer::ParseXmlText(text, length, source, error);
    if (document == nullptr)
    {
        Core::Log() << "Error [Font]: no glyphs: " << error << '\n';
        return false;
    }
    const tinyxml2::XMLElement* root = document->RootElement();
    if (root == nullptr || std::strcmp(root->Name(), RootName) != 0)
    {
        Core::Log() << "Error [Font]: " << source << " has no root element named " << RootName
                    << "; no glyphs\n";
        return false;
    }
    const char* values[HeaderAttributes] = {};
    unsigned int first = 0;
    unsigned int size = 0;
    if (!TakeAttributes(root, values, HeaderAttributes) ||
        !Serializer::ParseText(values[0], first) || !Serializer::ParseText(values[2], size) ||
        size == 0)
    {
        Core::Log() << "Error [Font]: " << source
                    << " refused: its root needs four attributes with a pixel size above 0\n";
        return false;
    }
    if (size > MaxPixelSize)
    {
        Core::Log() << "Error [Font]: " << source << " refused: its pixel size " << size
                    << " is outside the valid range 1 to " << MaxPixelSize << '\n';
        return false;
    }
    header.first = first;
    header.second = values[1];
    header.size = size;
    header.fourth = values[3];

    std::size_t skipped = 0;
    for (const tinyxml2::XMLElement* element = root->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement())
    {
        GlyphRecord glyph;
        if (ReadGlyph(element, glyph, skipped))
            glyphs.push_back(std::move(glyph));
        else
            ++skipped;
    }
    if (skipped > 0)
        Core::Log() << "Error [Font]: " << source << ": " << skipped
                    << " glyph or kerning elements without their attributes were skipped\n";
    return true;
}
} // namespace Graphics
