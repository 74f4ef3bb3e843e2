#include "Logic/Abilities/LanceThrustAbilityComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"

QUILL_DEFINE_TYPE_RECORD(Logic::LanceThrustAbilityComponent,
                         &TypeRecordOf<Logic::AbilityComponent>(), false)

namespace Logic
{
LanceThrustAbilityComponent::LanceThrustAbilityComponent() : m_moveRate(0.0f), m_lifetime(0.0f) {}

void LanceThrustAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    if (!RunKindSetup())
        return;
    StartDash(m_moveRate, m_lifetime);
}

void LanceThrustAbilityComponent::HandleMessage(Message* message)
{
    if (CollideMessage* contact = ContactOf(message, true))
        ReactToContact(*contact);
}

void LanceThrustAbilityComponent::Shutdown()
{
    RestoreParentCollision(m_parent);
    AbilityComponent::Shutdown();
}
} // namespace Logic
