#include "Core/Actions/RotateCameraToAction.h"
#include "Core/Actions/GraphicsActionHooks.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"

RotateCameraToAction::RotateCameraToAction(const Math::Vector2& target, f32 duration, bool blocking)
    : Action(NoLanes, blocking), m_target(target), m_remaining(duration)
{
}

void RotateCameraToAction::Update(f32 seconds, GameObject& owner)
{
    Start();
    static const u32 cameraType = HashTypeName("CameraComponent");
    const Core::GraphicsActionHooks& hooks = Core::GetGraphicsActionHooks();
    GameObjectComponent* camera = owner.GetComponent(cameraType);
    f32 phi = 0.0f;
    f32 theta = 0.0f;
    if (camera == nullptr || hooks.getViewAngles == nullptr || hooks.setViewAngles == nullptr ||
        !hooks.getViewAngles(*camera, phi, theta))
    {
        Finish();
        return;
    }
    f32 fraction = 0.0f;
    if (Advance(seconds, m_remaining, fraction))
        hooks.setViewAngles(*camera, phi + (m_target.x - phi) * fraction,
                            theta + (m_target.y - theta) * fraction);
    else
        hooks.setViewAngles(*camera, m_target.x, m_target.y);
}
