#include "Logic/LogicRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/SystemFactory.h"
#include "Logic/Abilities/AbilityComponent.h"
#include "Logic/Abilities/MeleeAbilityComponent.h"
#include "Logic/Abilities/ProjectileAbilityComponent.h"
#include "Logic/Abilities/PulseTrapComponent.h"
#include "Logic/Containers/AbsorbContainerComponent.h"
#include "Logic/Containers/ChargeContainerComponent.h"
#include "Logic/Containers/DamageContainerComponent.h"
#include "Logic/Containers/ExperienceContainerComponent.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Containers/LifetimeContainerComponent.h"
#include "Logic/Containers/ManaContainerComponent.h"
#include "Logic/Containers/ToughnessContainerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Effects/DamageEffectComponent.h"
#include "Logic/Effects/HealthEffectComponent.h"
#include "Logic/Emitters/EmitterComponent.h"
#include "Logic/LogicComponent.h"
#include "Logic/LogicSystem.h"
#include "Logic/Modifiers/DamageModifierComponent.h"
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

    AddTypeRecordRegistration(&RegisterLogicTypeRecords);
}

void RegisterLogicTypeRecords()
{
    // Bases before the records that name them.
    TypeRecordOf<LogicComponent>();
    TypeRecordOf<AbilityComponent>();
    TypeRecordOf<ContainerComponent>();
    TypeRecordOf<EffectComponent>();
    TypeRecordOf<MoveComponent>();
    TypeRecordOf<ControllerComponent>();
    TypeRecordOf<StanceComponent>();
    TypeRecordOf<PulseTrapComponent>();
    TypeRecordOf<MeleeAbilityComponent>();
    TypeRecordOf<ProjectileAbilityComponent>();
    TypeRecordOf<AbsorbContainerComponent>();
    TypeRecordOf<ChargeContainerComponent>();
    TypeRecordOf<DamageContainerComponent>();
    TypeRecordOf<ExperienceContainerComponent>();
    TypeRecordOf<HealthContainerComponent>();
    TypeRecordOf<LifetimeContainerComponent>();
    TypeRecordOf<RechargeContainerComponent>();
    TypeRecordOf<ToughnessContainerComponent>();
    TypeRecordOf<ModifierComponent>();
    TypeRecordOf<ManaContainerComponent>();
    TypeRecordOf<DamageEffectComponent>();
    TypeRecordOf<HealthEffectComponent>();
    TypeRecordOf<DamageModifierComponent>();
    TypeRecordOf<ConstantMoveComponent>();
    TypeRecordOf<ForceMoveComponent>();
    TypeRecordOf<StaticMoveComponent>();
    TypeRecordOf<ArcherStanceComponent>();
    TypeRecordOf<BeaconStanceComponent>();
    TypeRecordOf<SlowStanceComponent>();
    TypeRecordOf<EmitterComponent>();
    TypeRecordOf<SimpleControllerComponent>();
    ContainerComponent::RegisterMembers();
    EffectComponent::RegisterMembers();
    ModifierComponent::RegisterMembers();
    MoveComponent::RegisterMembers();
}
} // namespace Logic
