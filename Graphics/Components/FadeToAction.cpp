#include "Graphics/Components/FadeToAction.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Graphics/Components/RenderComponent.h"

FadeToAction::FadeToAction(f32 target, f32 duration, bool blocking)
    : Action(ObjectLanes, blocking), m_target(target), m_remaining(duration)
{
}

void FadeToAction::Update(f32 seconds, GameObject& owner)
{
    Start();
    static const u32 renderType = HashTypeName("RenderComponent");
    auto* render = dynamic_cast<Graphics::RenderComponent*>(owner.GetComponent(renderType));
    if (render == nullptr)
    {
        Finish();
        return;
    }
    const f32 fade = render->alpha;
    f32 fraction = 0.0f;
    render->alpha =
        Advance(seconds, m_remaining, fraction) ? fade + (m_target - fade) * fraction : m_target;
}
