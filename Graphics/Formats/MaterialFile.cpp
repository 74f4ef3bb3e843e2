#include "Graphics/Formats/MaterialFile.h"
#include "Core/Log.h"
#include "Xml/XmlFile.h"
#include <cstring>

namespace Graphics
{
const std::array<const char*, MaterialFile::SlotCount> MaterialFile::SlotNames = {
    "DiffuseMap", "NormalMap", "SpecularMap", "GlossMap", "EmissiveMap", "OpacityMap"};
const std::array<const char*, MaterialFile::SlotCount> MaterialFile::DefaultTextures = {
    "White", "Flat", "Black", "Black", "Black", "White"};

bool MaterialFile::Read(const char* text, std::size_t length, const std::string& source,
                        Names& names)
{
    names = Names();
    std::string error;
    auto document = Serializer::ParseXmlText(text, length, source, error);
    if (document == nullptr)
    {
        Core::Log() << "Error [Material]: default textures used: " << error << '\n';
        return false;
    }
    const tinyxml2::XMLElement* root = document->RootElement();
    const tinyxml2::XMLElement* cursor = root != nullptr ? root->FirstChildElement() : nullptr;
    for (u32 slot = 0; slot < SlotCount && cursor != nullptr; ++slot)
    {
        if (std::strcmp(cursor->Name(), SlotNames[slot]) != 0)
            continue;
        const char* name = cursor->GetText();
        names[slot] = name != nullptr ? name : "";
        cursor = cursor->NextSiblingElement();
    }
    return true;
}
} // namespace Graphics
