// Asset batches through the loader: section order and entries, failures, the background path
// through the thread pool and the message system, and shut-down during a background load.
// Fake managers record every call; batch files are written to a temporary working directory.
#include "Core/System/AssetLoaderSystem.h"
#include "Core/Assets/AssetManager.h"
#include "Core/Assets/AssetManagerSection.h"
#include "Core/Assets/AssetSectionHandler.h"
#include "Core/Engine.h"
#include "Core/Messages/Assets/AssetThreadDoneMessage.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/System/MessageSystem.h"
#include "Core/System/ThreadPool.h"
#include "tests/Support/RecordingEngineTest.h"
#include "tests/Support/TempFiles.h"
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

using Core::AssetSectionHandler;
using Core::StagedAsset;
using Core::StagedAssetList;
using Core::System::AssetLoaderSystem;
using Core::System::ThreadPool;
namespace fs = std::filesystem;

namespace
{
std::mutex g_eventMutex;
std::vector<std::string> g_events;
std::thread::id g_mainThread;
s32 g_poolThreads = 2;
std::atomic<int> g_stagedAlive{0};

// Calls off the main thread are marked, so a test sees which pass ran where.
void Record(const std::string& event)
{
    std::lock_guard<std::mutex> lock(g_eventMutex);
    const bool onWorker = std::this_thread::get_id() != g_mainThread;
    g_events.push_back(onWorker ? "worker: " + event : event);
}

std::vector<std::string> TakeEvents()
{
    std::lock_guard<std::mutex> lock(g_eventMutex);
    std::vector<std::string> events;
    events.swap(g_events);
    return events;
}

// A manager that records its calls and holds names, skipping those it knows.
class FakeManager : public AssetSectionHandler
{
public:
    FakeManager(std::string label, bool canStage) : label(std::move(label)), canStage(canStage) {}

    bool HasManager() const override { return present; }
    void LoadAll(u32 category) override
    {
        Record(label + " LoadAll " + std::to_string(category));
        for (const std::string& name : available[category])
            Keep(name, category);
    }
    void Load(const std::string& name, u32 category) override
    {
        Record(label + " Load " + name + " " + std::to_string(category));
        Keep(name, category);
    }
    void DefineEditorEnum(const std::string& name, u32 category) override
    {
        Record(label + " Enum " + name + " " + std::to_string(category));
    }
    void FinalizeAll() override { Record(label + " Finalize"); }
    u32 GetAssetCount(u32 category) const override
    {
        u32 count = 0;
        for (const auto& [heldCategory, name] : held)
            count += heldCategory == category ? 1 : 0;
        return count;
    }
    bool StageAll(u32 category, StagedAssetList& staged) override;
    bool Stage(const std::string& name, u32 category, StagedAssetList& staged) override;

    // True when the name was new to the category.
    bool Keep(const std::string& name, u32 category)
    {
        return held.insert({category, name}).second;
    }

