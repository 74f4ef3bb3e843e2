#include "Core/Actions/FieldOfViewToAction.h"
#include "Core/Actions/GraphicsActionHooks.h"
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
    const Core::GraphicsActionHooks& hooks = Core::GetGraphicsActionHooks();
    GameObjectComponent* camera = owner.GetComponent(cameraType);
    f32 fieldOfView = 0.0f;
    if (camera == nullptr || hooks.getFieldOfView == nullptr || hooks.setFieldOfView == nullptr ||
        !hooks.getFieldOfView(*camera, fieldOfView))
    {
        Finish();
        return;
    }
    f32 fraction = 0.0f;
    hooks.setFieldOfView(*camera, Advance(seconds, m_remaining, fraction)
                                      ? fieldOfView + (m_target - fieldOfView) * fraction
                                      : m_target);
}
