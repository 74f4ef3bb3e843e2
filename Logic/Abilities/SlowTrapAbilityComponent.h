#pragma once
// The SteamKnight's slow trap: collider groups 5, ignoring 23, bound to the character's
// selected script; every contact, on every step, calls the script's "OnCollide" and runs the
// modifiers. Hits are not counted: the trap lasts its lifetime.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Abilities/AbilityComponent.h"

namespace Logic
{
class SlowTrapAbilityComponent : public AbilityComponent
{
public:
    QUILL_COMPONENT_TYPE(SlowTrapAbilityComponent)
    // Sets the object up; the XML is not read.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Nothing is written.
    void Serialize(Serializer::XmlWriter&) override {}
    // Collisions (type 59).
    void HandleMessage(Message* message) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::SlowTrapAbilityComponent)
