#include "Logic/LogicRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/SystemFactory.h"
#include "Logic/Abilities/AIAttackAbilityComponent.h"
#include "Logic/Abilities/AbilityComponent.h"
#include "Logic/Abilities/BlinkAbilityComponent.h"
#include "Logic/Abilities/DamageTrapAbilityComponent.h"
#include "Logic/Abilities/DummyAbilityComponent.h"
#include "Logic/Abilities/EarthboundArmorAbilityComponent.h"
#include "Logic/Abilities/EarthquakeAbilityComponent.h"
#include "Logic/Abilities/EnrageAbilityComponent.h"
#include "Logic/Abilities/EnragedEarthquakeAbilityComponent.h"
#include "Logic/Abilities/FissureAbilityComponent.h"
#include "Logic/Abilities/LanceThrustAbilityComponent.h"
#include "Logic/Abilities/LaserAbilityComponent.h"
#include "Logic/Abilities/LightningFanAbilityComponent.h"
#include "Logic/Abilities/MeleeAbilityComponent.h"
#include "Logic/Abilities/MeteorComponent.h"
#include "Logic/Abilities/OrbAbilityComponent.h"
#include "Logic/Abilities/ProjectileAbilityComponent.h"
#include "Logic/Abilities/PulseTrapComponent.h"
#include "Logic/Abilities/SlowTrapAbilityComponent.h"
#include "Logic/Abilities/SteamPumpAbilityComponent.h"
#include "Logic/Abilities/TauntTrapAbilityComponent.h"
#include "Logic/Abilities/TitansFistAbilityComponent.h"
#include "Logic/Containers/AbsorbContainerComponent.h"
#include "Logic/Containers/ChargeContainerComponent.h"
#include "Logic/Containers/DamageContainerComponent.h"
#include "Logic/Containers/ExperienceContainerComponent.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Containers/LifetimeContainerComponent.h"
#include "Logic/Containers/ManaContainerComponent.h"
#include "Logic/Containers/ToughnessContainerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Effects/AbsorbEffectComponent.h"
#include "Logic/Effects/DamageEffectComponent.h"
#include "Logic/Effects/DeathEffectComponent.h"
#include "Logic/Effects/EnrageEffectComponent.h"
#include "Logic/Effects/ExperienceEffectComponent.h"
#include "Logic/Effects/FlashEffectComponent.h"
#include "Logic/Effects/FloatingTextEffectComponent.h"
#include "Logic/Effects/GlowEffectComponent.h"
#include "Logic/Effects/HealthEffectComponent.h"
#include "Logic/Effects/KnockbackEffectComponent.h"
#include "Logic/Effects/LightEffectComponent.h"
#include "Logic/Effects/ParticleSystemEffectComponent.h"
#include "Logic/Effects/ScaleEffectComponent.h"
#include "Logic/Effects/SpeedEffectComponent.h"
#include "Logic/Effects/StunEffectComponent.h"
#include "Logic/Effects/ToughnessEffectComponent.h"
#include "Logic/Emitters/EmitterComponent.h"
#include "Logic/LogicComponent.h"
#include "Logic/LogicSystem.h"
#include "Logic/Modifiers/AbsorbModifierComponent.h"
#include "Logic/Modifiers/BumpModifierComponent.h"
#include "Logic/Modifiers/DamageModifierComponent.h"
#include "Logic/Modifiers/DeathModifierComponent.h"
#include "Logic/Modifiers/EnrageModifierComponent.h"
#include "Logic/Modifiers/ExperienceModifierComponent.h"
#include "Logic/Modifiers/FlashModifierComponent.h"
#include "Logic/Modifiers/GlowModifierComponent.h"
#include "Logic/Modifiers/HealthModifierComponent.h"
#include "Logic/Modifiers/KnockbackModifierComponent.h"
#include "Logic/Modifiers/LightModifierComponent.h"
#include "Logic/Modifiers/ParticleSystemModifierComponent.h"
#include "Logic/Modifiers/SpeedModifierComponent.h"
#include "Logic/Modifiers/StunModifierComponent.h"
#include "Logic/Modifiers/ToughnessModifierComponent.h"
#include "Logic/Movement/ConstantMoveComponent.h"
#include "Logic/Movement/ForceMoveComponent.h"
#include "Logic/Movement/StaticMoveComponent.h"
#include "Logic/Stances/ArcherStanceComponent.h"
#include "Logic/Stances/BeaconStanceComponent.h"
#include "Logic/Stances/SlowStanceComponent.h"

