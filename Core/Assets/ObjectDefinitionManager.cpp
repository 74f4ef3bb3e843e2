#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Assets/FileSystem.h"
#include "Core/Log.h"
#include <vector>

namespace Serializer
{
const ObjectDefinitionManager::CategoryInfo ObjectDefinitionManager::Categories[CategoryCount] = {
    {"ObjectDefinition", "assets/Objects"},
    {"EffectDefinition", "assets/ParticleEffects"},
    {"DataDefinition", "assets/ParticleEffects/ParticleData"},
    {"EmitterDefinition", "assets/ParticleEffects/ParticleEmitters"},
};

ObjectDefinitionManager* ObjectDefinitionManager::s_instance = nullptr;

void ObjectDefinitionManager::LoadAll(u32)
{
    if (m_categories.size() < CategoryCount)
        m_categories.resize(CategoryCount);

    std::vector<std::string> files;
    for (u32 category = 0; category < CategoryCount; ++category)
    {
        const std::string folder = Categories[category].folder;
        m_categories[category].folder = folder;
        System::FileSystem::ListFiles(folder, files, DefinitionExtension);
        // The object folder is the one every game needs; the particle folders are optional.
        if (category == ObjectCategory && files.empty() && !FileExists(folder) &&
            m_reportedPaths.insert(folder).second)
        {
            Core::Log() << "Error [SerializerSystem]: the folder " << folder
                        << " does not exist; no object definitions loaded\n";
        }
        for (const std::string& file : files)
        {
            const std::string name = StripExtension(file);
            const std::string path = folder + '/' + file;
            if (const ObjectDefinition* present = FindHashHolder(name, category))
            {
                // Running again finds every earlier file: only a second file is worth a line,
                // and only once.
                const std::string& presentPath = present->GetParam().path;
                if (presentPath == path || !m_reportedPaths.insert(path).second)
                    continue;
                if (present->GetName() == name)
                {
                    Core::Log() << "SerializerSystem: " << path << " skipped, the definition "
                                << name << " comes from " << presentPath << '\n';
                }
                else
                {
                    Core::Log() << "Error [SerializerSystem]: " << path << " refused: its name "
                                << name << " has the same hash as " << present->GetName()
                                << " from " << presentPath << '\n';
                }
                continue;
            }
            Add(name, ObjectDefinitionParam{path}, category);
        }
        DefineEditorEnum(Categories[category].name, category);
    }
}

u32 ObjectDefinitionManager::GetUsableCount(u32 category) const
{
    const Category* records = GetCategory(category);
    if (records == nullptr)
        return 0;
    u32 count = 0;
    for (const ObjectDefinition* definition : records->assets)
        count += definition->IsValid() ? 1u : 0u;
    return count;
}

ObjectDefinition* ObjectDefinitionManager::FindDefinition(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    for (u32 category = 0; category < m_categories.size(); ++category)
    {
        if (ObjectDefinition* definition = Find(name, category))
            return definition;
    }
    return nullptr;
}
} // namespace Serializer

namespace Serializer
{
bool ObjectDefinitionManager::RenameDefinition(const std::string& oldName,
                                               const std::string& newName, u32 category)
{
    const ObjectDefinition* definition = Find(oldName, category);
    if (definition == nullptr || category >= CategoryCount)
    {
        Core::Log() << "Error [SerializerSystem]: no definition " << oldName << " in category "
                    << category << " to rename\n";
        return false;
    }
    const std::string oldPath = definition->GetParam().path;
    const std::string newPath =
        GetCategoryDirectory(category, true) + newName + DefinitionExtension;
    if (!FileExists(oldPath) || FileExists(newPath) || FindHashHolder(newName, category) != nullptr)
    {
        Core::Log() << "Error [SerializerSystem]: " << oldPath << " not renamed to " << newPath
                    << ": the source is missing or the name is taken\n";
        return false;
    }
    if (!RenameFile(oldPath, newPath))
    {
        Core::Log() << "Error [SerializerSystem]: " << oldPath << " could not be renamed to "
                    << newPath << '\n';
        return false;
    }
    Rename(oldName, newName, ObjectDefinitionParam{newPath}, category);
    DefineEditorEnum(Categories[category].name, category);
    return true;
}
} // namespace Serializer
