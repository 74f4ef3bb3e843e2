#include "Core/Actions/FadeToAction.h"
#include "Core/Actions/GraphicsActionHooks.h"
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
    const Core::GraphicsActionHooks& hooks = Core::GetGraphicsActionHooks();
    GameObjectComponent* render = owner.GetComponent(renderType);
    f32 fade = 0.0f;
    if (render == nullptr || hooks.getFade == nullptr || hooks.setFade == nullptr ||
        !hooks.getFade(*render, fade))
    {
        Finish();
        return;
    }
    f32 fraction = 0.0f;
    hooks.setFade(*render, Advance(seconds, m_remaining, fraction)
                               ? fade + (m_target - fade) * fraction
                               : m_target);
}
