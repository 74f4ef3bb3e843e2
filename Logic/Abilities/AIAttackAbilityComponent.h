#pragma once
// An enemy's attack object: its collider joins groups 36 and ignores 54 (it hits the players and
// not its own kind); each new contact runs its modifiers (from the definition) and counts a hit.
// It binds no script.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Abilities/AbilityComponent.h"

namespace Logic
{
class AIAttackAbilityComponent : public AbilityComponent
{
public:
    QUILL_COMPONENT_TYPE(AIAttackAbilityComponent)
    // Sets the object up; the XML is not read.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Nothing is written.
    void Serialize(Serializer::XmlWriter&) override {}
    // Collisions (type 59).
    void HandleMessage(Message* message) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::AIAttackAbilityComponent)
