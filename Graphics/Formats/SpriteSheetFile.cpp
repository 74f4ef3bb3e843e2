#include "Graphics/Formats/SpriteSheetFile.h"
#include "Core/Log.h"
#include "Serializer/Xml/TextConversion.h"
#include "Serializer/Xml/XmlFile.h"
#include <cstring>

namespace Graphics
{
namespace
{
const char* const kTotalFrames = "TotalFrames";
const char* const kWidthFrames = "WidthFrames";

// Reads the element under the cursor when it has that name, then moves the cursor past it.
void ReadCount(const tinyxml2::XMLElement*& cursor, const char* name, u32& count)
{
    if (cursor == nullptr || std::strcmp(cursor->Name(), name) != 0)
        return;
    unsigned int value = 0;
    // A sheet of no frames or rows of no frames would divide by zero in its users.
    if (Serializer::ParseText(cursor->GetText(), value) && value > 0)
        count = value;
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
    ReadCount(cursor, kTotalFrames, totalFrames);
    ReadCount(cursor, kWidthFrames, framesPerRow);
    return true;
}
} // namespace Graphics
