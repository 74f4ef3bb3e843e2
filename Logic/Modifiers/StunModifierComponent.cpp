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
constexpr const char* kStunEffectName = "StunEffectComponent";
constexpr const char* kAIControllerName = "AIControllerComponent";
constexpr const char* kStunText = "Stun";
const Math::ColorRGBA kMagenta(205.0f / 255.0f, 57.0f / 255.0f, 170.0f / 255.0f, 1.0f);
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
        if (entry.typeId != effectType || component->GetName() != kStunEffectName)
            continue;
        auto* stun = static_cast<EffectComponent*>(component);
        if (stun->GetTimeToLast() < timeToLast_)
            stun->AddTimeToLast(timeToLast_ - stun->GetTimeToLast());
        return;
    }
    EffectComponent* stun = MakeEffect(kStunEffectName, timeToLast_, 0.0f, resultsAreTemporary_);
    if (stun == nullptr)
        return;
    if (HoldsComponentNamed(*target, kAIControllerName))
        ShowText(kStunText, kMagenta, *target, timeToLast_);
    target->AddComponent(stun);
}
} // namespace Logic
