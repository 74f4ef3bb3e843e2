// The decision component: its queues, the targets it takes, and finding its own world-state
// entry after the entries have moved.
#include "AI/DecisionComponent.h"
#include "tests/AI/AIWorld.h"

namespace
{
TEST(DecisionQueue, PopsTheSmallestPriorityFirstAndHoldsTwoHundredFifty)
{
    AI::DecisionComponent::TargetQueue queue;
    const f32 priorities[] = {5, 3, 8, 1, 9, 2, 7};
    for (u32 i = 0; i < 7; ++i)
        EXPECT_TRUE(queue.Push(100 + i, priorities[i]));
    for (u32 expected : {103u, 105u, 101u, 100u, 106u, 102u, 104u})
        EXPECT_EQ(queue.Pop(), expected);
    EXPECT_EQ(queue.Pop(), 0u) << "empty";
    for (u32 i = 0; i < AI::DecisionComponent::QueueCapacity; ++i)
        EXPECT_TRUE(queue.Push(i + 1, static_cast<f32>(i)));
    EXPECT_FALSE(queue.Push(999, -5.0f)) << "full";
    EXPECT_EQ(queue.Pop(), 1u);
}

TEST_F(AIWorld, DecisionTakesTargetZeroAndFindsItsEntryAfterAReorder)
{
    WriteScript("Decide.lua", "function Update(dt) end\n");
    GameObject* first = Enemy(0, 0, "");
    GameObject* own = Enemy(1, 0, "");
    Enemy(2, 0, "");
    GameObject* last = Enemy(3, 0, "");
    auto* decision = static_cast<AI::DecisionComponent*>(
        own->AddComponent(Factory().CreateComponent("DecisionComponent")));
    ASSERT_NE(decision, nullptr);
    Tick(0.1f);
    decision->Update(0.1f);
    EXPECT_TRUE(decision->FoundOwnEntry());
    for (std::size_t queue = 0; queue < AI::DecisionComponent::QueueCount; ++queue)
        EXPECT_EQ(decision->GetCurrentTarget(queue), 0u);
    EXPECT_EQ(AISys().GetCount(), 4u) << "the decision component does not join the system";

    // The first leaves: the last entry moves into its slot, and the own entry is still found.
    Factory().DestroyObject(first->GetId());
    Tick(0.1f);
    ASSERT_EQ(World().GetEntries()[0].objectId, last->GetId());
    decision->Update(0.1f);
    EXPECT_TRUE(decision->FoundOwnEntry());
}
} // namespace
