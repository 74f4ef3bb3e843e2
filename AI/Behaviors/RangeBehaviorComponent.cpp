#include "AI/Behaviors/RangeBehaviorComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Movement/MoveComponent.h"
#include "Serializer/Xml/ValueXml.h"

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
    if (const GameObject* owner = OwnerObject())
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
} // namespace AI
