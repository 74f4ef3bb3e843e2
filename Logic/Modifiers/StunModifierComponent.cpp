#include "Logic/Modifiers/StunModifierComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Controllers/ControllerComponent.h"
#include "Logic/Effects/EffectComponent.h"
#include "Math/ColorRGBA.h"

QUILL_DEFINE_TYPE_RECORD(Logic::StunModifierComponent, &TypeRecordOf<Logic::ModifierComponent>(),
                         false)

namespace Logic
{
namespace
{
constexpr const char* StunEffectName = "StunEffectComponent";
constexpr const char* AIControllerName = "AIControllerComponent";
constexpr const char* StunText = "Stun";
const Math::ColorRGBA Magenta(205.0f / 255.0f, 57.0f / 255.0f, 170.0f / 255.0f, 1.0f);
} // namespace

void StunModifierComponent::OnCollide(CollideMessage& message)
{
    GameObject* target = TargetOf(message);
    if (target == nullptr || target->GetComponent<ControllerComponent>() == nullptr)
        return;
    const u32 effectType = ComponentTypeId<EffectComponent>();
    for (const GameObject::ComponentEntry& entry : target->GetComponentList())
    {
        GameObjectComponent* component = entry.component;
        if (entry.typeId != effectType || component->GetName() != StunEffectName)
            continue;
        auto* stun = static_cast<EffectComponent*>(component);
        if (stun->GetTimeToLast() < timeToLast_)
            stun->AddTimeToLast(timeToLast_ - stun->GetTimeToLast());
        return;
    }
    EffectComponent* stun = MakeEffect(StunEffectName, timeToLast_, 0.0f, resultsAreTemporary_);
    if (stun == nullptr)
        return;
    if (HoldsComponentNamed(*target, AIControllerName))
        ShowText(StunText, Magenta, *target, timeToLast_);
    target->AddComponent(stun);
}
} // namespace Logic
