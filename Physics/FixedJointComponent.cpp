#include "Physics/FixedJointComponent.h"
#include "Physics/RigidBodyComponent.h"
#include "Xml/PlainValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Physics::FixedJointComponent, &TypeRecordOf<Physics::IForceGenerator>(),
                         false)

namespace Physics
{
FixedJointComponent::FixedJointComponent() : stiffness(0.0f), restLength(0.0f) {}

void FixedJointComponent::ReadJoint(Serializer::XmlReader& reader)
{
    Serializer::ReadElement<float>(reader, stiffness, "");
    Serializer::ReadElement<float>(reader, restLength, "");
}

void FixedJointComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteFloat(writer, stiffness, "");
    Serializer::WriteFloat(writer, restLength, "");
}

void FixedJointComponent::UpdateForce(RigidBodyComponent& body, f32)
{
    Math::Vector4 offset = body.GetPosition() - Anchor();
    const f32 length = offset.Length();
    offset.Normalize();
    body.AddForce(offset * ((restLength - length) * stiffness));
}
} // namespace Physics