    std::string label;
    bool canStage;
    bool present = true;
    std::map<u32, std::vector<std::string>> available; // what LoadAll finds, per category
    std::set<std::pair<u32, std::string>> held;        // main thread only
    // When set, StageAll reports that it started and then waits for the gate.
    std::promise<void>* entered = nullptr;
    std::shared_future<void> gate;
};

class FakeStagedAsset : public StagedAsset
{
public:
    FakeStagedAsset(FakeManager& manager, std::string name, u32 category)
        : m_manager(manager), m_name(std::move(name)), m_category(category)
    {
        ++g_stagedAlive;
    }
    ~FakeStagedAsset() override { --g_stagedAlive; }
    void Commit() override
    {
        const bool kept = m_manager.Keep(m_name, m_category);
        Record(m_manager.label + (kept ? " Commit " : " Skip ") + m_name);
    }

private:
    FakeManager& m_manager;
    std::string m_name;
    u32 m_category;
};

bool FakeManager::StageAll(u32 category, StagedAssetList& staged)
{
    if (!canStage)
        return false;
    if (entered != nullptr)
    {
        entered->set_value();
        gate.wait();
    }
    Record(label + " StageAll " + std::to_string(category));
    for (const std::string& name : available[category])
        staged.push_back(std::make_unique<FakeStagedAsset>(*this, name, category));
    return true;
}

bool FakeManager::Stage(const std::string& name, u32 category, StagedAssetList& staged)
{
    if (!canStage)
        return false;
    Record(label + " Stage " + name + " " + std::to_string(category));
    staged.push_back(std::make_unique<FakeStagedAsset>(*this, name, category));
    return true;
}

// Every section, a foreign element before, between and after them, each kind of entry.
const char* const FullBatch = R"(<AssetBatch>
    <Comment>not a section</Comment>
    <TextureDefault>ALL</TextureDefault>
    <TextureParticle>NONE</TextureParticle>
    <Note/>
    <TextureFont>Glyphs</TextureFont>
    <TextureFont>Icons</TextureFont>
    <Material>Stone</Material>
    <Font>NONE</Font>
    <Model>Golem</Model>
    <Model>Mage</Model>
    <Shader>ALL</Shader>
    <Extra>Shader</Extra>
    <ShaderProgram>ALL</ShaderProgram>
    <FBO>NONE</FBO>
    <Object>ALL</Object>
    <Trailer/>
</AssetBatch>)";

const std::vector<std::string> FirstPassLoads = {
    "tex LoadAll 0",     "tex Enum TextureDefault 0", "tex Enum TextureParticle 2",
    "tex Load Glyphs 1", "tex Load Icons 1",          "tex Enum TextureFont 1",
    "mat Load Stone 0",  "mat Enum Material 0",       "font Enum Font 0",
};
const std::vector<std::string> SecondPass = {
    "tex Finalize",         "model Load Golem 0", "model Load Mage 0",
    "model Enum Model 0",   "model Finalize",     "shader LoadAll 0",
    "shader Enum Shader 0", "program LoadAll 0",  "program Enum ShaderProgram 0",
    "fbo Enum FBO 0",       "object LoadAll 0",   "object Enum Object 0",
};

