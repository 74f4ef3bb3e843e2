#pragma once
// Death: a new contact with a character (it has a controller) that is not dying already gives it
// a DeathEffectComponent. It reacts to its own object's collisions. Script table "DeathModifier".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class DeathModifierComponent : public ModifierComponent
{
public:
    QUILL_COMPONENT_TYPE(DeathModifierComponent)
    static constexpr const char* ScriptTable = "DeathModifier";

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
    // Its own object's collisions (59) go to OnCollide.
    void HandleMessage(Message* message) override { CollideOnOwnContact(message); }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::DeathModifierComponent)
