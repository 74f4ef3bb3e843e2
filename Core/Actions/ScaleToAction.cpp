#include "Core/Actions/ScaleToAction.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Objects/GameObject.h"

ScaleToAction::ScaleToAction(const Math::Vector3& target, f32 duration, bool blocking)
    : Action(ObjectLanes, blocking), m_target(target), m_remaining(duration)
{
}

void ScaleToAction::Update(f32 seconds, GameObject& owner)
{
    Start();
    auto* transform = owner.GetComponent<TransformComponent>();
    if (transform == nullptr)
    {
        Finish();
        return;
    }
    Math::Vector3& scale = transform->scale;
    f32 fraction = 0.0f;
    if (Advance(seconds, m_remaining, fraction))
    {
        scale.x += (m_target.x - scale.x) * fraction;
        scale.y += (m_target.y - scale.y) * fraction;
        scale.z += (m_target.z - scale.z) * fraction;
        return;
    }
    scale = m_target;
}
