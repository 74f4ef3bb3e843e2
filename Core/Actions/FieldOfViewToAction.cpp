#include "Core/Actions/FieldOfViewToAction.h"
#include "Core/CoreServices.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"

FieldOfViewToAction::FieldOfViewToAction(f32 target, f32 duration, bool blocking)
    : Action(NoLanes, blocking), m_target(target), m_remaining(duration)
{
}

void FieldOfViewToAction::Update(f32 seconds, GameObject& owner)
{
    Start();
    static const u32 cameraType = HashTypeName("CameraComponent");
    const Core::CoreServices& services = Core::Services();
    GameObjectComponent* camera = owner.GetComponent(cameraType);
    f32 fieldOfView = 0.0f;
    // The getter answers false while the graphics system has not installed it.
    if (camera == nullptr || !services.getFieldOfView(*camera, fieldOfView))
    {
        Finish();
        return;
    }
    f32 fraction = 0.0f;
    services.setFieldOfView(*camera, Advance(seconds, m_remaining, fraction)
                                         ? fieldOfView + (m_target - fieldOfView) * fraction
                                         : m_target);
}
