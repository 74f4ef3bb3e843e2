#include "AI/Behaviors/FleeBehaviorComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Movement/MoveComponent.h"

// The record names the behaviour base; the range helper in between has no record of its own.
QUILL_DEFINE_TYPE_RECORD(AI::FleeBehaviorComponent, &TypeRecordOf<AI::BehaviorComponent>(), false)

namespace AI
{
FleeBehaviorComponent::FleeBehaviorComponent()
{
    JoinSystem();
}

void FleeBehaviorComponent::Step(f32 seconds)
{
    Body body{};
    const TransformComponent* targetTransform = FindBodyAndTarget(body);
    if (targetTransform == nullptr)
        return;
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
} // namespace AI
