#include "Graphics/Particles/ParticleDefinitionFile.h"
#include "Core/Assets/ObjectDefinition.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Log.h"
#include "Core/Objects/GameObject.h"
#include "Platform/AtomicFile.h"
#include "Xml/XmlFile.h"
#include <boost/filesystem.hpp>
#include <tinyxml2.h>

namespace Graphics
{
namespace
{
const char* const LogName = "ParticleEditor";

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
        Core::Log() << "Error [" << LogName << "]: save name \"" << base
                    << "\" refused: it names a path\n";
        return std::string();
    }
    // The name is the root element's and the definition's: cleaned as the particle editor's
    // saves clean theirs, so that the file reads back.
    const std::string clean = Serializer::CleanXmlName(base);
    if (clean.empty())
    {
        Core::Log() << "Error [" << LogName << "]: save name \"" << base
                    << "\" refused: it is empty\n";
        return std::string();
    }
    if (clean != base)
    {
        Core::Log() << "Warning [" << LogName << "]: save name \"" << base
                    << "\" cannot name a definition; saving as " << clean << '\n';
    }
    Serializer::ObjectDefinitionManager* manager = Serializer::ObjectDefinitionManager::Instance();
    const std::string folder = Serializer::ObjectDefinitionManager::Categories[category].folder;
    std::string chosen = clean;
    for (u32 counter = 0; IsTaken(manager, folder, chosen, category); ++counter)
        chosen = clean + std::to_string(counter);

    tinyxml2::XMLDocument document;
    document.InsertEndChild(document.NewDeclaration());
    tinyxml2::XMLElement* root = document.NewElement(chosen.c_str());
    document.InsertEndChild(root);
    GameObject::SerializeComponent(document, root, component);

    boost::system::error_code error;
    boost::filesystem::create_directories(folder, error);
    const std::string path = folder + "/" + chosen + ".xml";
    std::string reason;
    if (!Platform::WriteFileAtomically(path, Serializer::PrintXmlDocument(document), reason))
    {
        Core::Log() << "Error [" << LogName << "]: could not write " << path << " (" << reason
                    << ")\n";
        return std::string();
    }
    // Only a file that start-up will read counts as saved.
    if (!Serializer::ObjectDefinition::ReadsBack(path, reason))
    {
        boost::filesystem::remove(path, error);
        Core::Log() << "Error [" << LogName << "]: " << path
                    << " was written but does not read back (" << reason << "); removed\n";
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
