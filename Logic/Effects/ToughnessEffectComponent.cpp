#include "Logic/Effects/ToughnessEffectComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Containers/ToughnessContainerComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ToughnessEffectComponent, &TypeRecordOf<Logic::EffectComponent>(),
                         false)

namespace Logic
{
void ToughnessEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
    Bind();
}

bool ToughnessEffectComponent::Bind()
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return false;
    m_target = owner->GetComponent<ToughnessContainerComponent>();
    return true;
}

void ToughnessEffectComponent::Apply()
{
    Bind();
    if (auto* container = static_cast<ToughnessContainerComponent*>(m_target))
        container->Add(statModifyValue_);
}

void ToughnessEffectComponent::Remove()
{
    if (m_applied && m_isTemporary)
    {
        if (auto* container = static_cast<ToughnessContainerComponent*>(m_target))
            container->Add(-statModifyValue_);
    }
    m_target = nullptr;
}
} // namespace Logic
