#pragma once
// A plane collider: a x + b y + c z + d = 0, fixed in the world (the object's transform moves
// only its world matrix). Spheres anywhere behind it touch it. Read and written after the base
// part: one element whose four attributes are a, b, c and d. Joins the physics system when it
// is read.
#include "Core/Objects/ComponentTypeId.h"
#include "Math/Shapes/Plane.h"
#include "Physics/ColliderComponent.h"

namespace Physics
{
class PlaneColliderComponent : public ColliderComponent
{
public:
    using ComponentFamily = ColliderComponent;
    // Distance from the plane within which the point test accepts a point.
    static constexpr f32 PointTolerance = 0.00001f;

    PlaneColliderComponent();

    QUILL_COMPONENT_TYPE(PlaneColliderComponent)

    void UpdateFromTransform(f32 dt) override;
    // The object's position.
    Math::Point4 GetCenter() const override;
    void DrawDebug() const override;
    // Points within PointTolerance of the plane.
    bool ContainsPoint(const Math::Point4& point) const override;
    const Math::Shape& GetShape() const override { return m_plane; }
    BoundsKind GetBounds(Math::Vector4&, Math::Vector4&) const override
    {
        return BoundsKind::Unbounded;
    }

    const Math::Plane& GetPlane() const { return m_plane; }
    Math::Plane& GetPlane() { return m_plane; }

private:
    void ReadShape(Serializer::XmlReader& reader) override;
    void WriteShape(Serializer::XmlWriter& writer) const override;

    Math::Plane m_plane;
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::PlaneColliderComponent)
