// Every component class the game can create by name, with every subsystem registered as the game
// registers them, comes from the pool of its group. The table below is the whole list: the
// factory knows exactly these names, each in the pool the table gives.
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Game/Registration.h"
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>

namespace
{
struct Group
{
    ComponentFactory::PoolId pool;
    const char* typeNames; // separated by spaces
};

const Group kGroups[] = {
    {ComponentFactory::CorePool, "ActionListComponent TransformComponent ObjectMountsComponent "
                                 "TestComponent NaturalTypingComponent"},
    {ComponentFactory::GraphicsPool,
     "RenderComponent AnimationControllerComponent CameraComponent CameraControllerComponent "
     "CameraMountComponent ObjectBoneMountsComponent OrbitComponent CursorComponent TextComponent "
     "IntensityComponent GlowComponent ParticleSystemComponent PointEmitterComponent "
     "LineEmitterComponent CircleEmitterComponent SquareEmitterComponent SphereEmitterComponent "
     "CubeEmitterComponent CylinderEmitterComponent MeshEmitterComponent PointLightComponent "
     "SpotLightComponent DirectionalLightComponent AmbientLightComponent"},
    {ComponentFactory::PhysicsPool,
     "CharacterControllerComponent PhysicsParticleComponent RigidBodyComponent "
     "AABoxColliderComponent CapsuleColliderComponent CircleColliderComponent "
     "HalfSpaceColliderComponent PlaneColliderComponent SphereColliderComponent "
     "FixedJointComponent FixedParticleJointComponent HingeJointComponent "
     "HingeParticleJointComponent SpringJointComponent SpringParticleJointComponent"},
    {ComponentFactory::AudioPool, "AudioResponseComponent"},
    {ComponentFactory::LogicPool,
     "AbilityComponent BlinkAbilityComponent DamageTrapAbilityComponent DummyAbilityComponent "
     "EarthboundArmorAbilityComponent EarthquakeAbilityComponent EnrageAbilityComponent "
     "EnragedEarthquakeAbilityComponent FissureAbilityComponent LanceThrustAbilityComponent "
     "LaserAbilityComponent LightningFanAbilityComponent MeleeAbilityComponent "
     "OrbAbilityComponent ProjectileAbilityComponent SlowTrapAbilityComponent "
     "SteamPumpAbilityComponent TauntTrapAbilityComponent TitansFistAbilityComponent "
     "EmitterComponent AbsorbContainerComponent ChargeContainerComponent "
     "DamageContainerComponent ExperienceContainerComponent HealthContainerComponent "
     "LifetimeContainerComponent ManaContainerComponent ToughnessContainerComponent "
     "FlashModifierComponent FlashEffectComponent FloatingTextEffectComponent "
     "GlowModifierComponent GlowEffectComponent LightModifierComponent LightEffectComponent "
     "ParticleSystemModifierComponent ParticleSystemEffectComponent AbsorbEffectComponent "
     "DamageEffectComponent DeathEffectComponent EnrageEffectComponent "
     "ExperienceEffectComponent HealthEffectComponent KnockbackEffectComponent "
     "ScaleEffectComponent SpeedEffectComponent StunEffectComponent ToughnessEffectComponent "
     "AbsorbModifierComponent BumpModifierComponent DamageModifierComponent "
     "DeathModifierComponent EnrageModifierComponent ExperienceModifierComponent "
     "HealthModifierComponent KnockbackModifierComponent SpeedModifierComponent "
     "StunModifierComponent ToughnessModifierComponent ArcherStanceComponent "
     "BeaconStanceComponent SlowStanceComponent ConstantMoveComponent ForceMoveComponent "
     "SimpleControllerComponent StaticMoveComponent HUDComponent MeteorComponent"},
    {ComponentFactory::GameStatePool, "ButtonComponent GameStateComponent PageComponent"},
    {ComponentFactory::AIPool,
     "AIControllerComponent AIAttackAbilityComponent AISpawnComponent AttackBehaviorComponent "
     "FleeBehaviorComponent RandomBehaviorComponent SeekBehaviorComponent "
     "SpawnChildrenComponent WanderBehaviorComponent DecisionComponent"},
};
// 5, 24, 15, 1, 68, 3 and 10 classes.
constexpr std::size_t kClassCount = 126;
} // namespace

TEST(ComponentPoolTable, TheFactoryKnowsExactlyTheTableInItsPools)
{
    std::map<std::string, u32> expected; // type name to pool
    for (const Group& group : kGroups)
    {
        std::istringstream names(group.typeNames);
        for (std::string name; names >> name;)
            expected[name] = group.pool;
    }
    ASSERT_EQ(expected.size(), kClassCount) << "a name is missing from the table or repeated";

    Engine engine;
    Game::RegisterSubsystems(engine);
    const ComponentFactory& factory = engine.GetFactory()->GetComponentFactory();
    for (const auto& [name, pool] : expected)
    {
        const ComponentFactory::Entry* entry = factory.FindEntry(name);
        if (entry == nullptr)
            ADD_FAILURE() << name << " is not registered";
        else
            EXPECT_EQ(entry->pool, pool) << name;
    }
    for (const ComponentFactory::Entry& entry : factory.GetEntries())
        EXPECT_EQ(expected.count(entry.typeName), 1u)
            << entry.typeName << " (pool " << entry.pool << ") is not in the table";
}
