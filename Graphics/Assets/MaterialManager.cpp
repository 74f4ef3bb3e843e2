#include "Graphics/Assets/MaterialManager.h"
#include "Core/Assets/FileSystem.h"
#include "Graphics/Assets/StagedAdd.h"
#include <vector>

namespace Graphics
{
MaterialManager* MaterialManager::s_instance = nullptr;

namespace
{
using StagedMaterial = StagedAdd<MaterialManager, MaterialParam>;

void StageFile(const std::string& name, const std::string& path, Core::StagedAssetList& staged)
{
    auto names = std::make_shared<MaterialFile::Names>();
    Material::ReadFile(path, *names);
    staged.push_back(std::make_unique<StagedMaterial>(name, MaterialParam{path, names}, 0));
}
} // namespace

MaterialManager::MaterialManager()
{
    m_categories[0].name = EnumName;
    m_categories[0].folder = Folder;
    s_instance = this;
}

MaterialManager::~MaterialManager()
{
    UnloadAll();
    if (s_instance == this)
        s_instance = nullptr;
}

void MaterialManager::LoadAll(u32)
{
    std::vector<std::string> files;
    Serializer::System::FileSystem::ListFiles(Folder, files, "");
    for (const std::string& file : files)
    {
        const std::string name = Serializer::StripExtension(file);
        if (Find(name, 0) == nullptr)
            Add(name, MaterialParam{std::string(Folder) + '/' + file, nullptr}, 0);
    }
    DefineEditorEnum(EnumName, 0);
}

void MaterialManager::Load(const std::string& name, u32)
{
    if (Find(name, 0) == nullptr)
        Add(name, MaterialParam{std::string(Folder) + '/' + name + Extension, nullptr}, 0);
}

void MaterialManager::StageAll(u32, Core::StagedAssetList& staged)
{
    std::vector<std::string> files;
    Serializer::System::FileSystem::ListFiles(Folder, files, "");
    for (const std::string& file : files)
        StageFile(Serializer::StripExtension(file), std::string(Folder) + '/' + file, staged);
}

void MaterialManager::Stage(const std::string& name, u32, Core::StagedAssetList& staged)
{
    StageFile(name, std::string(Folder) + '/' + name + Extension, staged);
}
} // namespace Graphics
