#pragma once
// The particle form of the fixed joint: a spring toward the anchor (10, 0, 0) acting on the
// particle. No registry runs particle joints yet, so its force is applied only when called.
// Written and read form, by position: stiffness, then rest length.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Physics/IParticleForceGenerator.h"
#include <string>

namespace Physics
{
class FixedParticleJointComponent : public GameObjectComponent, public IParticleForceGenerator
{
public:
    FixedParticleJointComponent();

    QUILL_COMPONENT_TYPE(FixedParticleJointComponent)
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    void UpdateForce(PhysicsParticleComponent& particle, f32 dt) override;

    f32 stiffness;
    f32 restLength;
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::FixedParticleJointComponent)
