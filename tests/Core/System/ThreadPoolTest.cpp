// Slots, refusals, joins and the asset-batch task of the thread pool, with a real engine and
// message system; no asset loader exists here, so a batch task only reports its completion.
#include "Core/System/ThreadPool.h"
#include "Core/Engine.h"
#include "Core/Messages/Assets/AssetThreadDoneMessage.h"
#include "Core/System/MessageSystem.h"
#include "tests/Support/RecordingEngineTest.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>

using Core::System::ThreadPool;

namespace
{
// A kind with no work: the task only marks its slot done.
constexpr u32 IdleKind = 7;
const std::string Refusal = "Attempted to use more threads than avalible.";

class ThreadPoolTest : public RecordingEngineTest
{
protected:
    void TearDown() override
    {
        pool.reset();
        RecordingEngineTest::TearDown();
    }
    ThreadPool& MakePool(s32 threadCount)
    {
        pool = std::make_unique<ThreadPool>(threadCount);
        pool->Initialize(0);
        return *pool;
    }

    std::unique_ptr<ThreadPool> pool;
};
} // namespace

TEST_F(ThreadPoolTest, ANegativeOrZeroCountRefusesEveryTask)
{
    for (s32 count : {0, -3})
    {
        ThreadPool& threads = MakePool(count);
        EXPECT_EQ(threads.GetSlotCount(), 0u) << count;
        EXPECT_FALSE(threads.RunTask(Core::TaskAssetBatchFirstPass, "Level", 1)) << count;
        EXPECT_EQ(threads.GetNextFreeSlot(), 0u);
    }
    EXPECT_EQ(log->Count(Refusal), 2u);
    messages->Update(0.016f);
    EXPECT_TRUE(recorder->types.empty()) << "a refused task must not run";
}

TEST_F(ThreadPoolTest, SlotsAreHandedOutInOrderAndFreedOnlyByJoin)
{
    ThreadPool& threads = MakePool(2);
    EXPECT_TRUE(threads.RunTask(IdleKind, "", 0));
    EXPECT_TRUE(threads.RunTask(IdleKind, "", 0));
    EXPECT_EQ(threads.GetNextFreeSlot(), 2u);
    // Even once both tasks have ended, no slot is free before the join.
    while (!threads.GetSlot(0)->done || !threads.GetSlot(1)->done)
        std::this_thread::yield();
    EXPECT_FALSE(threads.RunTask(IdleKind, "", 0));
    EXPECT_EQ(log->Count(Refusal), 1u);

    threads.JoinAll();
    EXPECT_EQ(threads.GetNextFreeSlot(), 0u);
    EXPECT_TRUE(threads.GetSlot(0)->done);
    EXPECT_TRUE(threads.GetSlot(1)->done);
    EXPECT_EQ(threads.GetSlot(2), nullptr);

    EXPECT_TRUE(threads.RunTask(IdleKind, "again", 3));
    EXPECT_EQ(threads.GetNextFreeSlot(), 1u);
    threads.JoinAll();
    EXPECT_EQ(threads.GetSlot(0)->argument, "again");
    EXPECT_EQ(threads.GetSlot(0)->extra, 3u);
}

TEST_F(ThreadPoolTest, ABatchTaskPostsItsCompletionWithItsOwnCopyOfTheName)
{
    ThreadPool& threads = MakePool(2);
    {
        std::string name = "Level";
        EXPECT_TRUE(threads.RunTask(Core::TaskAssetBatchFirstPass, name, 1));
        name = "overwritten";
    }
    EXPECT_TRUE(threads.RunTask(Core::TaskAssetBatchFirstPass, "", 1));
    threads.JoinAll();

    messages->Update(0.016f);
    ASSERT_EQ(recorder->doneBatches.size(), 2u);
    // Both tasks ran at once, so either may have posted first.
    EXPECT_NE(std::find(recorder->doneBatches.begin(), recorder->doneBatches.end(), "Level"),
              recorder->doneBatches.end());
    EXPECT_NE(std::find(recorder->doneBatches.begin(), recorder->doneBatches.end(), ""),
              recorder->doneBatches.end());
    // Without an asset loader nothing was read, and that is said once.
    EXPECT_EQ(log->Count("no asset loader exists"), 1u);
}

TEST_F(ThreadPoolTest, AnOversizedCountIsCapped)
{
    ThreadPool& threads = MakePool(1 << 30);
    EXPECT_EQ(threads.GetSlotCount(), ThreadPool::MaxSlotCount);
    EXPECT_EQ(threads.GetSlot(ThreadPool::MaxSlotCount - 1)->done, true);
    EXPECT_TRUE(log->Contains("is taken as"));
}

TEST_F(ThreadPoolTest, DestructionJoinsTasksStillRunning)
{
    ThreadPool& threads = MakePool(3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(threads.RunTask(Core::TaskAssetBatchFirstPass, "Level", 1));
    // No JoinAll: destroying a joinable thread would end the process.
    pool.reset();
    EXPECT_EQ(ThreadPool::Instance(), nullptr);
    messages->Update(0.016f);
    EXPECT_EQ(recorder->CountOf(AssetThreadDoneMessage::Type), 3u);
}

TEST_F(ThreadPoolTest, TheEngineJoinsThePoolFirstAtShutDown)
{
    // The engine owns the pool here, as in the game; its tasks post through the engine while
    // it shuts down.
    engine->GetSystemFactory().Register(
        "ThreadPoolSystem",
        [](const LaunchOptions&) -> SystemComponent* { return new ThreadPool(2); },
        []() -> SystemComponent* { return ThreadPool::Instance(); });
    auto* owned = static_cast<ThreadPool*>(engine->AddSystem("ThreadPoolSystem"));
    ASSERT_NE(owned, nullptr);
    EXPECT_TRUE(owned->RunTask(Core::TaskAssetBatchFirstPass, "Level", 1));
    EXPECT_TRUE(owned->RunTask(Core::TaskAssetBatchFirstPass, "Other", 1));
    delete engine;
    engine = nullptr;
    g_Engine = nullptr;
    EXPECT_EQ(ThreadPool::Instance(), nullptr);
}
