#include "Graphics/Formats/ShaderProgramFile.h"
#include "Core/Assets/AssetPath.h"
#include "Core/Log.h"
#include "Xml/XmlFile.h"
#include <cstring>

namespace Graphics
{
const char* const ShaderProgramFile::CategoryNames[CategoryCount] = {"Standard", "Static",
                                                                     "Skinned"};
const char* const ShaderProgramFile::RunKinds[RunCount] = {"vertex shader", "geometry shader",
                                                           "fragment shader"};

namespace
{
const char* const RunNames[] = {"VertexShader", "GeometryShader", "FragmentShader"};
constexpr int ProgramRunCount = 3;

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
        if (element->GetText() == nullptr)
        {
            Core::Log() << "Error [ShaderProgram]: " << source
                        << " not linked: a program names no kind (Standard, Static or Skinned)\n";
            continue;
        }
        // Another engine's kind of program is no fault of this one: it is passed over.
        if (!CategoryOf(element, variant.category))
            continue;
        std::vector<std::string>* runs[ProgramRunCount] = {
            &variant.vertexShaders, &variant.geometryShaders, &variant.fragmentShaders};
        int run = 0;
        for (const tinyxml2::XMLElement* child = element->FirstChildElement(); child != nullptr;
             child = child->NextSiblingElement())
        {
            // Move forward to the run this element belongs to; an earlier run ends the reading.
            int found = run;
            while (found < ProgramRunCount && std::strcmp(child->Name(), RunNames[found]) != 0)
                ++found;
            if (found == ProgramRunCount)
                break;
            run = found;
            const char* name = child->GetText();
            runs[run]->push_back(name != nullptr ? name : "");
        }
        variants.push_back(std::move(variant));
    }
    return true;
}

bool ShaderProgramFile::CheckShaders(const Variant& variant, const std::string& source,
                                     const Locate& locate, std::vector<bool>& found)
{
    found.clear();
    const std::vector<std::string>* runs[RunCount] = {
        &variant.vertexShaders, &variant.geometryShaders, &variant.fragmentShaders};
    std::string problems;
    bool stageFound[RunCount] = {};
    for (u32 run = 0; run < RunCount; ++run)
    {
        for (const std::string& name : *runs[run])
        {
            const std::string named = std::string("; ") + RunKinds[run] + " \"" + name + "\"";
            const u32 where = Core::IsAssetPathInside(name) ? locate(name, run) : run;
            if (!Core::IsAssetPathInside(name))
                problems += named + " leaves the shader folder";
            else if (where == run)
                stageFound[run] = true;
            else if (where < RunCount)
                problems += named + " is a " + RunKinds[where];
            else
                problems += named + " does not exist";
            found.push_back(Core::IsAssetPathInside(name) && where == run);
        }
    }

    const std::string where = "Error [ShaderProgram]: " + source + " (" +
                              CategoryNames[variant.category % CategoryCount] + ")";
    // A program needs both ends of the pipeline; the geometry stage is optional.
    if (!stageFound[VertexRun] || !stageFound[FragmentRun])
    {
        const char* missing = "it names no shaders";
        if (!found.empty())
        {
            if (!stageFound[VertexRun] && !stageFound[FragmentRun])
                missing = "it has no vertex and no fragment shader";
            else
                missing = !stageFound[VertexRun] ? "it has no vertex shader"
                                                 : "it has no fragment shader";
        }
        Core::Log() << where << " not linked: " << missing << problems << '\n';
        return false;
    }
    if (!problems.empty())
        Core::Log() << where << ": linked, but" << problems.substr(1) << '\n';
    return true;
}
} // namespace Graphics
