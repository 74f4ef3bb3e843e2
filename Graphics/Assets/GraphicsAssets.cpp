#include "Graphics/Assets/GraphicsAssets.h"
#include "Core/Log.h"
#include "Core/System/AssetLoaderSystem.h"
#include "Graphics/Assets/FontManager.h"
#include "Graphics/Assets/FrameBufferManager.h"
#include "Graphics/Assets/GraphicsAssetSection.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Assets/ShaderManager.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Assets/TextureManager.h"

namespace Graphics
{
namespace
{
// Unloading programs before shaders lets them detach shader objects that still exist.
template <class Manager> void UnloadEach(Manager* manager)
{
    if (manager == nullptr)
        return;
    for (u32 category = 0; category < manager->GetCategoryCount(); ++category)
    {
        for (auto* asset : manager->GetCategory(category)->assets)
            asset->Unload();
    }
}

template <class Manager> void Delete()
{
    // The destructor unloads and frees every asset and clears Instance.
    delete Manager::Instance();
}
} // namespace

void GraphicsAssets::Create()
{
    new TextureManager();
    Core::Log() << "Texture Assets Loaded.\n";
    new ModelManager();
    Core::Log() << "Model Assets Loaded.\n";
    new ShaderManager();
    Core::Log() << "Shader Assets Loaded.\n";
    new ShaderProgramManager();
    Core::Log() << "Shader Program Assets Loaded.\n";
    new FrameBufferManager();
    Core::Log() << "FBO Assets Loaded.\n";
    new FontManager();
    Core::Log() << "Font Assets Loaded.\n";
    new MaterialManager();
    Core::Log() << "Material Assets Loaded.\n";
}

void GraphicsAssets::ReloadAll()
{
    if (TextureManager* textures = TextureManager::Instance())
        textures->ReloadAll();
    if (ModelManager* models = ModelManager::Instance())
        models->ReloadAll();
    if (ShaderManager* shaders = ShaderManager::Instance())
        shaders->ReloadAll();
    if (ShaderProgramManager* programs = ShaderProgramManager::Instance())
        programs->ReloadAll();
    if (FrameBufferManager* targets = FrameBufferManager::Instance())
    {
        targets->ReloadAll();
        // Each target is left bound by its reload; drawing goes on into the window.
        FrameBufferObject::BindDefault();
    }
    if (FontManager* fonts = FontManager::Instance())
        fonts->ReloadAll();
}

void GraphicsAssets::ReloadShaders()
{
    UnloadEach(ShaderProgramManager::Instance());
    UnloadEach(ShaderManager::Instance());
    if (ShaderManager* shaders = ShaderManager::Instance())
        shaders->ReloadAll();
    if (ShaderProgramManager* programs = ShaderProgramManager::Instance())
        programs->ReloadAll();
}

void GraphicsAssets::Destroy()
{
    Delete<TextureManager>();
    Delete<ModelManager>();
    Delete<ShaderProgramManager>();
    Delete<ShaderManager>();
    Delete<FrameBufferManager>();
    Delete<FontManager>();
    Delete<MaterialManager>();
}

void GraphicsAssets::RegisterSections()
{
    using Core::System::AssetLoaderSystem;
    // The three texture sections share one manager (categories 0, 2, 1 in the batch's order).
    auto textures = std::make_shared<GraphicsAssetSection<TextureManager, true, true>>();
    for (u32 category = 0; category < TextureManager::CategoryCount; ++category)
        AssetLoaderSystem::RegisterSection(TextureManager::Categories[category].name, textures);
    AssetLoaderSystem::RegisterSection(
        "Material", std::make_shared<GraphicsAssetSection<MaterialManager, true, true>>());
    AssetLoaderSystem::RegisterSection(
        "Font", std::make_shared<GraphicsAssetSection<FontManager, true, true>>());
    AssetLoaderSystem::RegisterSection(
        "Model", std::make_shared<GraphicsAssetSection<ModelManager, true, false>>());
    AssetLoaderSystem::RegisterSection(
        "Shader", std::make_shared<GraphicsAssetSection<ShaderManager, false, false>>());
    AssetLoaderSystem::RegisterSection(
        "ShaderProgram",
        std::make_shared<GraphicsAssetSection<ShaderProgramManager, false, false>>());
    AssetLoaderSystem::RegisterSection(
        "FBO", std::make_shared<GraphicsAssetSection<FrameBufferManager, false, false>>());
}
} // namespace Graphics
