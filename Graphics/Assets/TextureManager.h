#pragma once
// The textures of the game in three categories:
//
//   category  enumeration         folder
//   0         "TextureDefault"    assets/Textures
//   1         "TextureFont"       assets/Textures/Fonts
//   2         "TextureParticle"   assets/Textures/Particles
//
// A texture's name is its file name up to the first '.' (Rock.png is Rock). Every file of a
// folder is offered, sprite-sheet sidecars included; a sidecar is not an image and is skipped
// without a log line. Reading may happen on the asset loader's worker (StageAll, Stage).
#include "Core/Assets/AssetManager.h"
#include "Core/Assets/AssetSectionHandler.h"
#include "Graphics/Assets/Texture.h"

namespace Graphics
{
class TextureManager : public AssetManager<Texture, TextureParam>
{
public:
    enum CategoryId : u32
    {
        DefaultCategory = 0,
        FontCategory = 1,
        ParticleCategory = 2,
        CategoryCount = 3,
    };
    // LoadAll's argument for every category.
    static constexpr u32 AllCategories = 0xFFFFFFFFu;
    static constexpr const char* ImageExtension = ".png";

    struct CategoryInfo
    {
        const char* name; // the editor enumeration's name
        const char* folder;
    };
    static const CategoryInfo Categories[CategoryCount];

    TextureManager();
    ~TextureManager() override;

    // The manager the graphics system owns, or null while it does not exist.
    static TextureManager* Instance() { return s_instance; }

    // One category (0, 1, 2) or AllCategories: adds every image of its folder not yet present
    // and rebuilds the category's enumeration.
    void LoadAll(u32 category) override;
    // The texture of that name from the category's folder, "<name>.png".
    void Load(const std::string& name, u32 category) override;
    std::string GetDirectory(bool withSeparator) override
    {
        return GetCategoryDirectory(DefaultCategory, withSeparator);
    }

    // The texture of that name in the first category, in index order, that holds one.
    Texture* FindAny(const std::string& name) const;

    // The loader's worker side of LoadAll and Load: decodes into staged adds.
    static void StageAll(u32 category, Core::StagedAssetList& staged);
    static void Stage(const std::string& name, u32 category, Core::StagedAssetList& staged);

private:
    static TextureManager* s_instance;
};
} // namespace Graphics
