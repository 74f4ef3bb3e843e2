#include "Graphics/Components/FieldOfViewToAction.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Graphics/Components/CameraComponent.h"

FieldOfViewToAction::FieldOfViewToAction(f32 target, f32 duration, bool blocking)
    : Action(NoLanes, blocking), m_target(target), m_remaining(duration)
{
}

void FieldOfViewToAction::Update(f32 seconds, GameObject& owner)
{
    Start();
    static const u32 cameraType = HashTypeName("CameraComponent");
    auto* camera = dynamic_cast<Graphics::CameraComponent*>(owner.GetComponent(cameraType));
    if (camera == nullptr)
    {
        Finish();
        return;
    }
    const f32 fieldOfView = camera->GetFieldOfView();
    f32 fraction = 0.0f;
    camera->SetFieldOfView(Advance(seconds, m_remaining, fraction)
                               ? fieldOfView + (m_target - fieldOfView) * fraction
                               : m_target);
}
