#include "Graphics/Components/RotateCameraToAction.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Graphics/Components/CameraComponent.h"

RotateCameraToAction::RotateCameraToAction(const Math::Vector2& target, f32 duration, bool blocking)
    : Action(NoLanes, blocking), m_target(target), m_remaining(duration)
{
}

void RotateCameraToAction::Update(f32 seconds, GameObject& owner)
{
    Start();
    static const u32 cameraType = HashTypeName("CameraComponent");
    auto* camera = dynamic_cast<Graphics::CameraComponent*>(owner.GetComponent(cameraType));
    if (camera == nullptr)
    {
        Finish();
        return;
    }
    const f32 phi = camera->placement.phi;
    const f32 theta = camera->placement.theta;
    f32 fraction = 0.0f;
    if (Advance(seconds, m_remaining, fraction))
    {
        camera->placement.phi = phi + (m_target.x - phi) * fraction;
        camera->placement.theta = theta + (m_target.y - theta) * fraction;
    }
    else
    {
        camera->placement.phi = m_target.x;
        camera->placement.theta = m_target.y;
    }
}
