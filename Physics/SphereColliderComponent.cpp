#include "Physics/SphereColliderComponent.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Math/ColorRGBA.h"
#include "Math/DebugDraw.h"
#include "Math/Intersection.h"
#include "Math/Shapes/Circle3.h"
#include "Xml/PlainValueXml.h"
#include <cmath>

QUILL_DEFINE_TYPE_RECORD(Physics::SphereColliderComponent,
                         &TypeRecordOf<Physics::ColliderComponent>(), false)

namespace Physics
{
SphereColliderComponent::SphereColliderComponent()
    : ColliderComponent(SphereShape), m_sphere(Math::Point4(), DefaultRadius)
{
}

void SphereColliderComponent::ReadShape(Serializer::XmlReader& reader)
{
    Serializer::ReadElement<float>(reader, m_sphere.radius, "");
    Math::Matrix4 placement;
    if (ReadOwnerTransform(placement))
        m_sphere.centre = placement.GetTranslation();
    JoinPhysics();
}

void SphereColliderComponent::WriteShape(Serializer::XmlWriter& writer) const
{
    Serializer::WriteFloat(writer, m_sphere.radius, "");
}

void SphereColliderComponent::UpdateFromTransform(f32)
{
    Math::Matrix4 placement;
    if (ReadOwnerTransform(placement))
        m_sphere.centre = placement.GetTranslation();
}

void SphereColliderComponent::DrawDebug() const
{
    const Math::ColorRGBA red(1.0f, 0.0f, 0.0f, 1.0f);
    Math::DebugDrawCircle3(
        Math::Circle3(m_sphere.centre, Math::Vector4(0.0f, 1.0f, 0.0f, 0.0f), m_sphere.radius),
        &red);
}

bool SphereColliderComponent::ContainsPoint(const Math::Point4& point) const
{
    const Math::Vector4 offset = point - m_sphere.centre;
    return offset.Dot(offset) <= m_sphere.radius * m_sphere.radius;
}

bool SphereColliderComponent::IntersectsRay(Math::Ray3 ray) const
{
    Math::IntersectRay3Sphere3 query(ray, m_sphere);
    return query.Test();
}

ColliderComponent::BoundsKind SphereColliderComponent::GetBounds(Math::Vector4& min,
                                                                 Math::Vector4& max) const
{
    const f32 reach = std::fabs(m_sphere.radius);
    return PaddedBounds(m_sphere.centre, Math::Vector4(reach, reach, reach, 0.0f), min, max);
}

void SphereColliderComponent::BuildEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    // Radii within a level's scale, in steps of 5 cm.
    constexpr f32 EditorMaxRadius = 20.0f;
    constexpr f32 EditorRadiusStep = 0.05f;
    group.AddUnsigned("Category", &Category, nullptr, &SetScalarCallback, &GetScalarCallback);
    group.AddUnsigned("Mask", &Mask, nullptr, &SetScalarCallback, &GetScalarCallback);
    const PropertyAttributes radius(0.0f, EditorMaxRadius, EditorRadiusStep);
    group.AddFloat("Radius", &m_sphere.radius, &radius, &SetScalarCallback, &GetScalarCallback);
    AddComponentOptions(this, group);
}

} // namespace Physics
