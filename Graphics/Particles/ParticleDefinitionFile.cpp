#include "Graphics/Particles/ParticleDefinitionFile.h"
#include "Core/Log.h"
#include "Core/Objects/GameObject.h"
#include "Serializer/ObjectDefinitionManager.h"
#include <boost/filesystem.hpp>
#include <tinyxml2.h>

namespace Graphics
{
namespace
{
const char* const kPart = "ParticleEditor";

bool IsTaken(const Serializer::ObjectDefinitionManager* manager, const std::string& folder,
             const std::string& name, u32 category)
{
    if (manager != nullptr && manager->FindHashHolder(name, category) != nullptr)
        return true;
    boost::system::error_code error;
    return boost::filesystem::exists(folder + "/" + name + ".xml", error);
}
} // namespace

std::string SaveParticleDefinition(GameObjectComponent& component, const std::string& name,
                                   const std::string& defaultName, u32 category)
{
    if (category >= Serializer::ObjectDefinitionManager::CategoryCount)
        return std::string();
    const std::string base = name.empty() ? defaultName : name;
    if (base.find('/') != std::string::npos || base.find('\\') != std::string::npos ||
        base.find("..") != std::string::npos)
    {
        Core::Log() << "Error [" << kPart << "]: save name \"" << base
                    << "\" refused: it names a path\n";
        return std::string();
    }
    Serializer::ObjectDefinitionManager* manager = Serializer::ObjectDefinitionManager::Instance();
    const std::string folder = Serializer::ObjectDefinitionManager::Categories[category].folder;
    std::string chosen = base;
    for (u32 counter = 0; IsTaken(manager, folder, chosen, category); ++counter)
        chosen = base + std::to_string(counter);

    tinyxml2::XMLDocument document;
    document.InsertEndChild(document.NewDeclaration());
    tinyxml2::XMLElement* root = document.NewElement(chosen.c_str());
    document.InsertEndChild(root);
    GameObject::SerializeComponent(document, root, component);

    boost::system::error_code error;
    boost::filesystem::create_directories(folder, error);
    const std::string path = folder + "/" + chosen + ".xml";
    if (document.SaveFile(path.c_str(), false) != tinyxml2::XML_SUCCESS)
    {
        Core::Log() << "Error [" << kPart << "]: could not write " << path << '\n';
        return std::string();
    }
    if (manager != nullptr)
    {
        Serializer::ObjectDefinitionParam param;
        param.path = path;
        manager->Add(chosen, param, category);
        manager->DefineEditorEnum(Serializer::ObjectDefinitionManager::Categories[category].name,
                                  category);
    }
    Core::Log() << "Saved " << path << '\n';
    return chosen;
}
} // namespace Graphics
