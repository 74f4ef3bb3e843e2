// The logic system: every registered component is updated and hears every system-wide
// message; leaving follows the unregister rules; the walk survives components that leave or
// join during it; family look-ups find any member.
#include "Logic/LogicSystem.h"
#include "Core/Engine.h"
#include "Core/Messages/Message.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Logic/Abilities/ProjectileAbilityComponent.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Effects/HealthEffectComponent.h"
#include "Logic/Modifiers/DamageModifierComponent.h"
#include "Logic/Movement/ConstantMoveComponent.h"
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace
{
using Logic::System::LogicSystem;

// Counts its calls; what it does in its update is up to the test.
class Probe : public Logic::LogicComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "Probe";
        return name;
    }
    u32 GetType() const override { return 7; }
    const std::string& GetName() const override { return GetTypeName(); }
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message*) override { ++messages; }
    void Update(f32) override
    {
        ++updates;
        if (onUpdate)
            onUpdate();
    }

    int updates = 0;
    int messages = 0;
    std::function<void()> onUpdate;
};

TEST(LogicSystem, EveryComponentIsUpdatedAndHearsEveryBroadcast)
{
    LogicSystem system;
    Probe a;
    Probe b;
    Logic::HealthContainerComponent ignoresMessages;
    Message broadcast(0, 1000, Message::NoSystem, sizeof(Message));
    system.HandleMessage(&broadcast);
    system.Update(0.1f);
    for (const Probe* probe : {&a, &b})
    {
        EXPECT_EQ(probe->messages, 1);
        EXPECT_EQ(probe->updates, 1);
    }
    EXPECT_EQ(system.GetCount(), 3u);
    EXPECT_TRUE(system.GetPlayerControllers().empty());
}

TEST(LogicSystem, UnregisterRules)
{
    LogicSystem system;
    Probe listed;
    auto stranger = std::make_unique<Probe>();
    system.Remove(stranger.get()); // never listed from here on
    const std::size_t before = system.GetCount();
    system.Unregister(stranger.get());
    EXPECT_EQ(system.GetCount(), before) << "an unlisted component changes nothing";

    system.Register(&listed); // now listed twice
    EXPECT_EQ(system.GetCount(), before + 1);
    system.Unregister(&listed);
    EXPECT_EQ(system.GetCount(), before - 1) << "both entries go";
    listed.Update(0.0f);
    system.Update(0.1f);
    EXPECT_EQ(listed.updates, 1) << "only the direct call";
}

TEST(LogicSystem, ComponentsLeavingAndJoiningDuringTheWalk)
{
    LogicSystem system;
    auto first = std::make_unique<Probe>();
    auto victim = std::make_unique<Probe>();
    std::unique_ptr<Probe> newcomer;
    first->onUpdate = [&]()
    {
        if (victim)
        {
            victim.reset(); // destroyed before its turn
            newcomer = std::make_unique<Probe>();
        }
    };
    system.Update(0.1f);
    ASSERT_NE(newcomer, nullptr);
    EXPECT_EQ(newcomer->updates, 1) << "appended during the walk, visited by it";
    EXPECT_EQ(system.GetCount(), 2u);
    EXPECT_EQ(system.GetEntries().size(), 2u) << "compacted after the walk";
    system.Update(0.1f);
    EXPECT_EQ(first->updates, 2);
    EXPECT_EQ(newcomer->updates, 2);
}

TEST(LogicSystem, FamilyLookUpsFindAnyMember)
{
    struct Case
    {
        GameObjectComponent* component;
        u32 familyId;
        const char* name;
    };
    // Heap components: the object deletes them (no engine, no factory).
    auto* projectile = new Logic::ProjectileAbilityComponent;
    auto* effect = new Logic::HealthEffectComponent;
    auto* modifier = new Logic::DamageModifierComponent;
    auto* move = new Logic::ConstantMoveComponent;
    auto* controller = new Logic::SimpleControllerComponent;
    auto* health = new Logic::HealthContainerComponent;
    const Case cases[] = {
        {projectile, ComponentTypeId<Logic::AbilityComponent>(), "ProjectileAbilityComponent"},
        {effect, ComponentTypeId<Logic::EffectComponent>(), "HealthEffectComponent"},
        {modifier, ComponentTypeId<Logic::ModifierComponent>(), "DamageModifierComponent"},
        {move, ComponentTypeId<Logic::MoveComponent>(), "ConstantMoveComponent"},
        {controller, ComponentTypeId<Logic::ControllerComponent>(), "SimpleControllerComponent"},
        {health, HashTypeName("HealthContainerComponent"), "HealthContainerComponent"},
    };
    ASSERT_EQ(g_Engine, nullptr);
    GameObject object;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.component->GetType(), c.familyId);
        EXPECT_EQ(c.component->GetName(), c.name);
        object.AddComponent(c.component);
    }
    EXPECT_EQ(object.GetComponent<Logic::AbilityComponent>(), projectile);
    EXPECT_EQ(object.GetComponent<Logic::ProjectileAbilityComponent>(), projectile);
    EXPECT_EQ(object.GetComponent<Logic::EffectComponent>(), effect);
    EXPECT_EQ(object.GetComponent<Logic::ModifierComponent>(), modifier);
    EXPECT_EQ(object.GetComponent<Logic::MoveComponent>(), move);
    EXPECT_EQ(object.GetComponent<Logic::ControllerComponent>(), controller);
    EXPECT_EQ(object.GetComponent<Logic::HealthContainerComponent>(), health);
    EXPECT_EQ(object.GetComponent<Logic::ContainerComponent>(), nullptr)
        << "container kinds are no family";
}

// The script tables ask Instance before they call the system: it answers while the system
// lives, and no player is listed without player controllers.
TEST(LogicSystem, TheScriptTablesFindTheSystemWhileItLives)
{
    {
        LogicSystem system;
        EXPECT_EQ(LogicSystem::Instance(), &system);
        EXPECT_TRUE(LogicSystem::PlayerObjectIds().empty());
    }
    EXPECT_EQ(LogicSystem::Instance(), nullptr);
    EXPECT_TRUE(LogicSystem::PlayerObjectIds().empty());
}
} // namespace
