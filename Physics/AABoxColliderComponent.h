#pragma once
// A box collider. Its pair tests use the world matrix's axes, so the box turns with its object;
// the axis-aligned box it also keeps (re-centred on the object every step) serves the ray test
// and the box's centre. Read and written after the base part: "size", the full edge lengths.
// Unlike the other colliders it joins the physics system when it is constructed.
#include "Core/Objects/ComponentTypeId.h"
#include "Math/Shapes/AABB3.h"
#include "Math/Vector4.h"
#include "Physics/ColliderComponent.h"

namespace Physics
{
class AABoxColliderComponent : public ColliderComponent
{
public:
    using ComponentFamily = ColliderComponent;

    AABoxColliderComponent();

    QUILL_COMPONENT_TYPE(AABoxColliderComponent)

    // Re-centres the axis-aligned box on the object, then takes its world matrix.
    void UpdateFromTransform(f32 dt) override;
    Math::Point4 GetCenter() const override { return m_box.GetPosition(); }
    // The axis-aligned box (rotation ignored).
    bool IntersectsRay(Math::Ray3 ray) const override;
    const Math::Shape& GetShape() const override { return m_box; }
    BoundsKind GetBounds(Math::Vector4& min, Math::Vector4& max) const override;

    const Math::Vector4& GetHalfExtents() const { return m_halfExtents; }
    const Math::AABB3& GetBox() const { return m_box; }
    // Half extents and the axis-aligned box about the centre; the world matrix is left as is.
    void SetBox(const Math::Point4& centre, const Math::Vector4& halfExtents);

private:
    void ReadShape(Serializer::XmlReader& reader) override;
    void WriteShape(Serializer::XmlWriter& writer) const override;

    Math::AABB3 m_box;
    Math::Vector4 m_halfExtents;
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::AABoxColliderComponent)
