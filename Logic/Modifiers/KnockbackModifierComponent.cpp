#include "Logic/Modifiers/KnockbackModifierComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Containers/DamageContainerComponent.h"
#include "Logic/Containers/ToughnessContainerComponent.h"
#include "Logic/Effects/KnockbackEffectComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::KnockbackModifierComponent,
                         &TypeRecordOf<Logic::ModifierComponent>(), false)

namespace Logic
{
namespace
{
constexpr const char* DamageModifierName = "DamageModifierComponent";

// The current value of the first damage modifier on the object, 0 without one.
f32 AbilityDamage(const GameObject* object)
{
    if (object == nullptr)
        return 0.0f;
    for (const GameObject::ComponentEntry& entry : object->GetComponentList())
    {
        if (entry.component->GetName() == DamageModifierName)
            return static_cast<const ContainerComponent*>(entry.component)->GetCurrentStorage();
    }
    return 0.0f;
}
} // namespace

void KnockbackModifierComponent::OnCollide(CollideMessage& message)
{
    GameObject* target = TargetOf(message);
    const TransformComponent* transform =
        target != nullptr ? target->GetComponent<TransformComponent>() : nullptr;
    if (transform == nullptr)
        return;
    const auto* toughness = target->GetComponent<ToughnessContainerComponent>();
    const f32 factor = toughness != nullptr ? toughness->GetDamageFactor() : 1.0f;
    f32 bonus = 0.0f;
    if (const auto* damage = target->GetComponent<DamageContainerComponent>())
        bonus = (damage->GetCurrentStorage() + AbilityDamage(GetOwnerObject())) * DamageDistance;
    const f32 distance = bonus * (currentStorage_ * factor);
    Math::Vector4 along = message.normal;
    along.y = 0.0f;
    const Math::Point4 point(transform->GetPosition() + along * distance);

    if (HoldsComponentNamed(*target, KnockbackEffectComponent::GetTypeName()))
        return;
    if (auto* push = static_cast<KnockbackEffectComponent*>(
            MakeEffect(KnockbackEffectComponent::GetTypeName(), timeToLast_, currentStorage_,
                       resultsAreTemporary_)))
    {
        push->SetTargetPoint(point);
        PostEffect(push, target->GetId());
    }
}
} // namespace Logic
