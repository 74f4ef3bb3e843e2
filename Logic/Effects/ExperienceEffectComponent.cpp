#include "Logic/Effects/ExperienceEffectComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Containers/ExperienceContainerComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ExperienceEffectComponent, &TypeRecordOf<Logic::EffectComponent>(),
                         false)

namespace Logic
{
void ExperienceEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
    Bind();
}

bool ExperienceEffectComponent::Bind()
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return false;
    m_target = owner->GetComponent<ExperienceContainerComponent>();
    return true;
}

void ExperienceEffectComponent::Apply()
{
    Bind();
    if (auto* container = static_cast<ExperienceContainerComponent*>(m_target))
        container->Add(statModifyValue_);
}

void ExperienceEffectComponent::Remove()
{
    if (m_applied && m_isTemporary)
    {
        if (auto* container = static_cast<ExperienceContainerComponent*>(m_target))
            container->Add(-statModifyValue_);
    }
    m_target = nullptr;
}
} // namespace Logic
