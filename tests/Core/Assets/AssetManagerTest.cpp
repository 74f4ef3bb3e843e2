// The asset-manager template: how assets are filed, found, indexed, reloaded and released.
#include "Core/Assets/AssetManager.h"
#include "Core/Engine.h"
#include "Core/Memory/Allocator.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// What the test assets did, in order ("load Crate", "reload Crate", "unload Crate").
std::vector<std::string> g_events;

// Loads unless its parameter says "fail"; reloads unless told to fail then.
struct TestParam
{
    std::string source;
    bool failReload = false;
};

class TestAsset : public Asset<TestParam>
{
public:
    bool Load() override
    {
        g_events.push_back("load " + m_name);
        return m_param.source != "fail";
    }
    void Unload() override { g_events.push_back("unload " + m_name); }
    bool Reload() override
    {
        g_events.push_back("reload " + m_name);
        return !m_param.failReload;
    }
};

class TestManager : public AssetManager<TestAsset, TestParam>
{
public:
    explicit TestManager(u32 categories = 2)
    {
        m_categories.resize(categories);
        m_categories[0].folder = "assets/Objects";
    }
    void LoadAll(u32) override {}
    void Load(const std::string&, u32) override {}
};

class AssetManagerTest : public testing::Test
{
protected:
    void SetUp() override { g_events.clear(); }
};
} // namespace

TEST_F(AssetManagerTest, TheFirstAssetOfANameWins)
{
    TestManager manager;
    TestAsset* first = manager.Add("Crate", {"a"}, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(manager.Add("Crate", {"b"}, 0), nullptr);
    EXPECT_EQ(manager.Find("Crate", 0), first);
    EXPECT_EQ(first->GetParam().source, "a");
    EXPECT_EQ(first->GetIndex(), 0u);
    EXPECT_EQ(manager.GetCategory(0)->assets.size(), 1u);
    // The duplicate was not even loaded.
    EXPECT_EQ(g_events, std::vector<std::string>{"load Crate"});
}

TEST_F(AssetManagerTest, CategoriesAreIndependent)
{
    TestManager manager;
    TestAsset* inObjects = manager.Add("Crate", {"a"}, 0);
    TestAsset* inEffects = manager.Add("Crate", {"b"}, 1);
    ASSERT_NE(inObjects, nullptr);
    ASSERT_NE(inEffects, nullptr);
    EXPECT_NE(inObjects, inEffects);
    EXPECT_EQ(inObjects->GetIndex(), 0u);
    EXPECT_EQ(inEffects->GetIndex(), 0u);
    EXPECT_EQ(manager.Find("Crate", 1), inEffects);
}

TEST_F(AssetManagerTest, AFailedLoadLeavesNoTraceAndTakesNoIndex)
{
    TestManager manager;
    manager.Add("Barrel", {"a"}, 0);
    EXPECT_EQ(manager.Add("Broken", {"fail"}, 0), nullptr);
    TestAsset* next = manager.Add("Crate", {"c"}, 0);
    EXPECT_EQ(manager.Find("Broken", 0), nullptr);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->GetIndex(), 1u);
    EXPECT_EQ(manager.GetCategory(0)->assets.size(), 2u);
    // A name that failed may be added again once its source is mended.
    EXPECT_NE(manager.Add("Broken", {"mended"}, 0), nullptr);
}

TEST_F(AssetManagerTest, FindAndAddRefuseEmptyNamesAndMissingCategories)
{
    TestManager manager(2);
    manager.Add("Crate", {"a"}, 0);
    EXPECT_EQ(manager.Find("", 0), nullptr);
    EXPECT_EQ(manager.Find("Crates", 0), nullptr);
    EXPECT_EQ(manager.Find("Crate", 2), nullptr);
    EXPECT_EQ(manager.Find("Crate", 0xFFFFFFFF), nullptr);
    EXPECT_EQ(manager.Add("Lamp", {"a"}, 2), nullptr);
    EXPECT_EQ(manager.GetCategory(2), nullptr);
    EXPECT_EQ(g_events, std::vector<std::string>{"load Crate"});
}

