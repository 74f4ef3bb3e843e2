#pragma once
// What the rigid-body joints share: once read, a joint files itself in the physics system's
// force registry with its object's rigid body (an object without one gets no entry), and it
// leaves the registry when it goes. A body that goes first clears its own entries.
#include "Core/Objects/GameObjectComponent.h"
#include "Physics/IForceGenerator.h"

namespace Physics
{
class RigidJointComponent : public GameObjectComponent, public IForceGenerator
{
public:
    RigidJointComponent();
    RigidJointComponent(const RigidJointComponent&) = delete;
    RigidJointComponent& operator=(const RigidJointComponent&) = delete;
    ~RigidJointComponent() override;

    void Shutdown() override {}
    // Reads the joint's own values (ReadJoint), then joins the force registry.
    void Deserialize(Serializer::XmlReader& reader) override;

    // Whether the joint has an entry in the force registry.
    bool IsRegistered() const { return m_registered; }

protected:
    virtual void ReadJoint(Serializer::XmlReader&) {}

private:
    void Leave();

    bool m_registered;
};
} // namespace Physics
