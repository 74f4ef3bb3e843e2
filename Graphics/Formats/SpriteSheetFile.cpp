#include "Graphics/Formats/SpriteSheetFile.h"
#include "Core/Log.h"
#include "Xml/TextConversion.h"
#include "Xml/XmlFile.h"
#include <cstring>

namespace Graphics
{
namespace
{
const char* const TotalFramesKey = "TotalFrames";
const char* const WidthFramesKey = "WidthFrames";

// Reads the element under the cursor when it has that name, then moves the cursor past it. A
// value that is not a whole number from 1 to MaxFrames is refused with one line and the count
// keeps what it had (a sheet of no frames, or rows of no frames, would divide by zero in its
// users; a count past any texture's frames would make every frame a speck).
void ReadCount(const tinyxml2::XMLElement*& cursor, const char* name, const std::string& source,
               u32& count)
{
    if (cursor == nullptr || std::strcmp(cursor->Name(), name) != 0)
        return;
    const char* text = cursor->GetText();
    unsigned int value = 0;
    if (Serializer::ParseWholeText(text, value) && value > 0 && value <= SpriteSheetFile::MaxFrames)
        count = value;
    else
        Core::Log() << "Error [Texture]: " << source << ": " << name << " \""
                    << (text != nullptr ? text : "") << "\" refused: the valid range is 1 to "
                    << SpriteSheetFile::MaxFrames << "; " << count << " is kept\n";
    cursor = cursor->NextSiblingElement();
}
} // namespace

bool SpriteSheetFile::Read(const char* text, std::size_t length, const std::string& source,
                           u32& totalFrames, u32& framesPerRow)
{
    std::string error;
    auto document = Serializer::ParseXmlText(text, length, source, error);
    if (document == nullptr)
    {
        Core::Log() << "Error [Texture]: sprite sheet ignored: " << error << '\n';
        return false;
    }
    const tinyxml2::XMLElement* root = document->RootElement();
    const tinyxml2::XMLElement* cursor = root != nullptr ? root->FirstChildElement() : nullptr;
    ReadCount(cursor, TotalFramesKey, source, totalFrames);
    ReadCount(cursor, WidthFramesKey, source, framesPerRow);
    return true;
}
} // namespace Graphics
