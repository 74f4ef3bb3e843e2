#include "Core/Objects/GameFactory.h"
#include "Core/Engine.h"
#include "Core/Memory/Allocator.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameObject.h"
#include "tests/Support/ProbeComponent.h"
#include "tests/Support/World.h"
#include <gtest/gtest.h>

namespace
{
constexpr u32 Group = 7;

std::vector<u32> GroupIds(const GameFactory& factory, u32 group)
{
    std::vector<u32> ids;
    for (auto member = factory.GetGroupBegin(group); member != factory.GetGroupEnd(group); ++member)
        ids.push_back((*member)->GetId());
    return ids;
}

ObjectAllocatorStats ObjectBucketStats(const Engine& engine)
{
    return engine.GetAllocator()->FindBucket(sizeof(GameObject))->GetStats();
}
} // namespace

TEST(GameFactory, CreatesFindsAndDestroysObjectsInEngineMemory)
{
    World world;
    const ObjectAllocatorStats before = ObjectBucketStats(world.engine);
    GameObject* object = world.Create("Crate");
    ASSERT_NE(object, nullptr);
    const u32 id = object->GetId();
    EXPECT_EQ(world.factory.FindObject(id), object);
    EXPECT_EQ(ObjectBucketStats(world.engine).objectsInUse, before.objectsInUse + 1);

    world.factory.DestroyObject(id);
    EXPECT_EQ(world.factory.FindObject(id), nullptr);
    EXPECT_EQ(ObjectBucketStats(world.engine).objectsInUse, before.objectsInUse);
    world.factory.DestroyObject(id); // unknown now: nothing
    world.factory.DestroyObject(0xFFFFFFF0u);
}

TEST(GameFactory, RefusesIdZeroAndIdsInUse)
{
    World world;
    GameObject* object = world.Create("First");
    EXPECT_EQ(world.factory.CreateObject("Second", object->GetId()), nullptr);
    EXPECT_EQ(world.factory.FindObject(object->GetId())->GetName(), "First");
    EXPECT_EQ(world.factory.CreateObject("Nothing", 0), nullptr);
}

TEST(GameFactory, FindsTheOwnerOfAComponent)
{
    World world;
    world.Create();
    GameObject* owner = world.Create();
    GameObjectComponent* component = owner->AddComponent(new ProbeComponent());
    // A component id is newer than its owner's, so it can be found by id.
    EXPECT_EQ(world.factory.FindObjectWithComponent(component->GetId()), owner);
    EXPECT_EQ(world.factory.FindObjectWithComponent(0xFFFFFFF0u), nullptr);
}

TEST(GameFactory, GroupsKeepTheirMembersInJoinOrder)
{
    struct Case
    {
        int removed; // index of the member taken out
        std::vector<int> left;
    };
    for (const Case& c : {Case{2, {0, 1}}, Case{0, {1, 2}}, Case{1, {0, 2}}})
    {
        World world;
        std::vector<u32> ids;
        for (int i = 0; i < 3; ++i)
        {
            ids.push_back(world.Create()->GetId());
            EXPECT_TRUE(world.factory.AddToGroup(ids.back(), Group));
        }
        world.factory.RemoveFromGroup(ids[c.removed], Group);
        std::vector<u32> expected;
        for (int index : c.left)
            expected.push_back(ids[index]);
        EXPECT_EQ(GroupIds(world.factory, Group), expected) << "removed " << c.removed;
        EXPECT_EQ(world.factory.FindObject(ids[c.removed])->GetGroup(), 0u);
    }
}

TEST(GameFactory, AnObjectJoinsOneGroupAtATime)
{
    World world;
    GameObject* object = world.Create();
    const u32 id = object->GetId();
    EXPECT_TRUE(world.factory.AddToGroup(id, Group));
    EXPECT_FALSE(world.factory.AddToGroup(id, Group));
    EXPECT_FALSE(world.factory.AddToGroup(id, Group + 1));
    EXPECT_EQ(object->GetGroup(), Group);
    EXPECT_EQ(GroupIds(world.factory, Group), std::vector<u32>{id});

    world.factory.RemoveFromGroup(id, Group + 1); // not a member there: nothing
    EXPECT_EQ(object->GetGroup(), Group);
    world.factory.RemoveFromGroup(id, Group);
    EXPECT_TRUE(world.factory.AddObjectToGroup(object, Group + 1));
    EXPECT_EQ(object->GetGroup(), Group + 1);

    EXPECT_FALSE(world.factory.AddToGroup(0xFFFFFFF0u, Group)) << "no such object";
    EXPECT_FALSE(world.factory.AddObjectToGroup(nullptr, Group));
    EXPECT_FALSE(world.factory.AddObjectToGroup(world.Create(), 0)) << "0 is no group";
}

