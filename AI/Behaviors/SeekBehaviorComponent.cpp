#include "AI/Behaviors/SeekBehaviorComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Movement/MoveComponent.h"

// The record names the behaviour base; the range helper in between has no record of its own.
QUILL_DEFINE_TYPE_RECORD(AI::SeekBehaviorComponent, &TypeRecordOf<AI::BehaviorComponent>(), false)

namespace AI
{
SeekBehaviorComponent::SeekBehaviorComponent()
{
    JoinSystem();
}

void SeekBehaviorComponent::Step(f32 seconds)
{
    Body body{};
    const TransformComponent* targetTransform = FindBodyAndTarget(body);
    if (targetTransform == nullptr)
        return;
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
} // namespace AI
