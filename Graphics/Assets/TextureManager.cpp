#include "Graphics/Assets/TextureManager.h"
#include "Core/Assets/FileSystem.h"
#include "Graphics/Assets/StagedAdd.h"
#include <vector>

namespace Graphics
{
const TextureManager::CategoryInfo TextureManager::Categories[CategoryCount] = {
    {"TextureDefault", "assets/Textures"},
    {"TextureFont", "assets/Textures/Fonts"},
    {"TextureParticle", "assets/Textures/Particles"},
};

TextureManager* TextureManager::s_instance = nullptr;

namespace
{
using StagedTexture = StagedAdd<TextureManager, TextureParam>;

std::string PathOf(u32 category, const std::string& file)
{
    return std::string(TextureManager::Categories[category].folder) + '/' + file;
}

void StageFile(u32 category, const std::string& name, const std::string& path,
               Core::StagedAssetList& staged)
{
    auto data = std::make_shared<TextureData>();
    if (Texture::ReadFile(path, *data))
        staged.push_back(std::make_unique<StagedTexture>(name, TextureParam{path, data}, category));
}
} // namespace

TextureManager::TextureManager()
{
    m_categories.resize(CategoryCount);
    for (u32 category = 0; category < CategoryCount; ++category)
    {
        m_categories[category].name = Categories[category].name;
        m_categories[category].folder = Categories[category].folder;
    }
    s_instance = this;
}

TextureManager::~TextureManager()
{
    UnloadAll();
    if (s_instance == this)
        s_instance = nullptr;
}

void TextureManager::LoadAll(u32 category)
{
    std::vector<std::string> files;
    for (u32 index = 0; index < CategoryCount; ++index)
    {
        if (category != AllCategories && category != index)
            continue;
        Serializer::System::FileSystem::ListFiles(Categories[index].folder, files, "");
        for (const std::string& file : files)
        {
            const std::string name = Serializer::StripExtension(file);
            if (Find(name, index) == nullptr)
                Add(name, TextureParam{PathOf(index, file), nullptr}, index);
        }
        DefineEditorEnum(Categories[index].name, index);
    }
}

void TextureManager::Load(const std::string& name, u32 category)
{
    if (category >= CategoryCount)
    {
        Core::Log() << "Error [TextureManager]: no texture category " << category << " for " << name
                    << '\n';
        return;
    }
    if (Find(name, category) == nullptr)
        Add(name, TextureParam{PathOf(category, name + ImageExtension), nullptr}, category);
}

Texture* TextureManager::FindAny(const std::string& name) const
{
    for (u32 category = 0; category < m_categories.size(); ++category)
    {
        if (Texture* texture = Find(name, category))
            return texture;
    }
    return nullptr;
}

void TextureManager::StageAll(u32 category, Core::StagedAssetList& staged)
{
    std::vector<std::string> files;
    for (u32 index = 0; index < CategoryCount; ++index)
    {
        if (category != AllCategories && category != index)
            continue;
        Serializer::System::FileSystem::ListFiles(Categories[index].folder, files, "");
        for (const std::string& file : files)
            StageFile(index, Serializer::StripExtension(file), PathOf(index, file), staged);
    }
}

void TextureManager::Stage(const std::string& name, u32 category, Core::StagedAssetList& staged)
{
    if (category >= CategoryCount)
    {
        Core::Log() << "Error [TextureManager]: no texture category " << category << " for " << name
                    << '\n';
        return;
    }
    StageFile(category, name, PathOf(category, name + ImageExtension), staged);
}
} // namespace Graphics
