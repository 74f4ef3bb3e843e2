#include "Physics/FixedParticleJointComponent.h"
#include "Physics/FixedJointComponent.h"
#include "Physics/PhysicsParticleComponent.h"
#include "Xml/PlainValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Physics::FixedParticleJointComponent,
                         &TypeRecordOf<Physics::IParticleForceGenerator>(), false)

namespace Physics
{
FixedParticleJointComponent::FixedParticleJointComponent()
    : GameObjectComponent(true), stiffness(0.0f), restLength(0.0f)
{
}

void FixedParticleJointComponent::Deserialize(Serializer::XmlReader& reader)
{
    Serializer::ReadElement<float>(reader, stiffness, "");
    Serializer::ReadElement<float>(reader, restLength, "");
}

void FixedParticleJointComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteFloat(writer, stiffness, "");
    Serializer::WriteFloat(writer, restLength, "");
}

void FixedParticleJointComponent::UpdateForce(PhysicsParticleComponent& particle, f32)
{
    Math::Vector4 offset = particle.GetPosition() - FixedJointComponent::Anchor();
    const f32 length = offset.Length();
    offset.Normalize();
    particle.AddForce(offset * ((restLength - length) * stiffness));
}
} // namespace Physics
