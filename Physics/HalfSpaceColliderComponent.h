#pragma once
// A half-space collider: everything where dot(normal, p) < offset, fixed in the world (the
// object's transform moves only its world matrix). Read and written after the base part:
// "normal" (three values) and "offset". Joins the physics system when it is read.
#include "Core/Objects/ComponentTypeId.h"
#include "Math/Shapes/Plane.h"
#include "Math/Vector4.h"
#include "Physics/ColliderComponent.h"

namespace Physics
{
class HalfSpaceColliderComponent : public ColliderComponent
{
public:
    using ComponentFamily = ColliderComponent;

    HalfSpaceColliderComponent();

    QUILL_COMPONENT_TYPE(HalfSpaceColliderComponent)

    void UpdateFromTransform(f32 dt) override;
    // The object's position.
    Math::Point4 GetCenter() const override;
    // Its bounding plane, for callers that ask for a shape.
    const Math::Shape& GetShape() const override { return m_boundary; }
    BoundsKind GetBounds(Math::Vector4&, Math::Vector4&) const override
    {
        return BoundsKind::Unbounded;
    }

    const Math::Vector4& GetNormal() const { return m_normal; }
    f32 GetOffset() const { return m_offset; }
    void Set(const Math::Vector4& normal, f32 offset);

private:
    void ReadShape(Serializer::XmlReader& reader) override;
    void WriteShape(Serializer::XmlWriter& writer) const override;

    Math::Vector4 m_normal; // w 0
    f32 m_offset;
    Math::Plane m_boundary;
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::HalfSpaceColliderComponent)
