#include "Logic/Effects/HealthEffectComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Containers/HealthContainerComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::HealthEffectComponent, &TypeRecordOf<Logic::EffectComponent>(),
                         false)

namespace Logic
{
void HealthEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
    Bind();
}

bool HealthEffectComponent::Bind()
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return false;
    m_target = owner->GetComponent<HealthContainerComponent>();
    return true;
}

void HealthEffectComponent::Apply()
{
    if (auto* health = static_cast<HealthContainerComponent*>(m_target))
        health->Add(-statModifyValue_);
}

void HealthEffectComponent::Remove()
{
    if (m_applied && m_isTemporary)
    {
        if (auto* health = static_cast<HealthContainerComponent*>(m_target))
            health->Add(statModifyValue_);
    }
    m_target = nullptr;
}
} // namespace Logic
