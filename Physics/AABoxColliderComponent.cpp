#include "Physics/AABoxColliderComponent.h"
#include "Math/Intersection.h"
#include "Xml/MathValueXml.h"
#include <algorithm>
#include <cmath>

QUILL_DEFINE_TYPE_RECORD(Physics::AABoxColliderComponent,
                         &TypeRecordOf<Physics::ColliderComponent>(), false)

namespace Physics
{
namespace
{
constexpr f32 Sqrt3 = 1.7320508f;
} // namespace

AABoxColliderComponent::AABoxColliderComponent()
    : ColliderComponent(AABoxShape), m_box(), m_halfExtents()
{
    JoinPhysics();
}

void AABoxColliderComponent::SetBox(const Math::Point4& centre, const Math::Vector4& halfExtents)
{
    m_halfExtents = Math::Vector4(halfExtents.x, halfExtents.y, halfExtents.z, 0.0f);
    m_box = Math::AABB3(centre, m_halfExtents.x, m_halfExtents.y, m_halfExtents.z);
}

void AABoxColliderComponent::ReadShape(Serializer::XmlReader& reader)
{
    Math::Vector4 size = m_halfExtents * 2.0f;
    Serializer::ReadVector4(reader, size, "");
    Math::Matrix4 placement;
    const Math::Point4 centre =
        ReadOwnerTransform(placement) ? placement.GetTranslation() : Math::Point4();
    SetBox(centre, size * 0.5f);
}

void AABoxColliderComponent::WriteShape(Serializer::XmlWriter& writer) const
{
    Serializer::WriteVector3(writer, m_halfExtents * 2.0f, "size");
}

void AABoxColliderComponent::UpdateFromTransform(f32)
{
    Math::Matrix4 placement;
    if (!ReadOwnerTransform(placement))
        return;
    m_box.SetPosition(placement.GetTranslation());
    m_world = placement;
}

bool AABoxColliderComponent::IntersectsRay(Math::Ray3 ray) const
{
    Math::IntersectRay3AABB3 query(ray, m_box);
    return query.Test();
}

ColliderComponent::BoundsKind AABoxColliderComponent::GetBounds(Math::Vector4& min,
                                                                Math::Vector4& max) const
{
    // The pair tests take the box's centre from two places (the axis-aligned box and the world
    // matrix), which differ until the first update: the bounds cover both. Each half width is
    // the mean of the turned box's own half width and sqrt(3) |h|: two boxes whose face axes all
    // overlap (what the separating-axis test needs before it reports a contact, whichever edge
    // axes it skips) are then always closer than the sum of their half widths.
    const f32 hx = std::fabs(m_halfExtents.x);
    const f32 hy = std::fabs(m_halfExtents.y);
    const f32 hz = std::fabs(m_halfExtents.z);
    const f32 diagonal = Sqrt3 * std::sqrt(hx * hx + hy * hy + hz * hz);
    const f32* m = m_world.m;
    // Columns of a rotation have unit length; a matrix far from one gets no box at all.
    for (int column = 0; column < 3; ++column)
    {
        const f32 length =
            m[column] * m[column] + m[4 + column] * m[4 + column] + m[8 + column] * m[8 + column];
        if (!(std::fabs(length - 1.0f) < 1e-3f))
            return BoundsKind::Unbounded;
    }
    Math::Vector4 extent;
    f32* out[3] = {&extent.x, &extent.y, &extent.z};
    for (int row = 0; row < 3; ++row)
    {
        const f32 turned = std::fabs(m[4 * row]) * hx + std::fabs(m[4 * row + 1]) * hy +
                           std::fabs(m[4 * row + 2]) * hz;
        *out[row] = 0.5f * (turned + diagonal);
    }
    const Math::Point4 boxCentre = m_box.GetPosition();
    const Math::Point4 worldCentre = m_world.GetTranslation();
    const Math::Point4 middle((boxCentre.x + worldCentre.x) * 0.5f,
                              (boxCentre.y + worldCentre.y) * 0.5f,
                              (boxCentre.z + worldCentre.z) * 0.5f, 1.0f);
    extent.x += std::fabs(boxCentre.x - worldCentre.x) * 0.5f;
    extent.y += std::fabs(boxCentre.y - worldCentre.y) * 0.5f;
    extent.z += std::fabs(boxCentre.z - worldCentre.z) * 0.5f;
    return PaddedBounds(middle, extent, min, max);
}
} // namespace Physics
