#pragma once
// The Mage's blink, a dash: bound to the character's second script and ignoring the
// character's groups, it slides the character Ability["moveRate"] x Ability["lifetime"] units
// ahead while the character cannot move and is untouchable; both come back when the object goes
// (a move value up to 0.00001 stays 0). Contacts are ignored.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Abilities/AbilityComponent.h"

namespace Logic
{
class BlinkAbilityComponent : public AbilityComponent
{
public:
    QUILL_COMPONENT_TYPE(BlinkAbilityComponent)
    BlinkAbilityComponent();
    // Sets the object up; the XML is not read.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Nothing is written.
    void Serialize(Serializer::XmlWriter&) override {}
    // Gives the character its collider back (and its move value), then leaves the logic system.
    void Shutdown() override;

private:
    f32 m_moveRate;
    f32 m_lifetime;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::BlinkAbilityComponent)
