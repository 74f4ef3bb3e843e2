#include "Core/Actions/FadeToAction.h"
#include "Core/CoreServices.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"

FadeToAction::FadeToAction(f32 target, f32 duration, bool blocking)
    : Action(ObjectLanes, blocking), m_target(target), m_remaining(duration)
{
}

void FadeToAction::Update(f32 seconds, GameObject& owner)
{
    Start();
    static const u32 renderType = HashTypeName("RenderComponent");
    const Core::CoreServices& services = Core::Services();
    GameObjectComponent* render = owner.GetComponent(renderType);
    f32 fade = 0.0f;
    // The getter answers false while the graphics system has not installed it.
    if (render == nullptr || !services.getFade(*render, fade))
    {
        Finish();
        return;
    }
    f32 fraction = 0.0f;
    services.setFade(*render, Advance(seconds, m_remaining, fraction)
                                  ? fade + (m_target - fade) * fraction
                                  : m_target);
}
