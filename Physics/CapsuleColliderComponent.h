#pragma once
// A capsule collider. No pair test takes capsules, so it never touches anything; it exists for
// definitions that name it. Read and written after the base part: the radius, then one more
// float that is kept only to be written back. Joins the physics system when it is read.
#include "Core/Objects/ComponentTypeId.h"
#include "Math/Shapes/Capsule3.h"
#include "Physics/ColliderComponent.h"

namespace Physics
{
class CapsuleColliderComponent : public ColliderComponent
{
public:
    using ComponentFamily = ColliderComponent;

    CapsuleColliderComponent();

    QUILL_COMPONENT_TYPE(CapsuleColliderComponent)

    void UpdateFromTransform(f32 dt) override;
    Math::Point4 GetCenter() const override { return m_capsule.GetPosition(); }
    const Math::Shape& GetShape() const override { return m_capsule; }
    BoundsKind GetBounds(Math::Vector4&, Math::Vector4&) const override
    {
        return BoundsKind::Never;
    }

    const Math::Capsule3& GetCapsule() const { return m_capsule; }
    f32 GetExtra() const { return m_extra; }

private:
    void ReadShape(Serializer::XmlReader& reader) override;
    void WriteShape(Serializer::XmlWriter& writer) const override;

    Math::Capsule3 m_capsule;
    f32 m_extra; // read with the radius and used by nothing
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::CapsuleColliderComponent)
