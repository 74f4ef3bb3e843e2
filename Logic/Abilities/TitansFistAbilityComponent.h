#pragma once
// The Golem's titan's fist: collider groups 5, ignoring 23, bound to the character's first
// script; each new contact calls the script's "OnCollide", runs the modifiers and counts a hit.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Abilities/AbilityComponent.h"

namespace Logic
{
class TitansFistAbilityComponent : public AbilityComponent
{
public:
    QUILL_COMPONENT_TYPE(TitansFistAbilityComponent)
    // Sets the object up; the XML is not read.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Nothing is written.
    void Serialize(Serializer::XmlWriter&) override {}
    // Collisions (type 59).
    void HandleMessage(Message* message) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::TitansFistAbilityComponent)
