#pragma once
// The fonts of the game, one category (enumeration "Font") read from assets/Fonts: each file is
// a font named by its file name up to the first '.', paired with the texture of that name in
// assets/Textures/Fonts. Only whole folders load (Load does nothing). Files may be read on the
// loader's worker (StageAll); textures are looked up when the font is added on the main thread.
#include "Core/Assets/AssetManager.h"
#include "Core/Assets/AssetSectionHandler.h"
#include "Graphics/Assets/Font.h"

namespace Graphics
{
class FontManager : public AssetManager<Font, FontParam>
{
public:
    static constexpr const char* EnumName = "Font";
    static constexpr const char* Folder = "assets/Fonts";
    // What text falls back to when its font is not loaded.
    static constexpr const char* DefaultFont = "arial_regular_12";

    FontManager();
    ~FontManager() override;

    static FontManager* Instance() { return s_instance; }

    void LoadAll(u32 category) override;
    void Load(const std::string&, u32) override {}
    std::string GetDirectory(bool withSeparator) override
    {
        return GetCategoryDirectory(0, withSeparator);
    }

    static void StageAll(u32 category, Core::StagedAssetList& staged);
    // Nothing, as Load.
    static void Stage(const std::string&, u32, Core::StagedAssetList&) {}

private:
    static FontManager* s_instance;
};
} // namespace Graphics
