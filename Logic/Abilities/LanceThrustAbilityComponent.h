#pragma once
// The SteamKnight's lance thrust, a dash: collider groups 5, ignoring 23, bound to the
// character's first script. The character slides Ability["moveRate"] x Ability["lifetime"]
// units ahead and is untouchable while the object lasts; its collider comes back when the
// object goes. Each new contact calls the script's "OnCollide", runs the modifiers and counts a
// hit.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Abilities/AbilityComponent.h"

namespace Logic
{
class LanceThrustAbilityComponent : public AbilityComponent
{
public:
    QUILL_COMPONENT_TYPE(LanceThrustAbilityComponent)
    LanceThrustAbilityComponent();
    // Sets the object up; the XML is not read.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Nothing is written.
    void Serialize(Serializer::XmlWriter&) override {}
    // Collisions (type 59).
    void HandleMessage(Message* message) override;
    // Gives the character its collider back (and its move value), then leaves the logic system.
    void Shutdown() override;

private:
    f32 m_moveRate;
    f32 m_lifetime;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::LanceThrustAbilityComponent)