TEST(GameFactory, DestroyingAMemberLeavesItsGroupEmptyButPresent)
{
    World world;
    GameObject* object = world.Create();
    world.factory.AddToGroup(object->GetId(), Group);
    world.factory.DestroyObject(object->GetId());
    EXPECT_EQ(world.factory.GetGroupBegin(Group), world.factory.GetGroupEnd(Group));
    EXPECT_EQ(world.factory.GetGroupBegin(Group + 99), world.factory.GetGroupEnd(Group + 99));

    GameObject* next = world.Create();
    EXPECT_TRUE(world.factory.AddObjectToGroup(next, Group));
    EXPECT_EQ(GroupIds(world.factory, Group), std::vector<u32>{next->GetId()});
}

TEST(GameFactory, DestroyObjectsFromRemovesThatObjectAndNewerOnes)
{
    World world;
    std::vector<u32> ids;
    for (int i = 0; i < 5; ++i)
        ids.push_back(world.Create()->GetId());
    world.factory.AddToGroup(ids[3], Group);

    world.factory.DestroyObjectsFrom(ids[2]);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(world.factory.FindObject(ids[i]) != nullptr, i < 2) << i;
    EXPECT_EQ(world.factory.GetGroupBegin(Group), world.factory.GetGroupEnd(Group));
}

TEST(GameFactory, ShutdownMayDestroyOtherObjectsDuringDestroyObjectsFrom)
{
    const int aliveBefore = ProbeComponent::alive;
    World world;
    GameObject* older = world.Create("Older"); // outside the range
    const u32 first = Engine::GenerateId();
    GameObject* mount = world.Create("Mount");
    GameObject* rider = world.Create("Rider");
    GameObject* newest = world.Create("Newest");
    const u32 olderId = older->GetId(), mountId = mount->GetId(), riderId = rider->GetId(),
              newestId = newest->GetId();
    mount->AddComponent(new ProbeComponent());
    rider->AddComponent(new ProbeComponent());

    // The newest object goes first; its Shutdown destroys an older object in the range and one
    // outside it; the mount's Shutdown then tries to destroy the rider, which is gone already.
    auto* newestProbe = new ProbeComponent();
    newestProbe->onShutdown = [&world, mountId, olderId](ProbeComponent&)
    {
        world.factory.DestroyObject(mountId);
        world.factory.DestroyObject(olderId);
    };
    newest->AddComponent(newestProbe);
    auto* mountProbe = new ProbeComponent();
    mountProbe->onShutdown = [&world, riderId](ProbeComponent&)
    { world.factory.DestroyObject(riderId); };
    mount->AddComponent(mountProbe);

    world.factory.DestroyObjectsFrom(first);
    for (u32 id : {olderId, mountId, riderId, newestId})
        EXPECT_EQ(world.factory.FindObject(id), nullptr) << id;
    EXPECT_EQ(ProbeComponent::alive, aliveBefore);
}

TEST(GameFactory, DestroyingAnObjectAlreadyBeingDestroyedDoesNothing)
{
    World world;
    const ObjectAllocatorStats before = ObjectBucketStats(world.engine);
    GameObject* object = world.Create();
    const u32 id = object->GetId();
    int shutdowns = 0;
    for (int i = 0; i < 2; ++i)
    {
        auto* probe = new ProbeComponent();
        probe->onShutdown = [&world, &shutdowns, id](ProbeComponent&)
        {
            ++shutdowns;
            EXPECT_NE(world.factory.FindObject(id), nullptr) << "still findable while dying";
            world.factory.DestroyObject(id);
        };
        object->AddComponent(probe);
    }
    world.factory.DestroyObject(id);
    EXPECT_EQ(shutdowns, 2);
    EXPECT_EQ(world.factory.FindObject(id), nullptr);
    const ObjectAllocatorStats after = ObjectBucketStats(world.engine);
    EXPECT_EQ(after.objectsInUse, before.objectsInUse);
    EXPECT_EQ(after.deallocations, before.deallocations + 1) << "its memory was returned once";
}

TEST(GameFactory, PooledComponentsGoBackToTheirPool)
{
    World world;
    GameObject* object = world.Create();
    GameObjectComponent* component = world.factory.CreateComponent("TestComponent");
    ASSERT_NE(component, nullptr);
    object->AddComponent(component);
    const ObjectAllocator* pool =
        world.factory.GetComponentFactory().GetPool(ComponentFactory::CorePool);
    ASSERT_NE(pool, nullptr);
    EXPECT_EQ(pool->GetStats().objectsInUse, 1u);
    world.factory.DestroyObject(object->GetId());
    EXPECT_EQ(pool->GetStats().objectsInUse, 0u);
}

TEST(GameFactory, DestructorDestroysEveryObjectLeft)
{
    const int aliveBefore = ProbeComponent::alive;
    std::vector<u32> shutdowns;
    {
        World world;
        for (int i = 0; i < 3; ++i)
            world.Create()->AddComponent(
                new ProbeComponent(ProbeComponent::DefaultType, &shutdowns));
    }
    EXPECT_EQ(shutdowns.size(), 3u);
    EXPECT_EQ(ProbeComponent::alive, aliveBefore);
}
