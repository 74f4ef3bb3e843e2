#pragma once
// A health pick-up: an object hit whose HealthContainerComponent is not full is healed by the
// value (a HealthEffectComponent of minus the value) and the pick-up ends; a player character
// sees the health it gains in green. A full character leaves the pick-up where it is. It reacts
// to its own object's collisions; worn down to nothing it ends its object. Script table
// "HealthModifier".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class HealthModifierComponent : public ModifierComponent
{
public:
    QUILL_COMPONENT_TYPE(HealthModifierComponent)
    static constexpr const char* ScriptTable = "HealthModifier";
    // The healed amount is shown this long, in seconds.
    static constexpr f32 TextDuration = 1.0f;

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
    // Its own object's collisions (59) go to OnCollide.
    void HandleMessage(Message* message) override { CollideOnOwnContact(message); }
    // The clamped change; at (nearly) nothing left the object is destroyed.
    void Add(f32 delta) override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::HealthModifierComponent)
