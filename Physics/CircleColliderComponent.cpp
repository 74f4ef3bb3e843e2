#include "Physics/CircleColliderComponent.h"
#include "Math/ColorRGBA.h"
#include "Math/DebugDraw.h"
#include "Xml/PlainValueXml.h"
#include <cmath>

QUILL_DEFINE_TYPE_RECORD(Physics::CircleColliderComponent,
                         &TypeRecordOf<Physics::ColliderComponent>(), false)

namespace Physics
{
CircleColliderComponent::CircleColliderComponent()
    : ColliderComponent(CircleShape),
      m_circle(Math::Point4(), Math::Vector4(0.0f, 1.0f, 0.0f, 0.0f), DefaultRadius)
{
}

void CircleColliderComponent::ReadShape(Serializer::XmlReader& reader)
{
    Serializer::ReadElement<float>(reader, m_circle.radius, "");
    Math::Matrix4 placement;
    if (ReadOwnerTransform(placement))
        m_circle.centre = placement.GetTranslation();
    JoinPhysics();
}

void CircleColliderComponent::WriteShape(Serializer::XmlWriter& writer) const
{
    Serializer::WriteFloat(writer, m_circle.radius, "radius");
}

void CircleColliderComponent::UpdateFromTransform(f32)
{
    if (ReadOwnerTransform(m_world))
        m_circle.centre = m_world.GetTranslation();
}

void CircleColliderComponent::DrawDebug() const
{
    const Math::ColorRGBA red(1.0f, 0.0f, 0.0f, 1.0f);
    Math::DebugDrawCircle3(m_circle, &red);
}

bool CircleColliderComponent::ContainsPoint(const Math::Point4& point) const
{
    Math::Matrix4 placement;
    if (!ReadOwnerTransform(placement))
        return false;
    const Math::Vector4 offset = point - placement.GetTranslation();
    return offset.Length() < m_circle.radius;
}

ColliderComponent::BoundsKind CircleColliderComponent::GetBounds(Math::Vector4& min,
                                                                 Math::Vector4& max) const
{
    // The circle test compares centre distances in all three axes: a sphere's box.
    const f32 reach = std::fabs(m_circle.radius);
    return PaddedBounds(m_circle.centre, Math::Vector4(reach, reach, reach, 0.0f), min, max);
}
} // namespace Physics
