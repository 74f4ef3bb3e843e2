#include "Physics/PhysicsRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/SystemFactory.h"
#include "Physics/AABoxColliderComponent.h"
#include "Physics/CapsuleColliderComponent.h"
#include "Physics/CharacterControllerComponent.h"
#include "Physics/CircleColliderComponent.h"
#include "Physics/FixedJointComponent.h"
#include "Physics/FixedParticleJointComponent.h"
#include "Physics/HalfSpaceColliderComponent.h"
#include "Physics/HingeJointComponent.h"
#include "Physics/HingeParticleJointComponent.h"
#include "Physics/IForceGenerator.h"
#include "Physics/IParticleForceGenerator.h"
#include "Physics/PhysicsParticleComponent.h"
#include "Physics/PhysicsSystem.h"
#include "Physics/PlaneColliderComponent.h"
#include "Physics/RigidBodyComponent.h"
#include "Physics/SphereColliderComponent.h"
#include "Physics/SpringJointComponent.h"
#include "Physics/SpringParticleJointComponent.h"

namespace Physics
{
void RegisterPhysics(Engine& engine)
{
    engine.GetSystemFactory().Register<System::PhysicsSystem>(System::PhysicsSystem::SystemName);

    // The physics group, in its table order.
    ComponentFactory& components = engine.GetFactory()->GetComponentFactory();
    constexpr ComponentFactory::PoolId pool = ComponentFactory::PhysicsPool;
    components.Register<CharacterControllerComponent>(pool);
    components.Register<PhysicsParticleComponent>(pool);
    components.Register<RigidBodyComponent>(pool);
    components.Register<AABoxColliderComponent>(pool);
    components.Register<CapsuleColliderComponent>(pool);
    components.Register<CircleColliderComponent>(pool);
    components.Register<HalfSpaceColliderComponent>(pool);
    components.Register<PlaneColliderComponent>(pool);
    components.Register<SphereColliderComponent>(pool);
    components.Register<FixedJointComponent>(pool);
    components.Register<FixedParticleJointComponent>(pool);
    components.Register<HingeJointComponent>(pool);
    components.Register<HingeParticleJointComponent>(pool);
    components.Register<SpringJointComponent>(pool);
    components.Register<SpringParticleJointComponent>(pool);
}

} // namespace Physics
