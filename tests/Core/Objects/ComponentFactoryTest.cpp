#include "Core/Objects/ComponentFactory.h"
#include "Core/Components/TestComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include <gtest/gtest.h>
#include <stdexcept>

namespace
{
// A component class whose type name and size the tests choose.
template <u32 Payload> class SizedComponent : public GameObjectComponent
{
public:
    SizedComponent() : GameObjectComponent(true) {}
    static const std::string& GetTypeName()
    {
        static const std::string name = "Sized" + std::to_string(Payload) + "Component";
        return name;
    }
    u32 GetType() const override { return Payload; }
    const std::string& GetName() const override { return GetTypeName(); }
    void Shutdown() override {}
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message*) override {}

    u08 payload[Payload] = {};
};
using TinyComponent = SizedComponent<4>;
using SmallComponent = SizedComponent<8>;
using LargeComponent = SizedComponent<200>;
using HugeComponent = SizedComponent<400>;

// A member of a family whose type name is built from a shape word and the family word.
const std::string ColliderFamily = "ColliderComponent";
class BoxColliderComponent : public SizedComponent<16>
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "AABox" + ColliderFamily;
        return name;
    }
    const std::string& GetName() const override { return GetTypeName(); }
};

// The component base is not the first base: its address is not the block's.
struct Extra
{
    virtual ~Extra() = default;
    u64 extra = 0;
};
class MixedComponent : public Extra, public SizedComponent<24>
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "MixedComponent";
        return name;
    }
    const std::string& GetName() const override { return GetTypeName(); }
};

class ThrowingComponent : public SizedComponent<4>
{
public:
    ThrowingComponent() { throw std::runtime_error("construction failed"); }
    static const std::string& GetTypeName()
    {
        static const std::string name = "ThrowingComponent";
        return name;
    }
};

ObjectAllocatorStats PoolStats(const ComponentFactory& factory, u32 pool)
{
    return factory.GetPool(pool)->GetStats();
}
} // namespace

TEST(ComponentFactory, CreatesOnlyOnAnExactName)
{
    ComponentFactory factory;
    Core::RegisterCoreComponents(factory);
    GameObjectComponent* component = factory.Create("TestComponent");
    ASSERT_NE(component, nullptr);
    EXPECT_EQ(component->GetName(), "TestComponent");
    EXPECT_EQ(component->GetOwner(), 0u);
    factory.Destroy(component);

    for (const char* name : {"testcomponent", "TestComponent ", "Core::TestComponent", "Test", ""})
        EXPECT_EQ(factory.Create(name), nullptr) << '"' << name << '"';
}

TEST(ComponentFactory, APoolsBlockIsItsLargestClass)
{
    ComponentFactory factory;
    EXPECT_EQ(factory.GetBlockSize(ComponentFactory::AudioPool),
              ComponentFactory::MinimumBlockSize);
    EXPECT_TRUE(factory.Register<SmallComponent>(ComponentFactory::AudioPool));
    EXPECT_TRUE(factory.Register<LargeComponent>(ComponentFactory::AudioPool));
    EXPECT_EQ(factory.GetBlockSize(ComponentFactory::AudioPool), sizeof(LargeComponent));
    EXPECT_EQ(factory.GetPool(ComponentFactory::AudioPool), nullptr) << "built on first use";

    GameObjectComponent* small = factory.Create(SmallComponent::GetTypeName());
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(PoolStats(factory, ComponentFactory::AudioPool).objectSize, sizeof(LargeComponent));
    EXPECT_EQ(factory.GetPool(ComponentFactory::PhysicsPool), nullptr);
    factory.Destroy(small);
}

TEST(ComponentFactory, RefusesBadRegistrations)
{
    ComponentFactory factory;
    EXPECT_FALSE(factory.Register<SmallComponent>(static_cast<ComponentFactory::PoolId>(7)));
    EXPECT_TRUE(factory.Register<SmallComponent>(ComponentFactory::AIPool));
    EXPECT_FALSE(factory.Register<SmallComponent>(ComponentFactory::CorePool)) << "same name";

    GameObjectComponent* built = factory.Create(SmallComponent::GetTypeName());
    // The AI pool now has blocks of the small class: a larger one no longer fits.
    EXPECT_FALSE(factory.Register<HugeComponent>(ComponentFactory::AIPool));
    EXPECT_EQ(factory.Create(HugeComponent::GetTypeName()), nullptr);
    EXPECT_TRUE(factory.Register<TinyComponent>(ComponentFactory::AIPool)) << "a smaller one does";
    factory.Destroy(built);
}

