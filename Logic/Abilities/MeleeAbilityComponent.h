#pragma once
// A close-range ability object: bound to the character's selected script, it takes a lifetime
// and modifiers from it, and every contact calls the script's "OnCollide" (the script decides
// what the hit does), on every physics step of the contact.
// Nothing is set up when the character is gone or has no such script.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Abilities/AbilityComponent.h"

namespace Logic
{
class MeleeAbilityComponent : public AbilityComponent
{
public:
    QUILL_COMPONENT_TYPE(MeleeAbilityComponent)
    // Sets the object up; the XML is not read.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Nothing is written.
    void Serialize(Serializer::XmlWriter&) override {}
    // Collisions (type 59).
    void HandleMessage(Message* message) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::MeleeAbilityComponent)
