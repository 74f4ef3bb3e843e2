#pragma once
// A circle collider: a flat circle whose contacts report horizontal normals. Read and written
// after the base part: the radius. Its centre follows the object's position every physics step
// and its normal stays (0, 1, 0). Joins the physics system when it is read.
#include "Core/Objects/ComponentTypeId.h"
#include "Math/Shapes/Circle3.h"
#include "Physics/ColliderComponent.h"

namespace Physics
{
class CircleColliderComponent : public ColliderComponent
{
public:
    using ComponentFamily = ColliderComponent;
    static constexpr f32 DefaultRadius = 1.0f;

    CircleColliderComponent();

    QUILL_COMPONENT_TYPE(CircleColliderComponent)

    void UpdateFromTransform(f32 dt) override;
    Math::Point4 GetCenter() const override { return m_circle.centre; }
    void DrawDebug() const override;
    // Within the radius of the object's current position (strictly).
    bool ContainsPoint(const Math::Point4& point) const override;
    const Math::Shape& GetShape() const override { return m_circle; }
    BoundsKind GetBounds(Math::Vector4& min, Math::Vector4& max) const override;

    const Math::Circle3& GetCircle() const { return m_circle; }
    Math::Circle3& GetCircle() { return m_circle; }

private:
    void ReadShape(Serializer::XmlReader& reader) override;
    void WriteShape(Serializer::XmlWriter& writer) const override;

    Math::Circle3 m_circle;
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::CircleColliderComponent)