std::vector<std::string> Joined(std::vector<std::string> first,
                                const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::size_t CountEvents(const std::vector<std::string>& events, const std::string& event)
{
    return static_cast<std::size_t>(std::count(events.begin(), events.end(), event));
}

class AssetLoaderTest : public RecordingEngineTest
{
protected:
    void SetUp() override
    {
        g_mainThread = std::this_thread::get_id();
        TakeEvents();
        folder = std::make_unique<TempFolder>("quill-loader");
        folder->MakeFolder(AssetLoaderSystem::BatchFolder);
        WriteBatch(AssetLoaderSystem::DefaultBatch, R"(<AssetBatch>
            <TextureDefault>NONE</TextureDefault><TextureParticle>NONE</TextureParticle>
            <TextureFont>NONE</TextureFont><Material>NONE</Material><Font>NONE</Font>
            <Model>NONE</Model><Shader>NONE</Shader><ShaderProgram>NONE</ShaderProgram>
            <FBO>NONE</FBO><Object>ALL</Object></AssetBatch>)");

        RegisterManagers();
        RecordingEngineTest::SetUp();
        SystemFactory& factory = engine->GetSystemFactory();
        factory.Register(
            "ThreadPoolSystem",
            [](const LaunchOptions&) -> SystemComponent* { return new ThreadPool(g_poolThreads); },
            []() -> SystemComponent* { return ThreadPool::Instance(); });
        factory.Register<AssetLoaderSystem>("AssetLoaderSystem");
        pool = static_cast<ThreadPool*>(engine->AddSystem("ThreadPoolSystem"));
        loader = static_cast<AssetLoaderSystem*>(engine->AddSystem("AssetLoaderSystem"));

        // Initialising the loader loaded the default batch; the tests start after it.
        startupEvents = TakeEvents();
        messages->Update(0.016f);
        startupTypes = recorder->types;
        recorder->types.clear();
        recorder->senders.clear();
    }
    void TearDown() override
    {
        RecordingEngineTest::TearDown();
        AssetLoaderSystem::ClearSections();
        folder.reset();
        g_poolThreads = 2;
        EXPECT_EQ(g_stagedAlive, 0) << "a staged asset leaked";
    }

    void RegisterManagers()
    {
        textures = std::make_shared<FakeManager>("tex", true);
        textures->available[0] = {"Crate", "Wall"};
        materials = std::make_shared<FakeManager>("mat", true);
        fonts = std::make_shared<FakeManager>("font", true);
        models = std::make_shared<FakeManager>("model", false);
        objects = std::make_shared<FakeManager>("object", false);
        objects->available[0] = {"Player", "Camera"};
        AssetLoaderSystem::ClearSections();
        for (const char* section : {"TextureDefault", "TextureParticle", "TextureFont"})
            AssetLoaderSystem::RegisterSection(section, textures);
        AssetLoaderSystem::RegisterSection("Material", materials);
        AssetLoaderSystem::RegisterSection("Font", fonts);
        AssetLoaderSystem::RegisterSection("Model", models);
        AssetLoaderSystem::RegisterSection("Shader",
                                           std::make_shared<FakeManager>("shader", false));
        AssetLoaderSystem::RegisterSection("ShaderProgram",
                                           std::make_shared<FakeManager>("program", false));
        AssetLoaderSystem::RegisterSection("FBO", std::make_shared<FakeManager>("fbo", false));
        AssetLoaderSystem::RegisterSection("Object", objects);
    }

    void WriteBatch(const std::string& name, const std::string& text)
    {
        std::ofstream(fs::path(AssetLoaderSystem::BatchFolder) / (name + ".xml")) << text;
    }

    // Lets every started task end, then delivers what they posted (and what that posted).
    void FinishBackgroundLoads()
    {
        pool->JoinAll();
        messages->Update(0.016f);
    }

    std::unique_ptr<TempFolder> folder;
    ThreadPool* pool = nullptr;
    AssetLoaderSystem* loader = nullptr;
    std::shared_ptr<FakeManager> textures, materials, fonts, models, objects;
    std::vector<std::string> startupEvents;
    std::vector<u32> startupTypes;
};

class AssetLoaderWithoutSlotsTest : public AssetLoaderTest
{
protected:
    void SetUp() override
    {
        g_poolThreads = 0;
        AssetLoaderTest::SetUp();
    }
};

class AssetLoaderWithOneSlotTest : public AssetLoaderTest
{
protected:
    void SetUp() override
    {
        g_poolThreads = 1;
        AssetLoaderTest::SetUp();
    }
};
} // namespace

TEST_F(AssetLoaderTest, InitialisingLoadsTheDefaultBatch)
{
    const std::vector<std::string> expected = {
        "tex Enum TextureDefault 0",
        "tex Enum TextureParticle 2",
        "tex Enum TextureFont 1",
        "mat Enum Material 0",
        "font Enum Font 0",
        "tex Finalize",
        "model Enum Model 0",
        "model Finalize",
        "shader Enum Shader 0",
        "program Enum ShaderProgram 0",
        "fbo Enum FBO 0",
        "object LoadAll 0",
        "object Enum Object 0",
    };
    EXPECT_EQ(startupEvents, expected);
    EXPECT_EQ(std::count(startupTypes.begin(), startupTypes.end(), MT_ASSET_BATCH_LOADED), 1);
    EXPECT_EQ(objects->GetAssetCount(0), 2u);
    EXPECT_TRUE(log->Contains("AssetLoaderSystem: DefaultBatch: Object holds 2 assets"));
}

