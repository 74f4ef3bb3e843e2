#include "Core/Objects/GameObject.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Messages/Object/RemoveComponentMessage.h"
#include "Core/Objects/GameFactory.h"
#include "tests/Support/ProbeComponent.h"
#include "tests/Support/World.h"
#include <gtest/gtest.h>

namespace
{
constexpr u32 FamilyType = 0xFA;
constexpr u32 OtherType = 0x07;
constexpr u32 SomeMessageType = 33;

std::vector<u32> Ids(const std::vector<GameObjectComponent*>& components)
{
    std::vector<u32> ids;
    for (GameObjectComponent* component : components)
        ids.push_back(component->GetId());
    return ids;
}

// A family: both members are stored under the base's id.
struct ShapeProbe : ProbeComponent
{
    static const std::string& GetTypeName()
    {
        static const std::string name = "ShapeProbe";
        return name;
    }
    ShapeProbe() : ProbeComponent(ComponentTypeId<ShapeProbe>()) {}
};
struct RoundProbe : ShapeProbe
{
    using ComponentFamily = ShapeProbe;
    static const std::string& GetTypeName()
    {
        static const std::string name = "RoundProbe";
        return name;
    }
};
struct SquareProbe : ShapeProbe
{
    using ComponentFamily = ShapeProbe;
    static const std::string& GetTypeName()
    {
        static const std::string name = "SquareProbe";
        return name;
    }
};

std::vector<u32> ListIds(const GameObject& object)
{
    std::vector<u32> ids;
    for (const GameObject::ComponentEntry& entry : object.GetComponentList())
        ids.push_back(entry.component->GetId());
    return ids;
}
} // namespace

TEST(GameObject, AddComponentAppendsAndSetsTheOwner)
{
    World world;
    GameObject* object = world.Create();
    auto* first = new ProbeComponent(FamilyType);
    auto* second = new ProbeComponent(OtherType);
    EXPECT_EQ(first->GetOwner(), 0u);
    EXPECT_EQ(object->AddComponent(first), first);
    object->AddComponent(second);

    EXPECT_EQ(first->GetOwner(), object->GetId());
    EXPECT_EQ(second->GetOwner(), object->GetId());
    EXPECT_EQ(ListIds(*object), (std::vector<u32>{first->GetId(), second->GetId()}));
    EXPECT_EQ(object->GetComponentList()[0].typeId, FamilyType);
    EXPECT_EQ(object->GetComponentList()[1].typeId, OtherType);
}

TEST(GameObject, LooksUpByTypeIdFirstMemberAndAllMembers)
{
    World world;
    GameObject* object = world.Create();
    auto* a = new ProbeComponent(FamilyType);
    auto* other = new ProbeComponent(OtherType);
    auto* b = new ProbeComponent(FamilyType);
    object->AddComponent(a);
    object->AddComponent(other);
    object->AddComponent(b);

    EXPECT_EQ(object->GetComponent(FamilyType), a);
    EXPECT_EQ(object->GetComponent(OtherType), other);
    EXPECT_EQ(object->GetComponent(0x1234), nullptr);
    EXPECT_EQ(Ids(object->GetComponents(FamilyType)), (std::vector<u32>{a->GetId(), b->GetId()}));
    EXPECT_TRUE(object->GetComponents(0x1234).empty());
    EXPECT_EQ(object->GetComponentById(b->GetId()), b);
    EXPECT_EQ(object->GetComponentById(0), nullptr);
}

TEST(GameObject, TypedLookupFindsTheClassOrTheFirstOfAFamily)
{
    World world;
    GameObject* object = world.Create();
    EXPECT_EQ(object->GetComponent<TransformComponent>(), nullptr);
    auto* square = new SquareProbe();
    auto* round = new RoundProbe();
    object->AddComponent(square);
    object->AddComponent(round);
    auto* transform = static_cast<TransformComponent*>(
        object->AddComponent(world.factory.CreateComponent("TransformComponent")));

    EXPECT_EQ(object->GetComponent<TransformComponent>(), transform);
    EXPECT_EQ(ComponentTypeId<TransformComponent>(), transform->GetType());
    EXPECT_EQ(object->GetComponent<ShapeProbe>(), square) << "the family's first member";
    EXPECT_EQ(object->GetComponent<RoundProbe>(), round) << "skips the other member";
    EXPECT_EQ(object->GetComponent<SquareProbe>(), square);
}

TEST(GameObject, ComponentOlderThanItsObjectIsNeitherFoundNorRemovedById)
{
    World world;
    auto* older = new ProbeComponent();
    GameObject* object = world.Create();
    ASSERT_LT(older->GetId(), object->GetId());
    object->AddComponent(older);

    EXPECT_EQ(object->GetComponentById(older->GetId()), nullptr);
    object->RemoveComponent(older->GetId());
    EXPECT_EQ(object->GetComponentList().size(), 1u);
    EXPECT_EQ(object->GetComponent(ProbeComponent::DefaultType), older);
}

