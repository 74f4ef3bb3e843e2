#pragma once
// What the asset loader needs of the asset manager behind one section of a batch file. Each
// subsystem that owns a manager registers one handler per section it serves
// (AssetLoaderSystem::RegisterSection), so the engine core loads textures, models or object
// definitions without knowing their classes; AssetManagerSection adapts any AssetManager.
//
// Threads: Stage and StageAll run on a worker thread of the thread pool and must not change
// the manager, its editor enumerations or anything else the main thread uses; what they read
// goes into staged assets that the main thread commits later. Everything else runs on the main
// thread.
#include "Math/Types.h"
#include <memory>
#include <string>
#include <vector>

namespace Core
{
// One asset read away from its manager, waiting for the main thread.
class StagedAsset
{
public:
    // Frees the asset when it was never handed to its manager.
    virtual ~StagedAsset() = default;
    // Hands the asset to its manager: kept unless its category already knows the name, in which
    // case it is freed. Main thread.
    virtual void Commit() = 0;
};

using StagedAssetList = std::vector<std::unique_ptr<StagedAsset>>;

class AssetSectionHandler
{
public:
    virtual ~AssetSectionHandler() = default;

    // Whether the manager exists now; a section without one is skipped.
    virtual bool HasManager() const = 0;
    // Every asset of the category (the manager skips names it already holds).
    virtual void LoadAll(u32 category) = 0;
    // One asset by name; some managers load only through LoadAll and do nothing here.
    virtual void Load(const std::string& name, u32 category) = 0;
    // Rebuilds the category's editor enumeration under `name`.
    virtual void DefineEditorEnum(const std::string& name, u32 category) = 0;
    // The manager's second loading step on every asset of every category (graphics objects of
    // textures and models); assets that have taken it already are left alone.
    virtual void FinalizeAll() {}
    // Assets the category holds, for the log.
    virtual u32 GetAssetCount(u32 category) const = 0;

    // The background first pass: read what LoadAll or Load would, into `staged`. False when
    // this manager cannot read off the main thread; the loader then runs LoadAll or Load on the
    // main thread when the batch's completion message arrives.
    virtual bool StageAll(u32 category, StagedAssetList& staged);
    virtual bool Stage(const std::string& name, u32 category, StagedAssetList& staged);
};

inline bool AssetSectionHandler::StageAll(u32, StagedAssetList&)
{
    return false;
}

inline bool AssetSectionHandler::Stage(const std::string&, u32, StagedAssetList&)
{
    return false;
}
} // namespace Core
