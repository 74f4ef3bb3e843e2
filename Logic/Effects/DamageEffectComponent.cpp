#include "Logic/Effects/DamageEffectComponent.h"
#include "Audio/AudioResponseComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Containers/DamageContainerComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::DamageEffectComponent, &TypeRecordOf<Logic::EffectComponent>(),
                         false)

namespace Logic
{
void DamageEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
    Bind();
}

bool DamageEffectComponent::Bind()
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return false;
    m_target = owner->GetComponent<DamageContainerComponent>();
    return true;
}

void DamageEffectComponent::Apply()
{
    Bind();
    auto* damage = static_cast<DamageContainerComponent*>(m_target);
    if (damage == nullptr)
        return;
    // The one who takes the damage answers it, before the container changes.
    // The container was found on this effect's own object.
    if (const GameObject* owner = GetOwnerObject())
    {
        if (auto* response = owner->GetComponent<Audio::AudioResponseComponent>())
            response->OnDamaged();
    }
    damage->Add(statModifyValue_);
}

void DamageEffectComponent::Remove()
{
    if (m_applied && m_isTemporary)
    {
        if (auto* damage = static_cast<DamageContainerComponent*>(m_target))
            damage->Add(-statModifyValue_);
    }
    m_target = nullptr;
}
} // namespace Logic