namespace Logic
{
void RegisterLogic(Engine& engine)
{
    engine.GetSystemFactory().Register<System::LogicSystem>("LogicSystem");

    ComponentFactory& components = engine.GetFactory()->GetComponentFactory();
    constexpr ComponentFactory::PoolId pool = ComponentFactory::LogicPool;
    components.Register<AbilityComponent>(pool);
    components.Register<MeleeAbilityComponent>(pool);
    components.Register<ProjectileAbilityComponent>(pool);
    components.Register<AbsorbContainerComponent>(pool);
    components.Register<ChargeContainerComponent>(pool);
    components.Register<DamageContainerComponent>(pool);
    components.Register<ExperienceContainerComponent>(pool);
    components.Register<HealthContainerComponent>(pool);
    components.Register<LifetimeContainerComponent>(pool);
    components.Register<ManaContainerComponent>(pool);
    components.Register<ToughnessContainerComponent>(pool);
    components.Register<DamageEffectComponent>(pool);
    components.Register<HealthEffectComponent>(pool);
    components.Register<DamageModifierComponent>(pool);
    components.Register<ConstantMoveComponent>(pool);
    components.Register<ForceMoveComponent>(pool);
    components.Register<StaticMoveComponent>(pool);
    components.Register<ArcherStanceComponent>(pool);
    components.Register<BeaconStanceComponent>(pool);
    components.Register<SlowStanceComponent>(pool);
    components.Register<EmitterComponent>(pool);
    components.Register<SimpleControllerComponent>(pool);
    components.Register<MeteorComponent>(pool);
    // The enemies' attack ability lives with the AI components, in their pool.
    components.Register<AIAttackAbilityComponent>(ComponentFactory::AIPool);
    components.Register<BlinkAbilityComponent>(pool);
    components.Register<DamageTrapAbilityComponent>(pool);
    components.Register<DummyAbilityComponent>(pool);
    components.Register<EarthboundArmorAbilityComponent>(pool);
    components.Register<EarthquakeAbilityComponent>(pool);
    components.Register<EnrageAbilityComponent>(pool);
    components.Register<EnragedEarthquakeAbilityComponent>(pool);
    components.Register<FissureAbilityComponent>(pool);
    components.Register<LanceThrustAbilityComponent>(pool);
    components.Register<LaserAbilityComponent>(pool);
    components.Register<LightningFanAbilityComponent>(pool);
    components.Register<OrbAbilityComponent>(pool);
    components.Register<SlowTrapAbilityComponent>(pool);
    components.Register<SteamPumpAbilityComponent>(pool);
    components.Register<TauntTrapAbilityComponent>(pool);
    components.Register<TitansFistAbilityComponent>(pool);
    components.Register<AbsorbEffectComponent>(pool);
    components.Register<DeathEffectComponent>(pool);
    components.Register<EnrageEffectComponent>(pool);
    components.Register<ExperienceEffectComponent>(pool);
    components.Register<FlashEffectComponent>(pool);
    components.Register<FloatingTextEffectComponent>(pool);
    components.Register<GlowEffectComponent>(pool);
    components.Register<KnockbackEffectComponent>(pool);
    components.Register<LightEffectComponent>(pool);
    components.Register<ParticleSystemEffectComponent>(pool);
    components.Register<ScaleEffectComponent>(pool);
    components.Register<SpeedEffectComponent>(pool);
    components.Register<StunEffectComponent>(pool);
    components.Register<ToughnessEffectComponent>(pool);
    components.Register<AbsorbModifierComponent>(pool);
    components.Register<BumpModifierComponent>(pool);
    components.Register<DeathModifierComponent>(pool);
    components.Register<EnrageModifierComponent>(pool);
    components.Register<ExperienceModifierComponent>(pool);
    components.Register<FlashModifierComponent>(pool);
    components.Register<GlowModifierComponent>(pool);
    components.Register<HealthModifierComponent>(pool);
    components.Register<KnockbackModifierComponent>(pool);
    components.Register<LightModifierComponent>(pool);
    components.Register<ParticleSystemModifierComponent>(pool);
    components.Register<SpeedModifierComponent>(pool);
    components.Register<StunModifierComponent>(pool);
    components.Register<ToughnessModifierComponent>(pool);

    AddTypeRecordRegistration(&RegisterLogicTypeRecords);
}

void RegisterLogicTypeRecords()
{
    ContainerComponent::RegisterMembers();
    EffectComponent::RegisterMembers();
    ModifierComponent::RegisterMembers();
    MoveComponent::RegisterMembers();
}
} // namespace Logic
