#include "AI/Behaviors/RangeBehaviorComponent.h"
#include "Core/Objects/GameObject.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Logic/Movement/MoveComponent.h"
#include "Xml/ValueXml.h"

namespace AI
{
RangeBehaviorComponent::RangeBehaviorComponent()
    : MinSpeed(0.0f), MaxSpeed(0.0f), MinDistance(0.0f), MaxDistance(0.0f), m_engaged(false)
{
}

void RangeBehaviorComponent::Deserialize(Serializer::XmlReader& reader)
{
    BehaviorComponent::Deserialize(reader);
    Serializer::ReadValue(reader, MinSpeed, "");
    Serializer::ReadValue(reader, MaxSpeed, "");
    Serializer::ReadValue(reader, MinDistance, "");
    Serializer::ReadValue(reader, MaxDistance, "");
    Serializer::ReadValue(reader, m_engaged, "");
}

void RangeBehaviorComponent::Serialize(Serializer::XmlWriter& writer)
{
    BehaviorComponent::Serialize(writer);
    Serializer::WriteValue(writer, MinSpeed, "");
    Serializer::WriteValue(writer, MaxSpeed, "");
    Serializer::WriteValue(writer, MinDistance, "");
    Serializer::WriteValue(writer, MaxDistance, "");
    Serializer::WriteValue(writer, m_engaged, "");
}

void RangeBehaviorComponent::Stop()
{
    if (const GameObject* owner = GetOwnerObject())
    {
        if (auto* move = owner->GetComponent<Logic::MoveComponent>())
            move->moveValue_ = 0.0f;
    }
    m_engaged = false;
}

const TransformComponent* RangeBehaviorComponent::FindBodyAndTarget(Body& body)
{
    if (!FindBody(body))
        return nullptr;
    const TransformComponent* targetTransform = FindLiveTargetTransform();
    if (targetTransform == nullptr)
        PickTarget();
    return targetTransform;
}

namespace
{
// Editor ranges of the behaviours: speeds and distances up to 10, angles in degrees.
constexpr f32 EditorMaxValue = 10.0f;
constexpr f32 EditorValueStep = 0.1f;
constexpr f32 EditorMaxAngle = 360.0f;
constexpr f32 EditorAngleStep = 0.5f;
} // namespace

void RangeBehaviorComponent::BuildEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    const PropertyAttributes value(0.0f, EditorMaxValue, EditorValueStep);
    group.AddFloat("MinSpeed", &MinSpeed, &value, &SetScalarCallback, &GetScalarCallback);
    group.AddFloat("MaxSpeed", &MaxSpeed, &value, &SetScalarCallback, &GetScalarCallback);
    group.AddFloat("MinDistance", &MinDistance, &value, &SetScalarCallback, &GetScalarCallback);
    group.AddFloat("MaxDistance", &MaxDistance, &value, &SetScalarCallback, &GetScalarCallback);
    const PropertyAttributes angle(0.0f, EditorMaxAngle, EditorAngleStep);
    group.AddFloat("MaxAngle", &MaxAngle, &angle, &SetScalarCallback, &GetScalarCallback);
    AddComponentOptions(this, group);
}

} // namespace AI
