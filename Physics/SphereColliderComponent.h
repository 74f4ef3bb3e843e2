#pragma once
// A sphere collider. Read and written after the base part: the radius. Its centre follows the
// object's position every physics step. Joins the physics system when it is read.
#include "Core/Objects/ComponentTypeId.h"
#include "Math/Shapes/Sphere3.h"
#include "Physics/ColliderComponent.h"

namespace Physics
{
class SphereColliderComponent : public ColliderComponent
{
public:
    using ComponentFamily = ColliderComponent;
    static constexpr f32 DefaultRadius = 1.0f;

    SphereColliderComponent();

    QUILL_COMPONENT_TYPE(SphereColliderComponent)
    // "Category", "Mask" and "Radius", then the options group.
    void BuildEditor(Tools::PropertyGroup& group) override;

    void UpdateFromTransform(f32 dt) override;
    Math::Point4 GetCenter() const override { return m_sphere.centre; }
    // A red circle of the sphere's radius about its centre, in the horizontal plane.
    void DrawDebug() const override;
    bool ContainsPoint(const Math::Point4& point) const override;
    bool IntersectsRay(Math::Ray3 ray) const override;
    const Math::Shape& GetShape() const override { return m_sphere; }
    BoundsKind GetBounds(Math::Vector4& min, Math::Vector4& max) const override;

    const Math::Sphere3& GetSphere() const { return m_sphere; }
    Math::Sphere3& GetSphere() { return m_sphere; }

private:
    void ReadShape(Serializer::XmlReader& reader) override;
    void WriteShape(Serializer::XmlWriter& writer) const override;

    Math::Sphere3 m_sphere;
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::SphereColliderComponent)
