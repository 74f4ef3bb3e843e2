#pragma once
// The materials of the game, one category (enumeration "Material") read from assets/Materials:
// each file is a material named by its file name up to the first '.'. Files may be read on the
// loader's worker (StageAll, Stage); the textures are looked up when the material is added on
// the main thread.
#include "Core/Assets/AssetManager.h"
#include "Core/Assets/AssetSectionHandler.h"
#include "Graphics/Assets/Material.h"

namespace Graphics
{
class MaterialManager : public AssetManager<Material, MaterialParam>
{
public:
    static constexpr const char* EnumName = "Material";
    static constexpr const char* Folder = "assets/Materials";
    static constexpr const char* Extension = ".xml";

    MaterialManager();
    ~MaterialManager() override;

    static MaterialManager* Instance() { return s_instance; }

    void LoadAll(u32 category) override;
    // The material of that name from "<Folder>/<name>.xml" (defaults when the file is missing).
    void Load(const std::string& name, u32 category) override;
    std::string GetDirectory(bool withSeparator) override
    {
        return GetCategoryDirectory(0, withSeparator);
    }

    static void StageAll(u32 category, Core::StagedAssetList& staged);
    static void Stage(const std::string& name, u32 category, Core::StagedAssetList& staged);

private:
    static MaterialManager* s_instance;
};
} // namespace Graphics
