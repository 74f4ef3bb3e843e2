#include "Graphics/Assets/FontManager.h"
#include "Core/Assets/FileSystem.h"
#include "Graphics/Assets/StagedAdd.h"
#include <vector>

namespace Graphics
{
FontManager* FontManager::s_instance = nullptr;

FontManager::FontManager()
{
    m_categories[0].name = EnumName;
    m_categories[0].folder = Folder;
    s_instance = this;
}

FontManager::~FontManager()
{
    UnloadAll();
    if (s_instance == this)
        s_instance = nullptr;
}

void FontManager::LoadAll(u32)
{
    std::vector<std::string> files;
    Serializer::System::FileSystem::ListFiles(Folder, files, "");
    for (const std::string& file : files)
    {
        const std::string name = Serializer::StripExtension(file);
        if (Find(name, 0) == nullptr)
            Add(name, FontParam{std::string(Folder) + '/' + file, nullptr}, 0);
    }
    DefineEditorEnum(EnumName, 0);
}

void FontManager::StageAll(u32, Core::StagedAssetList& staged)
{
    std::vector<std::string> files;
    Serializer::System::FileSystem::ListFiles(Folder, files, "");
    for (const std::string& file : files)
    {
        const std::string path = std::string(Folder) + '/' + file;
        auto data = std::make_shared<FontData>();
        Font::ReadFile(path, *data);
        staged.push_back(std::make_unique<StagedAdd<FontManager, FontParam>>(
            Serializer::StripExtension(file), FontParam{path, data}, 0));
    }
}
} // namespace Graphics