TEST(ComponentFactory, NamesBuiltFromTwoPartsMatchButTheFamilyWordAloneDoesNot)
{
    ComponentFactory factory;
    factory.Register<BoxColliderComponent>(ComponentFactory::PhysicsPool);
    GameObjectComponent* box = factory.Create("AABoxColliderComponent");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(factory.Create(ColliderFamily), nullptr);
    EXPECT_EQ(factory.Create("AABox"), nullptr);
    factory.Destroy(box);
}

TEST(ComponentFactory, DestroyingTwiceThroughOnePointerDoesNothingTheSecondTime)
{
    ComponentFactory factory;
    factory.Register<SmallComponent>(ComponentFactory::LogicPool);
    GameObjectComponent* component = factory.Create(SmallComponent::GetTypeName());
    factory.Destroy(component);
    EXPECT_EQ(component, nullptr);
    factory.Destroy(component);
    const ObjectAllocatorStats stats = PoolStats(factory, ComponentFactory::LogicPool);
    EXPECT_EQ(stats.deallocations, 1u);
    EXPECT_EQ(stats.objectsInUse, 0u);
}

TEST(ComponentFactory, ComponentsNotFromAPoolAreDeleted)
{
    ComponentFactory factory;
    factory.Register<SmallComponent>(ComponentFactory::CorePool);
    // Unregistered class, and a registered class whose pool was never used.
    GameObjectComponent* foreign = new LargeComponent();
    GameObjectComponent* unpooled = new SmallComponent();
    factory.Destroy(foreign);
    factory.Destroy(unpooled);
    EXPECT_EQ(foreign, nullptr);
    EXPECT_EQ(unpooled, nullptr);
    EXPECT_EQ(factory.GetPool(ComponentFactory::CorePool), nullptr);
}

TEST(ComponentFactory, ReturnsTheWholeBlockWhenTheBaseIsNotFirst)
{
    ComponentFactory factory;
    factory.Register<MixedComponent>(ComponentFactory::GraphicsPool);
    GameObjectComponent* component = factory.Create("MixedComponent");
    ASSERT_NE(component, nullptr);
    void* block = dynamic_cast<void*>(component);
    EXPECT_NE(static_cast<void*>(component), block);
    factory.Destroy(component);

    // A paged pool's free list is last in, first out: the same block comes back. (Pools on the
    // heap leave the check to the address sanitizer, which rejects a free of an inner address.)
    GameObjectComponent* again = factory.Create("MixedComponent");
    if (!PoolsUseHeap)
    {
        EXPECT_EQ(dynamic_cast<void*>(again), block);
    }
    factory.Destroy(again);
    EXPECT_EQ(PoolStats(factory, ComponentFactory::GraphicsPool).objectsInUse, 0u);
}

TEST(ComponentFactory, AFailedConstructionReturnsItsBlock)
{
    ComponentFactory factory;
    factory.Register<ThrowingComponent>(ComponentFactory::GameStatePool);
    EXPECT_THROW(factory.Create("ThrowingComponent"), std::runtime_error);
    EXPECT_EQ(PoolStats(factory, ComponentFactory::GameStatePool).objectsInUse, 0u);
}

TEST(ComponentFactory, TheGameFactoryKnowsTheCoreComponents)
{
    Engine engine;
    Core::RegisterCore(engine);
    GameFactory& factory = *engine.GetFactory();
    GameObjectComponent* component = factory.CreateComponent("TestComponent");
    ASSERT_NE(component, nullptr);
    EXPECT_EQ(component->GetType(), TestComponent().GetType());
    EXPECT_GE(factory.GetComponentFactory().GetBlockSize(ComponentFactory::CorePool),
              sizeof(TestComponent));
    EXPECT_EQ(factory.CreateComponent("NoSuchComponent"), nullptr);
    factory.DestroyComponent(component);
    EXPECT_EQ(component, nullptr);
}