TEST_F(AssetManagerTest, ReloadAllStopsAtTheFirstFailure)
{
    EXPECT_TRUE(TestManager().ReloadAll());
    TestManager manager;
    manager.Add("First", {"a"}, 0);
    manager.Add("Second", {"b", true}, 0);
    manager.Add("Third", {"c"}, 0);
    manager.Add("Other", {"d"}, 1);
    g_events.clear();
    EXPECT_FALSE(manager.ReloadAll());
    EXPECT_EQ(g_events, (std::vector<std::string>{"reload First", "reload Second"}));
}

TEST_F(AssetManagerTest, EditorEnumerationListsTheNamesInAddedOrder)
{
    TestManager manager;
    for (const char* name : {"Crate", "Barrel", "Anvil"})
        manager.Add(name, {"a"}, 0);
    manager.DefineEditorEnum("ObjectDefinition", 0);

    const TestManager::Category* category = manager.GetCategory(0);
    ASSERT_EQ(category->editorValueCount, 3u);
    EXPECT_EQ(category->name, "ObjectDefinition");
    EXPECT_NE(category->editorType, 0);
    const std::vector<std::string> labels = {"Crate", "Barrel", "Anvil"};
    for (u32 i = 0; i < 3; ++i)
    {
        EXPECT_EQ(category->editorValues[i].Value, static_cast<int>(i));
        EXPECT_EQ(std::string(category->editorValues[i].Label), labels[i]);
    }

    // Rebuilding takes in what was added since.
    manager.Add("Lamp", {"a"}, 0);
    manager.DefineEditorEnum("ObjectDefinition", 0);
    EXPECT_EQ(category->editorValueCount, 4u);
    EXPECT_EQ(std::string(category->editorValues[3].Label), "Lamp");
}

TEST_F(AssetManagerTest, CategoryDirectoryWithAndWithoutSeparator)
{
    TestManager manager;
    EXPECT_EQ(manager.GetCategoryDirectory(0, true), "assets/Objects/");
    EXPECT_EQ(manager.GetCategoryDirectory(0, false), "assets/Objects");
    EXPECT_EQ(manager.GetCategoryDirectory(5, true), "");
    EXPECT_EQ(manager.GetDirectory(true), "");
}

TEST_F(AssetManagerTest, UnloadAllUnloadsEachAssetOnceAndLeavesNothingToFind)
{
    {
        TestManager manager;
        manager.Add("Crate", {"a"}, 0);
        manager.Add("Crate", {"b"}, 1);
        manager.DefineEditorEnum("ObjectDefinition", 0);
        g_events.clear();
        manager.UnloadAll();
        EXPECT_EQ(g_events, (std::vector<std::string>{"unload Crate", "unload Crate"}));
        EXPECT_EQ(manager.Find("Crate", 0), nullptr);
        EXPECT_TRUE(manager.GetCategory(0)->assets.empty());
        EXPECT_EQ(manager.GetCategory(0)->editorValueCount, 0u);
        EXPECT_FALSE(manager.GetCategory(0)->editorValues);
        EXPECT_EQ(manager.GetCategory(0)->folder, "assets/Objects");
        EXPECT_TRUE(manager.ReloadAll());
        // Filling again after unloading works as from new.
        EXPECT_EQ(manager.Add("Crate", {"c"}, 0)->GetIndex(), 0u);
        g_events.clear();
    }
    // The destructor unloads what is left, once.
    EXPECT_EQ(g_events, std::vector<std::string>{"unload Crate"});
}

TEST_F(AssetManagerTest, AssetMemoryComesFromTheEnginesAllocator)
{
    Engine engine;
    Allocator& allocator = *engine.GetAllocator();
    const u32 allocationsBefore = allocator.GetTotalAllocations();
    const u32 freesBefore = allocator.GetTotalFrees();
    {
        TestManager manager;
        manager.Add("Crate", {"a"}, 0);
        manager.Add("Broken", {"fail"}, 0);
        EXPECT_EQ(allocator.GetTotalAllocations() - allocationsBefore, 2u);
        EXPECT_EQ(allocator.GetTotalFrees() - freesBefore, 1u);
    }
    EXPECT_EQ(allocator.GetTotalFrees() - freesBefore, 2u);
}
