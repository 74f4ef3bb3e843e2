#pragma once
// The SteamKnight's steam pump: collider groups 5, ignoring 31 (set even when the character is
// gone), bound to the character's third script; it grows by the script's ScaleEffect table
// ("value" within "timeToLast" seconds). Each new contact calls the script's "OnCollide", runs
// the modifiers (each logged by name), pushes the object hit to "steamKnockDistance" units from
// the character at 20 units per second and counts a hit.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Abilities/AbilityComponent.h"

namespace Logic
{
class SteamPumpAbilityComponent : public AbilityComponent
{
public:
    QUILL_COMPONENT_TYPE(SteamPumpAbilityComponent)
    // Sets the object up; the XML is not read.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Nothing is written.
    void Serialize(Serializer::XmlWriter&) override {}
    // Collisions (type 59).
    void HandleMessage(Message* message) override;

private:
    // Pushes the object hit away from the character.
    void SteamKnock(u32 otherObjectId);
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::SteamPumpAbilityComponent)