TEST_F(AssetLoaderTest, SectionsLoadInOrderPastForeignElements)
{
    WriteBatch("Level", FullBatch);
    loader->LoadBatch("Level");
    EXPECT_EQ(TakeEvents(), Joined(FirstPassLoads, SecondPass));
    EXPECT_FALSE(log->Contains("Error [AssetLoaderSystem]"));

    EXPECT_TRUE(recorder->types.empty()) << "the batch-loaded message is queued, not delivered";
    messages->Update(0.016f);
    EXPECT_EQ(recorder->CountOf(MT_ASSET_BATCH_LOADED), 1u);
    EXPECT_EQ(recorder->CountOf(AssetThreadDoneMessage::Type), 0u);
    // A synchronous load says nothing of finishing.
    EXPECT_FALSE(log->Contains("Finished Loading"));
}

TEST_F(AssetLoaderTest, EachEntryKindReachesTheManager)
{
    struct Case
    {
        const char* entries;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"<Model>NONE</Model>", {"model Enum Model 0"}},
        {"<Model>ALL</Model>", {"model LoadAll 0", "model Enum Model 0"}},
        {"<Model>Golem</Model><Model>Mage</Model>",
         {"model Load Golem 0", "model Load Mage 0", "model Enum Model 0"}},
        // Only the first element decides; the run ends at the first other element.
        {"<Model>Golem</Model><Other/><Model>Mage</Model>",
         {"model Load Golem 0", "model Enum Model 0"}},
    };
    for (const Case& test : cases)
    {
        WriteBatch("Models", std::string("<Batch>") + test.entries + "</Batch>");
        loader->LoadBatch("Models");
        std::vector<std::string> modelEvents;
        for (const std::string& event : TakeEvents())
        {
            if (event.rfind("model ", 0) == 0 && event != "model Finalize")
                modelEvents.push_back(event);
        }
        EXPECT_EQ(modelEvents, test.expected) << test.entries;
    }
}

TEST_F(AssetLoaderTest, AMissingOrBrokenFileIsLoggedAndStillReportsTheBatchLoaded)
{
    WriteBatch("Broken", "<AssetBatch><Object>ALL</Object>");
    WriteBatch("Empty", "<?xml version=\"1.0\"?>");
    for (const char* name : {"Nowhere", "Broken", "Empty"})
    {
        loader->LoadBatch(name);
        const std::string path = std::string(AssetLoaderSystem::BatchFolder) + name + ".xml";
        EXPECT_EQ(log->Count(path), 1u) << name;
    }
    EXPECT_TRUE(TakeEvents().empty());
    messages->Update(0.016f);
    EXPECT_EQ(recorder->CountOf(MT_ASSET_BATCH_LOADED), 3u);
}

TEST_F(AssetLoaderTest, AMissingSectionIsLoggedAndTheLaterOnesStillLoad)
{
    WriteBatch("Partial", R"(<AssetBatch>
        <TextureDefault>ALL</TextureDefault><Font>ALL</Font>
        <Model>Golem</Model><Object>ALL</Object></AssetBatch>)");
    loader->LoadBatch("Partial");
    const std::vector<std::string> events = TakeEvents();
    for (const char* missing :
         {"TextureParticle", "TextureFont", "Material", "Shader", "ShaderProgram", "FBO"})
        EXPECT_EQ(log->Count(std::string("section ") + missing + " not found in " +
                             AssetLoaderSystem::BatchFolder + "Partial.xml"),
                  1u)
            << missing;
    EXPECT_EQ(CountEvents(events, "font LoadAll 0"), 1u);
    EXPECT_EQ(CountEvents(events, "model Load Golem 0"), 1u);
    EXPECT_EQ(CountEvents(events, "object LoadAll 0"), 1u);
    messages->Update(0.016f);
    EXPECT_EQ(recorder->CountOf(MT_ASSET_BATCH_LOADED), 1u);
}

