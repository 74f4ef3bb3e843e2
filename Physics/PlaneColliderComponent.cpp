#include "Physics/PlaneColliderComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Math/ColorRGBA.h"
#include "Math/DebugDraw.h"
#include "Physics/OwnerLookup.h"
#include "Xml/PlainValueXml.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include <cmath>
#include <tinyxml2.h>

QUILL_DEFINE_TYPE_RECORD(Physics::PlaneColliderComponent,
                         &TypeRecordOf<Physics::ColliderComponent>(), false)

namespace Physics
{
PlaneColliderComponent::PlaneColliderComponent() : ColliderComponent(PlaneShape), m_plane() {}

void PlaneColliderComponent::ReadShape(Serializer::XmlReader& reader)
{
    if (reader.Accepts(""))
    {
        // Four attributes by position; a missing one keeps its value.
        Serializer::ReadAttributeFloat(reader, m_plane.a, false);
        Serializer::ReadAttributeFloat(reader, m_plane.b, false);
        Serializer::ReadAttributeFloat(reader, m_plane.c, false);
        Serializer::ReadAttributeFloat(reader, m_plane.d, false);
        reader.NextElement();
    }
    JoinPhysics();
}

void PlaneColliderComponent::WriteShape(Serializer::XmlWriter& writer) const
{
    tinyxml2::XMLElement* element = writer.AppendElement("plane", "plane");
    element->SetAttribute("a", m_plane.a);
    element->SetAttribute("b", m_plane.b);
    element->SetAttribute("c", m_plane.c);
    element->SetAttribute("d", m_plane.d);
}

void PlaneColliderComponent::UpdateFromTransform(f32)
{
    ReadOwnerTransform(m_world);
}

Math::Point4 PlaneColliderComponent::GetCenter() const
{
    const TransformComponent* transform = FindOwnerTransform(*this);
    return transform != nullptr ? transform->GetPosition() : Math::Point4();
}

void PlaneColliderComponent::DrawDebug() const
{
    const Math::ColorRGBA red(1.0f, 0.0f, 0.0f, 1.0f);
    m_plane.Draw(&red);
}

bool PlaneColliderComponent::ContainsPoint(const Math::Point4& point) const
{
    return std::fabs(m_plane.SignedDistance(point)) <= PointTolerance;
}
} // namespace Physics