TEST(GameObject, RemoveComponentShutsDownAndDestroysOnlyTheMatch)
{
    const int aliveBefore = ProbeComponent::alive;
    std::vector<u32> shutdowns; // outlives the world, whose end shuts the rest down
    World world;
    GameObject* object = world.Create();
    auto* a = object->AddComponent(new ProbeComponent(FamilyType, &shutdowns));
    auto* b = object->AddComponent(new ProbeComponent(FamilyType, &shutdowns));
    auto* c = object->AddComponent(new ProbeComponent(FamilyType, &shutdowns));
    const u32 bId = b->GetId();

    object->RemoveComponent(0xFFFFFFF0u); // no such component
    EXPECT_EQ(ProbeComponent::alive, aliveBefore + 3);

    object->RemoveComponent(bId);
    EXPECT_EQ(shutdowns, std::vector<u32>{bId});
    EXPECT_EQ(ProbeComponent::alive, aliveBefore + 2);
    EXPECT_EQ(ListIds(*object), (std::vector<u32>{a->GetId(), c->GetId()}));
}

TEST(GameObject, DestructionShutsDownTheLastAddedFirst)
{
    const int aliveBefore = ProbeComponent::alive;
    std::vector<u32> shutdowns;
    std::vector<u32> added;
    {
        World world;
        GameObject* object = world.Create();
        for (int i = 0; i < 3; ++i)
            added.push_back(
                object->AddComponent(new ProbeComponent(OtherType, &shutdowns))->GetId());
        world.factory.DestroyObject(object->GetId());
        EXPECT_EQ(ProbeComponent::alive, aliveBefore);
    }
    EXPECT_EQ(shutdowns, (std::vector<u32>{added[2], added[1], added[0]}));
}

TEST(GameObject, AddComponentMessageAddsEvenASecondOfTheSameType)
{
    World world;
    GameObject* object = world.Create();
    auto* first = new ProbeComponent(FamilyType);
    object->AddComponent(first);
    auto* carried = new ProbeComponent(FamilyType);
    auto* message = new AddComponentMessage(0, carried, object->GetId(), 0);

    object->HandleMessage(message);
    EXPECT_EQ(message->component, nullptr) << "the object took the component over";
    EXPECT_EQ(Ids(object->GetComponents(FamilyType)),
              (std::vector<u32>{first->GetId(), carried->GetId()}));
    EXPECT_EQ(carried->GetOwner(), object->GetId());
    EXPECT_TRUE(first->received.empty()) << "type 4 is not passed on to components";

    const int alive = ProbeComponent::alive;
    DestroyMessage(message);
    EXPECT_EQ(ProbeComponent::alive, alive) << "the message no longer owns the component";
}

TEST(GameObject, RemoveComponentMessageRemovesById)
{
    std::vector<u32> shutdowns; // outlives the world, whose end shuts the rest down
    World world;
    GameObject* object = world.Create();
    auto* keep = object->AddComponent(new ProbeComponent(FamilyType, &shutdowns));
    const u32 goneId = object->AddComponent(new ProbeComponent(FamilyType, &shutdowns))->GetId();

    auto* message = new RemoveComponentMessage(0, goneId, object->GetId());
    object->HandleMessage(message);
    DestroyMessage(message);

    EXPECT_EQ(shutdowns, std::vector<u32>{goneId});
    EXPECT_EQ(ListIds(*object), std::vector<u32>{keep->GetId()});
    EXPECT_TRUE(static_cast<ProbeComponent*>(keep)->received.empty());
}

TEST(GameObject, OtherMessagesReachEveryComponentInListOrder)
{
    World world;
    GameObject* object = world.Create();
    std::vector<u32> order;
    for (int i = 0; i < 3; ++i)
    {
        auto* probe = new ProbeComponent();
        probe->onMessage = [&order](ProbeComponent& self, Message*)
        { order.push_back(self.GetId()); };
        object->AddComponent(probe);
    }
    auto* message = new Message(0, SomeMessageType, object->GetId(), sizeof(Message));
    object->HandleMessage(message);
    DestroyMessage(message);
    EXPECT_EQ(order, ListIds(*object));
}

TEST(GameObject, HandlerThatRemovesAComponentDuringDeliveryIsSafe)
{
    World world;
    GameObject* object = world.Create();
    auto* remover = new ProbeComponent();
    auto* victim = new ProbeComponent();
    auto* last = new ProbeComponent();
    object->AddComponent(remover);
    object->AddComponent(victim);
    object->AddComponent(last);
    const u32 victimId = victim->GetId();
    remover->onMessage = [object, victimId](ProbeComponent&, Message*)
    { object->RemoveComponent(victimId); };

    auto* message = new Message(0, SomeMessageType, object->GetId(), sizeof(Message));
    object->HandleMessage(message);
    DestroyMessage(message);

    EXPECT_EQ(ListIds(*object), (std::vector<u32>{remover->GetId(), last->GetId()}));
    EXPECT_EQ(remover->received.size(), 1u);
}

TEST(GameObject, ShutdownThatRemovesASiblingDuringDestructionIsSafe)
{
    const int aliveBefore = ProbeComponent::alive;
    std::vector<u32> shutdowns;
    {
        World world;
        GameObject* object = world.Create();
        auto* first = object->AddComponent(new ProbeComponent(OtherType, &shutdowns));
        auto* second = new ProbeComponent(OtherType, &shutdowns);
        object->AddComponent(second);
        const u32 firstId = first->GetId();
        second->onShutdown = [object, firstId](ProbeComponent&)
        { object->RemoveComponent(firstId); };
        world.factory.DestroyObject(object->GetId());
    }
    EXPECT_EQ(shutdowns.size(), 2u);
    EXPECT_EQ(ProbeComponent::alive, aliveBefore);
}
