#include "Core/Actions/RotateCameraToAction.h"
#include "Core/CoreServices.h"
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
    const Core::CoreServices& services = Core::Services();
    GameObjectComponent* camera = owner.GetComponent(cameraType);
    f32 phi = 0.0f;
    f32 theta = 0.0f;
    // The getter answers false while the graphics system has not installed it.
    if (camera == nullptr || !services.getViewAngles(*camera, phi, theta))
    {
        Finish();
        return;
    }
    f32 fraction = 0.0f;
    if (Advance(seconds, m_remaining, fraction))
        services.setViewAngles(*camera, phi + (m_target.x - phi) * fraction,
                               theta + (m_target.y - theta) * fraction);
    else
        services.setViewAngles(*camera, m_target.x, m_target.y);
}
