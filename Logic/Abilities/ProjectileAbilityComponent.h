#pragma once
// A flying ability object: bound to the character's selected script, it takes a lifetime, a
// move rate and modifiers from it. Its first contact of any kind calls the script's
// "OnCollide", hands the collision to its modifiers (so its damage lands) and ends the object.
// Nothing is set up when the character is gone or has no such script.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Abilities/AbilityComponent.h"

namespace Logic
{
class ProjectileAbilityComponent : public AbilityComponent
{
public:
    QUILL_COMPONENT_TYPE(ProjectileAbilityComponent)
    // Sets the object up; the XML is not read.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Nothing is written.
    void Serialize(Serializer::XmlWriter&) override {}
    // Collisions (type 59).
    void HandleMessage(Message* message) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ProjectileAbilityComponent)
