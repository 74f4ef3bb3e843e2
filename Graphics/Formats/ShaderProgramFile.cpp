#include "Graphics/Formats/ShaderProgramFile.h"
#include "Core/Log.h"
#include "Serializer/Xml/XmlFile.h"
#include <cstring>

namespace Graphics
{
const char* const ShaderProgramFile::CategoryNames[CategoryCount] = {"Standard", "Static",
                                                                     "Skinned"};

namespace
{
const char* const kRunNames[] = {"VertexShader", "GeometryShader", "FragmentShader"};
constexpr int kRunCount = 3;

// The text of a variant element: its first child when that is text, trimmed by the collapsing
// parse already.
bool CategoryOf(const tinyxml2::XMLElement* element, u32& category)
{
    const char* text = element->GetText();
    if (text == nullptr)
        return false;
    for (u32 i = 0; i < ShaderProgramFile::CategoryCount; ++i)
    {
        if (std::strcmp(text, ShaderProgramFile::CategoryNames[i]) == 0)
        {
            category = i;
            return true;
        }
    }
    return false;
}
} // namespace

bool ShaderProgramFile::Read(const char* text, std::size_t length, const std::string& source,
                             std::vector<Variant>& variants)
{
    variants.clear();
    std::string error;
    auto document = Serializer::ParseXmlText(text, length, source, error);
    if (document == nullptr)
    {
        Core::Log() << "Error [ShaderProgram]: no program made: " << error << '\n';
        return false;
    }
    for (const tinyxml2::XMLElement* element = document->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement())
    {
        Variant variant;
        if (!CategoryOf(element, variant.category))
            continue;
        std::vector<std::string>* runs[kRunCount] = {
            &variant.vertexShaders, &variant.geometryShaders, &variant.fragmentShaders};
        int run = 0;
        for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child != nullptr;
             child = child->NextSiblingElement())
        {
            // Move forward to the run this element belongs to; an earlier run ends the reading.
            int found = run;
            while (found < kRunCount && std::strcmp(child->Name(), kRunNames[found]) != 0)
                ++found;
            if (found == kRunCount)
                break;
            run = found;
            const char* name = child->GetText();
            runs[run]->push_back(name != nullptr ? name : "");
        }
        variants.push_back(std::move(variant));
    }
    return true;
}
} // namespace Graphics
