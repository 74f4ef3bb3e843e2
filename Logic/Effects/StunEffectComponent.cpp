#include "Logic/Effects/StunEffectComponent.h"
#include "Core/Engine.h"
#include "Core/Messages/Object/MountObjectCreateMessage.h"
#include "Core/Messages/Object/MountObjectRemoveMessage.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Controllers/ControllerComponent.h"
#include "Math/Point4.h"

QUILL_DEFINE_TYPE_RECORD(Logic::StunEffectComponent, &TypeRecordOf<Logic::EffectComponent>(), false)

namespace Logic
{
StunEffectComponent::StunEffectComponent() : m_starsId(0) {}

void StunEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
    Bind();
}

bool StunEffectComponent::Bind()
{
    const GameObject* owner = GetOwnerObject();
    m_target = owner != nullptr ? owner->GetComponent<ControllerComponent>() : nullptr;
    return m_target != nullptr;
}

void StunEffectComponent::Apply()
{
    if (auto* controller = static_cast<ControllerComponent*>(m_target))
        controller->SetDisabled(true);
    // At the object's feet: the effect lifts its stars to head height itself.
    m_starsId = GenerateIdLocked();
    PostNew<MountObjectCreateMessage>(m_id, m_starsId, StarsEffect,
                                      Math::Point4(0.0f, 0.0f, 0.0f, 1.0f), m_owner);
}

void StunEffectComponent::Remove()
{
    constexpr bool Destroy = true;
    // Looked up again: the controller may have left the object while the stun lasted.
    if (m_applied && m_isTemporary)
    {
        if (Bind())
            static_cast<ControllerComponent*>(m_target)->SetDisabled(false);
        if (m_starsId != 0)
            PostNew<MountObjectRemoveMessage>(m_id, m_starsId, Destroy, m_owner);
        m_starsId = 0;
    }
    m_target = nullptr;
}
} // namespace Logic