TEST_F(AssetLoaderTest, SectionsWithoutAManagerAreSkippedWithOneLine)
{
    AssetLoaderSystem::RegisterSection("Material", nullptr); // never registered
    models->present = false;                                 // registered, not created yet
    WriteBatch("Level", FullBatch);
    loader->LoadBatch("Level");
    const std::vector<std::string> events = TakeEvents();

    EXPECT_EQ(log->Count("no asset manager for section Material"), 1u);
    EXPECT_EQ(log->Count("no asset manager for section Model"), 1u);
    for (const std::string& event : events)
        EXPECT_EQ(event.rfind("model ", 0), std::string::npos) << event;
    // The sections after the skipped ones load as usual.
    EXPECT_EQ(CountEvents(events, "font Enum Font 0"), 1u);
    EXPECT_EQ(CountEvents(events, "shader LoadAll 0"), 1u);
    EXPECT_EQ(CountEvents(events, "object LoadAll 0"), 1u);
}

TEST_F(AssetLoaderTest, AnEmptyNameOnlyReportsTheBatchLoaded)
{
    loader->LoadBatch("");
    EXPECT_TRUE(TakeEvents().empty());
    messages->Update(0.016f);
    EXPECT_EQ(recorder->CountOf(MT_ASSET_BATCH_LOADED), 1u);

    // In the background the completion only joins: no second pass, no batch-loaded message.
    EXPECT_TRUE(loader->LoadBatchInBackground(""));
    FinishBackgroundLoads();
    messages->Update(0.016f);
    EXPECT_EQ(recorder->doneBatches, std::vector<std::string>{""});
    EXPECT_EQ(recorder->CountOf(MT_ASSET_BATCH_LOADED), 1u);
    EXPECT_FALSE(log->Contains("Finished Loading"));
    EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(AssetLoaderTest, ABackgroundLoadReadsOnTheWorkerAndCommitsOnTheMainThread)
{
    WriteBatch("Level", FullBatch);
    ASSERT_TRUE(loader->LoadBatchInBackground("Level"));
    pool->JoinAll();
    const std::vector<std::string> staged = {
        "worker: tex StageAll 0",
        "worker: tex Stage Glyphs 1",
        "worker: tex Stage Icons 1",
        "worker: mat Stage Stone 0",
    };
    EXPECT_EQ(TakeEvents(), staged) << "the worker must not touch a manager";
    EXPECT_EQ(loader->GetStagedBatchCount(), 1u);

    // The completion message brings the batch to the main thread.
    messages->Update(0.016f);
    const std::vector<std::string> committed = {
        "tex Commit Crate",           "tex Commit Wall",        "tex Commit Glyphs",
        "tex Commit Icons",           "mat Commit Stone",       "tex Enum TextureDefault 0",
        "tex Enum TextureParticle 2", "tex Enum TextureFont 1", "mat Enum Material 0",
        "font Enum Font 0",
    };
    EXPECT_EQ(TakeEvents(), Joined(committed, SecondPass));
    EXPECT_EQ(loader->GetStagedBatchCount(), 0u);
    EXPECT_EQ(recorder->doneBatches, std::vector<std::string>{"Level"});
    EXPECT_EQ(log->Count("Finished Loading Level"), 1u);

    // The batch-loaded message was posted after that line and arrives in the next update, from
    // the loader (the thread-done message comes from nobody in particular).
    EXPECT_EQ(recorder->CountOf(MT_ASSET_BATCH_LOADED), 0u);
    messages->Update(0.016f);
    ASSERT_EQ(recorder->types,
              (std::vector<u32>{AssetThreadDoneMessage::Type, MT_ASSET_BATCH_LOADED}));
    EXPECT_EQ(recorder->senders, (std::vector<u32>{0u, loader->GetId()}));
}

TEST_F(AssetLoaderTest, AMissingFileLoadedInTheBackgroundStillReportsTheBatchLoaded)
{
    ASSERT_TRUE(loader->LoadBatchInBackground("Nowhere"));
    FinishBackgroundLoads();
    messages->Update(0.016f);
    EXPECT_EQ(log->Count(std::string(AssetLoaderSystem::BatchFolder) + "Nowhere.xml"), 1u);
    EXPECT_EQ(recorder->doneBatches, std::vector<std::string>{"Nowhere"});
    EXPECT_EQ(log->Count("Finished Loading Nowhere"), 1u);
    EXPECT_EQ(recorder->CountOf(MT_ASSET_BATCH_LOADED), 1u);
    EXPECT_EQ(loader->GetStagedBatchCount(), 0u);
    // Nothing was loaded, so no manager was asked for anything.
    EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(AssetLoaderTest, AManagerThatCannotStageLoadsWhenTheBatchCompletes)
{
    materials->canStage = false;
    WriteBatch("Level", FullBatch);
    ASSERT_TRUE(loader->LoadBatchInBackground("Level"));
    FinishBackgroundLoads();
    const std::vector<std::string> events = TakeEvents();
    // Deferred in its place in the staging list, run on the main thread.
    const auto load = std::find(events.begin(), events.end(), "mat Load Stone 0");
    ASSERT_NE(load, events.end());
    EXPECT_EQ(*(load - 1), "tex Commit Icons");
    EXPECT_EQ(materials->GetAssetCount(0), 1u);
}

TEST_F(AssetLoaderTest, LoadingABatchTwiceAddsNothingTwiceButReportsTwice)
{
    WriteBatch("Level", FullBatch);
    loader->LoadBatch("Level");
    loader->LoadBatch("Level");
    std::vector<std::string> events = TakeEvents();
    EXPECT_EQ(CountEvents(events, "tex Enum TextureDefault 0"), 2u);
    EXPECT_EQ(textures->GetAssetCount(0), 2u);

    // Twice at once in the background: the second commit finds every name known.
    ASSERT_TRUE(loader->LoadBatchInBackground("Level"));
    ASSERT_TRUE(loader->LoadBatchInBackground("Level"));
    FinishBackgroundLoads();
    messages->Update(0.016f);
    events = TakeEvents();
    EXPECT_EQ(CountEvents(events, "tex Skip Crate"), 2u);
    EXPECT_EQ(CountEvents(events, "tex Commit Crate"), 0u);
    EXPECT_EQ(CountEvents(events, "tex Enum TextureDefault 0"), 2u);
    EXPECT_EQ(textures->GetAssetCount(0), 2u);
    EXPECT_EQ(log->Count("Finished Loading Level"), 2u);
    EXPECT_EQ(recorder->CountOf(MT_ASSET_BATCH_LOADED), 4u);
}

TEST_F(AssetLoaderWithoutSlotsTest, ARefusedBackgroundLoadLoadsAtOnce)
{
    WriteBatch("Level", FullBatch);
    EXPECT_FALSE(loader->LoadBatchInBackground("Level"));
    EXPECT_EQ(TakeEvents(), Joined(FirstPassLoads, SecondPass));
    EXPECT_EQ(log->Count("Attempted to use more threads than avalible."), 1u);
    EXPECT_EQ(log->Count("batch Level could not be loaded in the background"), 1u);
    messages->Update(0.016f);
    EXPECT_EQ(recorder->CountOf(MT_ASSET_BATCH_LOADED), 1u);
    EXPECT_EQ(recorder->CountOf(AssetThreadDoneMessage::Type), 0u);
}

TEST_F(AssetLoaderWithOneSlotTest, ASecondBackgroundLoadBeforeTheJoinIsLoadedAtOnce)
{
    WriteBatch("Level", FullBatch);
    EXPECT_TRUE(loader->LoadBatchInBackground("Level"));
    EXPECT_FALSE(loader->LoadBatchInBackground("Level"));
    FinishBackgroundLoads();
    messages->Update(0.016f);
    EXPECT_EQ(recorder->CountOf(MT_ASSET_BATCH_LOADED), 2u);
    EXPECT_EQ(log->Count("Finished Loading Level"), 1u);
    // After the join the slot serves again.
    EXPECT_TRUE(loader->LoadBatchInBackground("Level"));
    FinishBackgroundLoads();
    EXPECT_EQ(log->Count("Finished Loading Level"), 2u);
}

TEST_F(AssetLoaderTest, ShuttingDownDuringABackgroundLoadJoinsFirst)
{
    WriteBatch("Level", FullBatch);
    std::promise<void> entered;
    std::promise<void> open;
    textures->entered = &entered;
    textures->gate = open.get_future().share();
    ASSERT_TRUE(loader->LoadBatchInBackground("Level"));
    ASSERT_EQ(entered.get_future().wait_for(std::chrono::seconds(30)), std::future_status::ready);

    // The task is held inside its first pass while the engine starts shutting down; it is let
    // go a moment later, and the engine must wait for it before destroying anything.
    std::thread opener(
        [&open]
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            open.set_value();
        });
    delete engine;
    engine = nullptr;
    g_Engine = nullptr;
    opener.join();

    EXPECT_EQ(AssetLoaderSystem::Instance(), nullptr);
    EXPECT_EQ(ThreadPool::Instance(), nullptr);
    EXPECT_EQ(g_stagedAlive, 0) << "the staged batch must go with the loader";
}

TEST_F(AssetLoaderTest, TheGamesDefaultBatchLoadsEverySectionAndEveryObjectDefinition)
{
    // The repository's own batch file, found from this source file's place in the tree.
    fs::current_path(QUILL_ASSET_ROOT);
    loader->LoadBatch(AssetLoaderSystem::DefaultBatch);
    std::vector<std::string> loads;
    for (const std::string& event : TakeEvents())
    {
        if (event.find(" Enum ") == std::string::npos &&
            event.find("Finalize") == std::string::npos)
            loads.push_back(event);
    }
    const std::vector<std::string> expected = {
        "tex LoadAll 0",  "tex LoadAll 2",    "tex LoadAll 1",    "mat LoadAll 0",
        "font LoadAll 0", "model LoadAll 0",  "shader LoadAll 0", "program LoadAll 0",
        "fbo LoadAll 0",  "object LoadAll 0",
    };
    EXPECT_EQ(loads, expected);
    EXPECT_FALSE(log->Contains("Error [AssetLoaderSystem]"));
}

namespace
{
struct CountingAsset : public Asset<std::string>
{
    static int finalized;
    bool Load() override { return true; }
    void Unload() override {}
    void Finalize() override { ++finalized; }
};
int CountingAsset::finalized = 0;

class CountingManager : public AssetManager<CountingAsset, std::string>
{
public:
    void LoadAll(u32) override
    {
        m_categories.resize(2);
        Add("Crate", "", 0);
        Add("Wall", "", 1);
    }
    void Load(const std::string& name, u32 category) override { Add(name, "", category); }
};

CountingManager* g_countingManager = nullptr;
} // namespace

TEST(AssetManagerSection, ReachesTheManagerOnlyWhileItExists)
{
    Core::AssetManagerSection<CountingManager> section(+[]() -> CountingManager*
                                                       { return g_countingManager; });
    EXPECT_FALSE(section.HasManager());
    section.LoadAll(0);
    section.FinalizeAll();
    EXPECT_EQ(section.GetAssetCount(0), 0u);

    CountingManager manager;
    g_countingManager = &manager;
    EXPECT_TRUE(section.HasManager());
    section.LoadAll(0);
    section.Load("Door", 1);
    EXPECT_EQ(section.GetAssetCount(0), 1u);
    EXPECT_EQ(section.GetAssetCount(1), 2u);
    EXPECT_EQ(section.GetAssetCount(7), 0u);

    CountingAsset::finalized = 0;
    section.FinalizeAll(); // every category, not only the one a section names
    EXPECT_EQ(CountingAsset::finalized, 3);
    section.DefineEditorEnum("Walls", 1);
    EXPECT_EQ(manager.GetCategory(1)->name, "Walls");
    EXPECT_EQ(manager.GetCategory(1)->editorValueCount, 2u);
    g_countingManager = nullptr;
}
