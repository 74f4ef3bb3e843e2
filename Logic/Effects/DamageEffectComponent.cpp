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
    const GameObject* owner = OwnerObject();
    if (owner == nullptr)
        return false;
    m_target = owner->GetComponent<DamageContainerComponent>();
    return true;
}

void DamageEffectComponent::Apply()
{
    Bind();
    const GameObject* owner = OwnerObject();
    if (auto* audio =
            owner != nullptr ? owner->GetComponent<Audio::AudioResponseComponent>() : nullptr)
        audio->OnDamaged();
    if (auto* damage = static_cast<DamageContainerComponent*>(m_target))
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
