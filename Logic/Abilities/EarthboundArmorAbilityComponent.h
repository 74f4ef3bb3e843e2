#pragma once
// The Golem's earthbound armour: bound to the character's second script (position 1), it
// follows the character (position and facing) every frame and ignores the character's
// groups. A new contact calls the script's "OnCollide", from then on also ignores the
// character's groups in the other direction (mask |= its category) and runs the modifiers; hits
// are not counted. A character that is gone is no longer followed.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Abilities/AbilityComponent.h"

namespace Logic
{
class EarthboundArmorAbilityComponent : public AbilityComponent
{
public:
    QUILL_COMPONENT_TYPE(EarthboundArmorAbilityComponent)
    // Sets the object up; the XML is not read.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Nothing is written.
    void Serialize(Serializer::XmlWriter&) override {}
    // Collisions (type 59).
    void HandleMessage(Message* message) override;
    // Follows the character.
    void Update(f32 seconds) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::EarthboundArmorAbilityComponent)
