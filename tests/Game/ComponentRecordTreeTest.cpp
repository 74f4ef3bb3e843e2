// Every component record of the game, with every subsystem registered as the game registers
// them. The table below is the whole tree of component records: the registry holds exactly
// these records below the component root, each naming the base the table gives. A few names
// have no class in the engine; their records exist all the same.
#include "Core/Engine.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Game/Registration.h"
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>

namespace
{
struct Branch
{
    const char* base;
    const char* records; // separated by spaces
};

// Each base with the records that name it, in the order the records are made.
const Branch kTree[] = {
    {"GameObjectComponent",
     "Scripting::LuaComponent TestComponent TransformComponent ObjectMountsComponent "
     "ObjectBoneMountsComponent ActionListComponent NaturalTypingComponent GameState::HUDComponent "
     "GameState::GameStateComponent GameState::PageComponent Graphics::RenderComponent "
     "Graphics::AnimationControllerComponent Graphics::CameraComponent "
     "Graphics::CameraControllerComponent Graphics::CameraMountComponent Graphics::CursorComponent "
     "Graphics::LightComponent Graphics::ObjectMountComponent OrbitComponent "
     "Graphics::TextComponent Graphics::IntensityComponent Graphics::GlowComponent "
     "Graphics::ParticleSystemComponent Graphics::ParticleEmitterComponent "
     "Graphics::ParticleInfluencerComponent Physics::ColliderComponent "
     "Physics::CharacterControllerComponent Physics::RigidBodyComponent "
     "Physics::PhysicsParticleComponent Physics::IForceGenerator Physics::IParticleForceGenerator "
     "Logic::LogicComponent Audio::AudioResponseComponent Audio::MusicComponent "
     "Audio::SoundEffectComponent AI::AIComponent AI::WorldStateComponent"},
    {"GameState::HUDComponent", "GameState::ButtonComponent"},
    {"Graphics::ParticleEmitterComponent",
     "Graphics::PointEmitterComponent Graphics::LineEmitterComponent "
     "Graphics::CircleEmitterComponent Graphics::SquareEmitterComponent "
     "Graphics::SphereEmitterComponent Graphics::CubeEmitterComponent "
     "Graphics::CylinderEmitterComponent Graphics::MeshEmitterComponent"},
    {"Graphics::ParticleInfluencerComponent",
     "Graphics::MagnetInfluencerComponent Graphics::OscillatorInfluencerComponent"},
    {"Graphics::LightComponent",
     "Graphics::PointLightComponent Graphics::SpotLightComponent "
     "Graphics::DirectionalLightComponent Graphics::AmbientLightComponent"},
    {"Physics::ColliderComponent",
     "Physics::CircleColliderComponent Physics::PlaneColliderComponent "
     "Physics::AABoxColliderComponent Physics::CapsuleColliderComponent "
     "Physics::HalfSpaceColliderComponent Physics::SphereColliderComponent"},
    {"Physics::IForceGenerator",
     "Physics::FixedJointComponent Physics::HingeJointComponent Physics::SpringJointComponent"},
    {"Physics::IParticleForceGenerator",
     "Physics::FixedParticleJointComponent Physics::HingeParticleJointComponent "
     "Physics::SpringParticleJointComponent"},
    {"Logic::LogicComponent",
     "Logic::AbilityComponent Logic::ContainerComponent Logic::MeteorComponent "
     "Logic::EffectComponent Logic::MoveComponent Logic::ControllerComponent "
     "Logic::StanceComponent Logic::EmitterComponent"},
    {"Logic::AbilityComponent",
     "Logic::AIAttackAbilityComponent Logic::DummyAbilityComponent Logic::MeleeAbilityComponent "
     "Logic::ProjectileAbilityComponent Logic::EarthboundArmorAbilityComponent "
     "Logic::EarthquakeAbilityComponent Logic::EnrageAbilityComponent "
     "Logic::EnragedEarthquakeAbilityComponent Logic::TitansFistAbilityComponent "
     "Logic::FissureAbilityComponent Logic::LanceThrustAbilityComponent "
     "Logic::SteamPumpAbilityComponent Logic::LaserAbilityComponent Logic::BlinkAbilityComponent "
     "Logic::OrbAbilityComponent Logic::LightningFanAbilityComponent "
     "Logic::DamageTrapAbilityComponent Logic::SlowTrapAbilityComponent Logic::PulseTrapComponent"},
    {"Logic::PulseTrapComponent", "Logic::TauntTrapAbilityComponent"},
    {"Logic::ContainerComponent",
     "Logic::AbsorbContainerComponent Logic::ChargeContainerComponent "
     "Logic::DamageContainerComponent Logic::ExperienceContainerComponent "
     "Logic::HealthContainerComponent Logic::LifetimeContainerComponent "
     "Logic::RechargeContainerComponent Logic::ToughnessContainerComponent "
     "Logic::ModifierComponent"},
    {"Logic::RechargeContainerComponent", "Logic::ManaContainerComponent"},
    {"Logic::EffectComponent",
     "Logic::AbsorbEffectComponent Logic::DamageEffectComponent Logic::DeathEffectComponent "
     "Logic::EnrageEffectComponent Logic::ExperienceEffectComponent Logic::HealthEffectComponent "
     "Logic::KnockbackEffectComponent Logic::ScaleEffectComponent Logic::SpeedEffectComponent "
     "Logic::StunEffectComponent Logic::ToughnessEffectComponent "
     "Logic::ParticleSystemEffectComponent Logic::FloatingTextEffectComponent "
     "Logic::FlashEffectComponent Logic::GlowEffectComponent Logic::LightEffectComponent"},
    {"Logic::ModifierComponent",
     "Logic::ParticleSystemModifierComponent Logic::FlashModifierComponent "
     "Logic::GlowModifierComponent Logic::LightModifierComponent Logic::AbsorbModifierComponent "
     "Logic::BumpModifierComponent Logic::DamageModifierComponent Logic::DeathModifierComponent "
     "Logic::EnrageModifierComponent Logic::ExperienceModifierComponent "
     "Logic::HealthModifierComponent Logic::KnockbackModifierComponent "
     "Logic::SpeedModifierComponent Logic::StunModifierComponent "
     "Logic::ToughnessModifierComponent"},
    {"Logic::MoveComponent",
     "Logic::ConstantMoveComponent Logic::ForceMoveComponent Logic::StaticMoveComponent"},
    {"Logic::ControllerComponent", "Logic::SimpleControllerComponent AI::AIControllerComponent"},
    {"Logic::StanceComponent",
     "Logic::ArcherStanceComponent Logic::BeaconStanceComponent Logic::SlowStanceComponent"},
    {"AI::AIComponent", "AI::BehaviorComponent AI::DecisionComponent AI::AISpawnComponent "
                        "AI::SpawnChildrenComponent"},
    {"AI::BehaviorComponent",
     "AI::AttackBehaviorComponent AI::FleeBehaviorComponent AI::RandomBehaviorComponent "
     "AI::SeekBehaviorComponent AI::WanderBehaviorComponent"},
};
// The root and every record of the branches above.
constexpr std::size_t kRecordCount = 151;

// Record name to the name of its base ("" for the root).
std::map<std::string, std::string> ExpectedBases()
{
    std::map<std::string, std::string> bases = {{"GameObjectComponent", ""}};
    for (const Branch& branch : kTree)
    {
        std::istringstream records(branch.records);
        for (std::string record; records >> record;)
            bases[record] = branch.base;
    }
    return bases;
}

bool DescendsFromComponent(const TypeRecord& record)
{
    for (const TypeRecord* at = &record; at != nullptr; at = at->GetBase())
    {
        if (at == &TypeRecordOf<GameObjectComponent>())
            return true;
    }
    return false;
}
} // namespace

TEST(ComponentRecordTree, TheRegistryHoldsExactlyTheTree)
{
    Engine engine;
    Game::RegisterSubsystems(engine);
    InitializeTypeRegistry();

    const std::map<std::string, std::string> expected = ExpectedBases();
    ASSERT_EQ(expected.size(), kRecordCount) << "a name is missing from the table or repeated";

    std::map<std::string, std::string> registered; // record name to its base name
    for (auto entry = TypeRegistryBegin(); entry != TypeRegistryEnd(); ++entry)
    {
        const TypeRecord& record = *entry->second;
        if (!DescendsFromComponent(record))
            continue;
        const TypeRecord* base = record.GetBase();
        registered[record.GetName()] = base != nullptr ? base->GetName() : "";
        EXPECT_FALSE(record.IsPod()) << record.GetName();
    }

    for (const auto& [name, base] : expected)
    {
        const auto found = registered.find(name);
        if (found == registered.end())
            ADD_FAILURE() << name << " has no record below the component root";
        else
            EXPECT_EQ(found->second, base) << name;
    }
    for (const auto& [name, base] : registered)
        EXPECT_EQ(expected.count(name), 1u)
            << name << " (base '" << base << "') is not in the tree";
}
