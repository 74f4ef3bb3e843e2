#pragma once
// An ability object with no set-up at all: its definition gives it what it has (collider,
// modifiers). Its first contact of any kind runs its modifiers and ends the object.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Abilities/AbilityComponent.h"

namespace Logic
{
class DummyAbilityComponent : public AbilityComponent
{
public:
    QUILL_COMPONENT_TYPE(DummyAbilityComponent)
    // Its row of the kinds' table sets nothing up; the XML is not read.
    void Deserialize(Serializer::XmlReader&) override { RunKindSetup(); }
    // Nothing is written.
    void Serialize(Serializer::XmlWriter&) override {}
    // Collisions (type 59).
    void HandleMessage(Message* message) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::DummyAbilityComponent)
