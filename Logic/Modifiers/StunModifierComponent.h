#pragma once
// Stun: a character hit (it has a controller) is disabled for the loaded duration. A stun already
// on it is lengthened so that it lasts the duration from now (never shortened) instead of a
// second one being added. A computer-controlled character shows "Stun" in magenta for the
// duration. The effect is added to the object at once, not by message, so that a second hit in
// the same frame finds it. Script table "StunModifier".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class StunModifierComponent : public ModifierComponent
{
public:
    QUILL_COMPONENT_TYPE(StunModifierComponent)
    static constexpr const char* ScriptTable = "StunModifier";

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::StunModifierComponent)
