#pragma once
// The enraged Golem's earthquake: bound to the character's selected script, it grows to the
// script's "endingScaleEffectValue" within "timeToReachEndScale" seconds through the first effect
// its definition gives it (a ScaleEffectComponent; without one it keeps its size). Each new
// contact calls the script's "OnCollide", runs the modifiers and counts a hit.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Abilities/AbilityComponent.h"

namespace Logic
{
class EnragedEarthquakeAbilityComponent : public AbilityComponent
{
public:
    QUILL_COMPONENT_TYPE(EnragedEarthquakeAbilityComponent)
    // Sets the object up; the XML is not read.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Nothing is written.
    void Serialize(Serializer::XmlWriter&) override {}
    // Collisions (type 59).
    void HandleMessage(Message* message) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::EnragedEarthquakeAbilityComponent)
