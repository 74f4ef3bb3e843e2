#pragma once
// The asset loader's handler for a graphics asset manager. Beyond what every manager offers:
// - Listed: whether the loader's rebuilt editor enumeration is wanted (shaders and programs
//   have none);
// - Staged: whether the manager reads on the loader's worker thread (textures, materials and
//   fonts; Manager::StageAll and Manager::Stage read files into StagedAdd records without
//   touching the manager, whose Add runs on the main thread at commit).
#include "Core/Assets/AssetManagerSection.h"

namespace Graphics
{
template <class Manager, bool Listed, bool Staged>
class GraphicsAssetSection : public Core::AssetManagerSection<Manager>
{
public:
    GraphicsAssetSection() : Core::AssetManagerSection<Manager>(&Manager::Instance) {}

    void DefineEditorEnum(const std::string& name, u32 category) override
    {
        if constexpr (Listed)
            Core::AssetManagerSection<Manager>::DefineEditorEnum(name, category);
    }

    bool StageAll(u32 category, Core::StagedAssetList& staged) override
    {
        if constexpr (Staged)
        {
            Manager::StageAll(category, staged);
            return true;
        }
        return false;
    }

    bool Stage(const std::string& name, u32 category, Core::StagedAssetList& staged) override
    {
        if constexpr (Staged)
        {
            Manager::Stage(name, category, staged);
            return true;
        }
        return false;
    }
};
} // namespace Graphics
