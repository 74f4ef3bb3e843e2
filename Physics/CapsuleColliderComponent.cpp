#include "Physics/CapsuleColliderComponent.h"
#include "Xml/PlainValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Physics::CapsuleColliderComponent,
                         &TypeRecordOf<Physics::ColliderComponent>(), false)

namespace Physics
{
CapsuleColliderComponent::CapsuleColliderComponent()
    : ColliderComponent(CapsuleShape), m_capsule(), m_extra(0.0f)
{
}

void CapsuleColliderComponent::ReadShape(Serializer::XmlReader& reader)
{
    Serializer::ReadElement<float>(reader, m_capsule.radius, "");
    Serializer::ReadElement<float>(reader, m_extra, "");
    JoinPhysics();
}

void CapsuleColliderComponent::WriteShape(Serializer::XmlWriter& writer) const
{
    Serializer::WriteFloat(writer, m_capsule.radius, "radius");
    Serializer::WriteFloat(writer, m_extra, "extra");
}

void CapsuleColliderComponent::UpdateFromTransform(f32)
{
    ReadOwnerTransform(m_world);
}
} // namespace Physics
