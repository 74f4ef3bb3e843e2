#include "Logic/Effects/StunEffectComponent.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Controllers/ControllerComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::StunEffectComponent, &TypeRecordOf<Logic::EffectComponent>(), false)

namespace Logic
{
void StunEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
    Bind();
}

bool StunEffectComponent::Bind()
{
    const GameObject* owner = OwnerObject();
    m_target = owner != nullptr ? owner->GetComponent<ControllerComponent>() : nullptr;
    return m_target != nullptr;
}

void StunEffectComponent::Apply()
{
    if (auto* controller = static_cast<ControllerComponent*>(m_target))
        controller->SetDisabled(true);
}

void StunEffectComponent::Remove()
{
    // Looked up again: the controller may have left the object while the stun lasted.
    if (m_applied && m_isTemporary && Bind())
        static_cast<ControllerComponent*>(m_target)->SetDisabled(false);
    m_target = nullptr;
}
} // namespace Logic
