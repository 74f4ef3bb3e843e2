#include "Logic/Modifiers/BumpModifierComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Messages/Object/RemoveComponentMessage.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Logic/Effects/KnockbackEffectComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::BumpModifierComponent, &TypeRecordOf<Logic::ModifierComponent>(),
                         false)

namespace Logic
{
namespace
{
constexpr u32 PlayOnce = 0;
constexpr const char* HitAnimation = "Hit";
} // namespace

u32 BumpModifierComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void BumpModifierComponent::OnCollide(CollideMessage& message)
{
    GameObject* target = TargetOf(message);
    const TransformComponent* transform =
        target != nullptr ? target->GetComponent<TransformComponent>() : nullptr;
    if (transform == nullptr)
        return;
    message.normal.y = 0.0f;
    const Math::Point4 point(transform->GetPosition() + message.normal * currentStorage_);

    // Walked in place: the removals are posted, so the list stays as it is meanwhile.
    const u32 effectType = ComponentTypeId<EffectComponent>();
    for (const GameObject::ComponentEntry& entry : target->GetComponentList())
    {
        GameObjectComponent* effect = entry.component;
        if (entry.typeId == effectType &&
            effect->GetName() == KnockbackEffectComponent::GetTypeName())
            PostNew<RemoveComponentMessage>(m_id, effect->GetId(), target->GetId());
    }
    constexpr bool Temporary = true;
    constexpr f32 PushValue = 1.0f;
    if (auto* push = static_cast<KnockbackEffectComponent*>(
            MakeEffect(KnockbackEffectComponent::GetTypeName(), PushSeconds, PushValue, Temporary)))
    {
        push->SetTargetPoint(point);
        PostEffect(push, target->GetId());
    }
    PostEffect(MakeEffect("StunEffectComponent", StunSeconds, 0.0f, Temporary), target->GetId());
    PostNew<AnimationSwapMessage>(m_id, HitAnimation, PlayOnce, target->GetId());
}
} // namespace Logic
