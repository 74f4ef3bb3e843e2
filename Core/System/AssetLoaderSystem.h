#pragma once
// Fills the asset managers from named asset batches: "assets/AssetBatch/<name>.xml", whose root
// element holds ten sections in a fixed order (Sections below). Each section is a run of
// sibling elements named after it whose text is "NONE" (load nothing), "ALL" (every asset of
// the section's category) or one asset name per element. Elements between sections are
// skipped; a missing section is logged and loads nothing, the later sections still load.
//
// Loading runs in two passes. Pass one (textures, materials, fonts) only reads files; pass two
// (models, shaders, shader programs, frame buffers, object definitions) needs the graphics
// context. LoadBatch runs both on the calling thread. LoadBatchInBackground runs pass one on a
// thread-pool task that reads into a private staging list; the task's AssetThreadDoneMessage
// brings the main thread back here, which joins the pool, commits the staged assets to their
// managers, rebuilds their editor enumerations and runs pass two. Every load ends with the
// batch-loaded message (type 96), which the game-state system takes as its start signal.
//
// Managers are reached through a table of sections to handlers (AssetSectionHandler), filled
// by each subsystem's registration function before the systems are created; a section without
// a manager is skipped with one log line.
//
// Threads: everything runs on the main thread except StageFirstPass (a pool task).
#include "Core/Assets/AssetSectionHandler.h"
#include "Core/SystemComponent.h"
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tinyxml2
{
class XMLDocument;
class XMLElement;
} // namespace tinyxml2

namespace Core
{
namespace System
{
class AssetLoaderSystem : public SystemComponent
{
public:
    // One section of a batch file, in file order.
    struct Section
    {
        const char* name;
        u32 category; // of the section's manager
        u32 pass;     // 1: may run off the main thread; 2: main thread
    };
    static constexpr u32 SectionCount = 10;
    static const Section Sections[SectionCount];

    // The batch loaded when the system is initialised.
    static constexpr const char* DefaultBatch = "DefaultBatch";
    // Where batch files live, relative to the working directory.
    static constexpr const char* BatchFolder = "assets/AssetBatch/";

    AssetLoaderSystem();
    // Joins the thread pool first: a running first pass must not outlive the loader.
    ~AssetLoaderSystem() override;

    static AssetLoaderSystem* Instance() { return s_instance; }

    const std::string& GetName() const override { return m_name; }
    void Update(f32) override {}
    // Loads DefaultBatch at once (the flag word is not used).
    void Initialize(u32 launchFlags) override;
    // AssetThreadDoneMessage (type 95): join, commit the staged first pass, run pass two and log
    // "Finished Loading <name>". An empty name only joins. Other types are ignored.
    void HandleMessage(Message* message) override;

    // Both passes on the calling thread, then the batch-loaded message; an empty name posts only
    // the message. Main thread.
    void LoadBatch(std::string name);
    // Pass one on a thread-pool task, pass two when its completion message arrives. When the
    // pool refuses (no free slot, no slots, no pool) the batch is loaded at once with LoadBatch,
    // so the batch-loaded message always comes. True when the task started. Main thread.
    bool LoadBatchInBackground(const std::string& name);
    // The task side of a background load: reads pass one into the staging list for the
    // completion message to pick up. Called by the thread pool's task on its own thread.
    void StageFirstPass(const std::string& name);

    // Batches whose first pass has been staged and waits for its completion message.
    std::size_t GetStagedBatchCount() const;

    // The table of sections to managers. Several sections may share one handler (the three
    // texture sections name one manager). Registering a section again replaces its handler.
    static void RegisterSection(const std::string& section,
                                std::shared_ptr<AssetSectionHandler> handler);
    // Empties the table (tests and shut-down).
    static void ClearSections();
    // The handler of a section, or null when none is registered.
    static std::shared_ptr<AssetSectionHandler> FindSection(const std::string& section);

private:
    struct StagedBatch;
    class BatchFile;

    void LoadFirstPass(BatchFile& file);
    void ReadFirstPass(BatchFile& file, StagedBatch& batch);
    void CommitFirstPass(StagedBatch& batch);
    // One section on the main thread, straight into its manager.
    void LoadSection(BatchFile& file, const Section& section);
    // Ends with the batch-loaded message, whether or not the file could be read.
    void LoadSecondPass(BatchFile& file);
    void PostBatchLoaded();
    std::unique_ptr<StagedBatch> TakeStagedBatch(const std::string& name);

    mutable std::mutex m_stagedMutex;
    std::vector<std::unique_ptr<StagedBatch>> m_staged; // guarded by m_stagedMutex

    static AssetLoaderSystem* s_instance;
};
} // namespace System
} // namespace Core
