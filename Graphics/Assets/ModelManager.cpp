#include "Graphics/Assets/ModelManager.h"
#include "Core/Assets/FileSystem.h"
#include <vector>

namespace Graphics
{
ModelManager* ModelManager::s_instance = nullptr;

ModelManager::ModelManager()
{
    m_categories[0].name = EnumName;
    m_categories[0].folder = Folder;
    s_instance = this;
}

ModelManager::~ModelManager()
{
    UnloadAll();
    if (s_instance == this)
        s_instance = nullptr;
}

void ModelManager::LoadAll(u32)
{
    std::vector<std::string> files;
    Serializer::System::FileSystem::ListFiles(Folder, files, "");
    for (const std::string& file : files)
    {
        const std::string name = Serializer::StripExtension(file);
        if (Find(name, 0) == nullptr)
            Add(name, ModelParam{std::string(Folder) + '/' + file}, 0);
    }
    DefineEditorEnum(EnumName, 0);
}

void ModelManager::Load(const std::string& name, u32 category)
{
    if (category != 0)
    {
        Core::Log() << "Error [ModelManager]: no model category " << category << " for " << name
                    << '\n';
        return;
    }
    if (Find(name, 0) == nullptr)
        Add(name, ModelParam{std::string(Folder) + '/' + name + Extension}, 0);
}
} // namespace Graphics
