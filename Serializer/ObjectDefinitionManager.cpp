#include "Serializer/ObjectDefinitionManager.h"
#include "Core/Log.h"
#include "Serializer/FileSystem.h"
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
        for (const std::string& file : files)
        {
            const std::string name = StripExtension(file);
            const std::string path = folder + '/' + file;
            if (const ObjectDefinition* present = Find(name, category))
            {
                // Running again finds every earlier file: only a second file is worth a line.
                if (present->GetParam().path != path)
                {
                    Core::Log() << "SerializerSystem: " << path << " skipped, the definition "
                                << name << " comes from " << present->GetParam().path << '\n';
                }
                continue;
            }
            Add(name, ObjectDefinitionParam{path}, category);
        }
        DefineEditorEnum(Categories[category].name, category);
    }
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
