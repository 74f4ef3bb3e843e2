#pragma once
// Knock-back: an object hit is pushed away along the contact (flattened to the ground) over the
// loaded duration. The distance grows with the damage it has taken: (its damage count plus the
// damage of this ability's DamageModifierComponent) x 0.08 x value, times its toughness's damage
// factor; an object without a damage count is not moved (it still gets the effect). A push under
// way is not replaced. Script table "KnockbackModifier".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class KnockbackModifierComponent : public ModifierComponent
{
public:
    QUILL_COMPONENT_TYPE(KnockbackModifierComponent)
    static constexpr const char* ScriptTable = "KnockbackModifier";
    // Units of distance per point of damage and of value.
    static constexpr f32 DamageDistance = 0.08f;

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::KnockbackModifierComponent)
