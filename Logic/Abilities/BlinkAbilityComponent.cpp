#include "Logic/Abilities/BlinkAbilityComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::BlinkAbilityComponent, &TypeRecordOf<Logic::AbilityComponent>(),
                         false)

namespace Logic
{
BlinkAbilityComponent::BlinkAbilityComponent() : m_moveRate(0.0f), m_lifetime(0.0f) {}

void BlinkAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    if (!RunKindSetup())
        return;
    StartDash(m_moveRate, m_lifetime);
    FreezeParent(m_parent);
    MakeParentUntouchable(m_parent);
}

void BlinkAbilityComponent::Shutdown()
{
    RestoreParentCollision(m_parent);
    UnfreezeParent(m_parent);
    AbilityComponent::Shutdown();
}
} // namespace Logic
