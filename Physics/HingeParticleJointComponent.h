#pragma once
// A hinge joint for physics particles: it adds no force, and no registry runs particle
// joints yet. It reads and writes nothing.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Physics/IParticleForceGenerator.h"
#include <string>

namespace Physics
{
class HingeParticleJointComponent : public GameObjectComponent, public IParticleForceGenerator
{
public:
    HingeParticleJointComponent() : GameObjectComponent(true) {}

    QUILL_COMPONENT_TYPE(HingeParticleJointComponent)
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}

    void UpdateForce(PhysicsParticleComponent&, f32) override {}
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::HingeParticleJointComponent)
