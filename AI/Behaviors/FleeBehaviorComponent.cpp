#include "AI/Behaviors/FleeBehaviorComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Movement/MoveComponent.h"
#include "Serializer/Xml/ValueXml.h"

namespace AI
{
FleeBehaviorComponent::FleeBehaviorComponent()
    : MinSpeed(0.0f), MaxSpeed(0.0f), MinDistance(0.0f), MaxDistance(0.0f), m_engaged(false)
{
    JoinSystem();
}

void FleeBehaviorComponent::Deserialize(Serializer::XmlReader& reader)
{
    BehaviorComponent::Deserialize(reader);
    Serializer::ReadValue(reader, MinSpeed, "");
    Serializer::ReadValue(reader, MaxSpeed, "");
    Serializer::ReadValue(reader, MinDistance, "");
    Serializer::ReadValue(reader, MaxDistance, "");
    Serializer::ReadValue(reader, m_engaged, "");
}

void FleeBehaviorComponent::Serialize(Serializer::XmlWriter& writer)
{
    BehaviorComponent::Serialize(writer);
    Serializer::WriteValue(writer, MinSpeed, "");
    Serializer::WriteValue(writer, MaxSpeed, "");
    Serializer::WriteValue(writer, MinDistance, "");
    Serializer::WriteValue(writer, MaxDistance, "");
    Serializer::WriteValue(writer, m_engaged, "");
}

void FleeBehaviorComponent::Step(f32 seconds)
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
    SetAttackTargets(*body.object, m_target);
    f32 distance = 0.0f;
    const Math::Vector4 desired =
        FlatDirection(targetTransform->GetPosition(), body.transform->GetPosition(), distance);
    if (m_engaged)
    {
        m_timer += seconds;
        if (distance > MaxDistance)
        {
            // Far enough: stand and shoot.
            body.move->moveValue_ = 0.0f;
            body.move->direction_ = Math::Vector4(0.0f, 0.0f, 0.0f, 0.0f);
            m_engaged = false;
            SetAttackTargets(*body.object, m_target);
            return;
        }
        SteerTurnLimited(body, desired, MinSpeed, MaxSpeed);
        return;
    }
    if (distance < MinDistance)
    {
        SteerTurnLimited(body, desired, MinSpeed, MaxSpeed);
        m_engaged = true;
    }
}

void FleeBehaviorComponent::Stop()
{
    if (const GameObject* owner = OwnerObject())
    {
        if (auto* move = owner->GetComponent<Logic::MoveComponent>())
            move->moveValue_ = 0.0f;
    }
    m_engaged = false;
}
} // namespace AI
