#include "AI/AIRegistration.h"
#include "AI/AIComponent.h"
#include "AI/AIControllerComponent.h"
#include "AI/AISystem.h"
#include "AI/Behaviors/AttackBehaviorComponent.h"
#include "AI/Behaviors/FleeBehaviorComponent.h"
#include "AI/Behaviors/RandomBehaviorComponent.h"
#include "AI/Behaviors/SeekBehaviorComponent.h"
#include "AI/Behaviors/WanderBehaviorComponent.h"
#include "AI/DecisionComponent.h"
#include "AI/Spawning/AISpawnComponent.h"
#include "AI/Spawning/SpawnChildrenComponent.h"
#include "AI/WorldStateComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/SystemFactory.h"

namespace AI
{
void RegisterAI(Engine& engine)
{
    engine.GetSystemFactory().Register<System::AISystem>("AISystem");

    ComponentFactory& components = engine.GetFactory()->GetComponentFactory();
    constexpr ComponentFactory::PoolId pool = ComponentFactory::AIPool;
    components.Register<AIControllerComponent>(pool);
    components.Register<AttackBehaviorComponent>(pool);
    components.Register<SeekBehaviorComponent>(pool);
    components.Register<FleeBehaviorComponent>(pool);
    components.Register<WanderBehaviorComponent>(pool);
    components.Register<RandomBehaviorComponent>(pool);
    components.Register<AISpawnComponent>(pool);
    components.Register<SpawnChildrenComponent>(pool);
    components.Register<DecisionComponent>(pool);
    // The world state is not created by name; its record is named in the component tree.
    AddTypeRecord<WorldStateComponent>();
}

} // namespace AI
