#include "Physics/RigidJointComponent.h"
#include "Physics/OwnerLookup.h"
#include "Physics/PhysicsSystem.h"
#include "Physics/RigidBodyComponent.h"

namespace Physics
{
RigidJointComponent::RigidJointComponent() : GameObjectComponent(true), m_registered(false) {}

RigidJointComponent::~RigidJointComponent()
{
    Leave();
}

void RigidJointComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadJoint(reader);
    // Read again (by the editor): the old entry goes first, so the joint is never listed twice.
    Leave();
    System::PhysicsSystem* physics = System::PhysicsSystem::Instance();
    RigidBodyComponent* body = FindOwnerRigidBody(*this);
    if (physics == nullptr || body == nullptr)
        return;
    physics->AddForceGenerator(body, this);
    m_registered = true;
}

void RigidJointComponent::Leave()
{
    if (!m_registered)
        return;
    m_registered = false;
    if (System::PhysicsSystem* physics = System::PhysicsSystem::Instance())
        physics->RemoveForceGenerator(FindOwnerRigidBody(*this), this);
}
} // namespace Physics
