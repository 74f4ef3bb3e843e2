#include "Core/Actions/MoveToAction.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Objects/GameObject.h"
#include "Math/Quaternion.h"

MoveToAction::MoveToAction(const Math::Point4& target, f32 duration, bool blocking, bool orient)
    : Action(ObjectLanes, blocking), m_target(target), m_remaining(duration), m_orient(orient)
{
}

void MoveToAction::Update(f32 seconds, GameObject& owner)
{
    Start();
    auto* transform = owner.GetComponent<TransformComponent>();
    if (transform == nullptr)
    {
        Finish();
        return;
    }
    Math::Point4& position = transform->position;
    if (m_orient)
    {
        const Math::Vector4 way(m_target.x - position.x, m_target.y - position.y,
                                m_target.z - position.z, 0.0f);
        // Turning onto a zero vector would give a zero (not a rotation) quaternion.
        if (way.Length() >= MinOrientDistance)
        {
            transform->orientation =
                Math::Quaternion::RotationBetween(Math::Vector4(0.0f, 1.0f, 0.0f, 0.0f), way);
        }
    }
    f32 fraction = 0.0f;
    if (Advance(seconds, m_remaining, fraction))
    {
        position.x += (m_target.x - position.x) * fraction;
        position.y += (m_target.y - position.y) * fraction;
        position.z += (m_target.z - position.z) * fraction;
        return;
    }
    position.x = m_target.x;
    position.y = m_target.y;
    position.z = m_target.z;
}
