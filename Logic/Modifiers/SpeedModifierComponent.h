#pragma once
// Speed: an object hit that has a move component (any of the family) gets a SpeedEffectComponent
// that multiplies its speed by the value. Script table "SpeedModifier".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class SpeedModifierComponent : public ModifierComponent
{
public:
    QUILL_COMPONENT_TYPE(SpeedModifierComponent)
    static constexpr const char* ScriptTable = "SpeedModifier";

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::SpeedModifierComponent)
