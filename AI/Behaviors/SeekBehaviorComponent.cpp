#include "AI/Behaviors/SeekBehaviorComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Movement/MoveComponent.h"
#include "Serializer/Xml/ValueXml.h"

namespace AI
{
SeekBehaviorComponent::SeekBehaviorComponent()
    : MinSpeed(0.0f), MaxSpeed(0.0f), MinDistance(0.0f), MaxDistance(0.0f), m_engaged(false)
{
    JoinSystem();
}

void SeekBehaviorComponent::Deserialize(Serializer::XmlReader& reader)
{
    BehaviorComponent::Deserialize(reader);
    Serializer::ReadValue(reader, MinSpeed, "");
    Serializer::ReadValue(reader, MaxSpeed, "");
    Serializer::ReadValue(reader, MinDistance, "");
    Serializer::ReadValue(reader, MaxDistance, "");
    Serializer::ReadValue(reader, m_engaged, "");
}

void SeekBehaviorComponent::Serialize(Serializer::XmlWriter& writer)
{
    BehaviorComponent::Serialize(writer);
    Serializer::WriteValue(writer, MinSpeed, "");
    Serializer::WriteValue(writer, MaxSpeed, "");
    Serializer::WriteValue(writer, MinDistance, "");
    Serializer::WriteValue(writer, MaxDistance, "");
    Serializer::WriteValue(writer, m_engaged, "");
}

void SeekBehaviorComponent::Step(f32 seconds)
{
    Body body{};
    if (!FindBody(body))
        return;
    const TransformComponent* targetTransform = FindLiveTargetTransform();
    if (targetTransform == nullptr)
    {
        PickTarget();
        return;
    }
    f32 distance = 0.0f;
    const Math::Vector4 desired =
        FlatDirection(body.transform->GetPosition(), targetTransform->GetPosition(), distance);
    if (m_engaged)
    {
        m_timer += seconds;
        if (distance >= MinDistance)
        {
            SteerDirect(body, desired, MinSpeed, MaxSpeed);
            return;
        }
        // Close enough: stand and let the attacks do the work.
        body.move->moveValue_ = 0.0f;
        SetAttackTargets(*body.object, m_target);
        m_engaged = false;
        return;
    }
    if (distance > MaxDistance)
    {
        SteerDirect(body, desired, MinSpeed, MaxSpeed);
        m_engaged = true;
        SetAttackTargets(*body.object, 0);
    }
}

void SeekBehaviorComponent::Stop()
{
    if (const GameObject* owner = OwnerObject())
    {
        if (auto* move = owner->GetComponent<Logic::MoveComponent>())
            move->moveValue_ = 0.0f;
    }
    m_engaged = false;
}
} // namespace AI
