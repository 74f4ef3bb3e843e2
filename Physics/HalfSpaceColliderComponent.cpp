#include "Physics/HalfSpaceColliderComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Physics/OwnerLookup.h"
#include "Xml/MathValueXml.h"
#include "Xml/PlainValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Physics::HalfSpaceColliderComponent,
                         &TypeRecordOf<Physics::ColliderComponent>(), false)

namespace Physics
{
HalfSpaceColliderComponent::HalfSpaceColliderComponent()
    : ColliderComponent(HalfSpaceShape), m_normal(), m_offset(0.0f), m_boundary()
{
}

void HalfSpaceColliderComponent::Set(const Math::Vector4& normal, f32 offset)
{
    m_normal = Math::Vector4(normal.x, normal.y, normal.z, 0.0f);
    m_offset = offset;
    m_boundary = Math::Plane(m_normal.x, m_normal.y, m_normal.z, -m_offset);
}

void HalfSpaceColliderComponent::ReadShape(Serializer::XmlReader& reader)
{
    Math::Vector4 normal = m_normal;
    f32 offset = m_offset;
    Serializer::ReadVector4(reader, normal, "");
    Serializer::ReadElement<float>(reader, offset, "");
    Set(normal, offset);
    JoinPhysics();
}

void HalfSpaceColliderComponent::WriteShape(Serializer::XmlWriter& writer) const
{
    Serializer::WriteVector3(writer, m_normal, "normal");
    Serializer::WriteFloat(writer, m_offset, "offset");
}

void HalfSpaceColliderComponent::UpdateFromTransform(f32)
{
    ReadOwnerTransform(m_world);
}

Math::Point4 HalfSpaceColliderComponent::GetCenter() const
{
    const TransformComponent* transform = FindOwnerTransform(*this);
    return transform != nullptr ? transform->GetPosition() : Math::Point4();
}
} // namespace Physics
