#pragma once
// Damage: on a hit, a shield (AbsorbContainerComponent) of the object hit takes the blow first
// and weakens this modifier by what it absorbed ("(0)" in blue); what is left becomes a
// DamageEffectComponent (when the object keeps a damage count) and a HealthEffectComponent of
// that value, and the number is shown on the object (red on a player, white otherwise). A hit
// that kills the last enemy plays "OnFinalKill" on the shooter's audio response. A modifier
// worn down to nothing ends its own ability object. Script table "DamageModifier".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"

class GameObject;

namespace Logic
{
class DamageModifierComponent : public ModifierComponent
{
public:
    static constexpr const char* ScriptTable = "DamageModifier";
    // Numbers and the shield's "(0)" are shown this long, in seconds.
    static constexpr f32 TextDuration = 1.0f;

    QUILL_COMPONENT_TYPE(DamageModifierComponent)
    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
    // The clamped change; at (nearly) nothing left the ability object is destroyed.
    void Add(f32 delta) override;

private:
    // Creates the effect by name, sets it up with this modifier's duration and temporary flag
    // and posts it to the target.
    void PostEffect(const char* typeName, f32 value, u32 targetId) const;
    // "OnFinalKill" on the audio response of the object that created this ability object.
    void PlayFinalKill() const;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::DamageModifierComponent)
