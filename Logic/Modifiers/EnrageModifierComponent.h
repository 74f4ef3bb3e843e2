#pragma once
// Enrage: a character hit (it has a controller) that is not enraged already gets an
// EnrageEffectComponent of the value (its scale while enraged). Script table "EnrageModifier".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class EnrageModifierComponent : public ModifierComponent
{
public:
    QUILL_COMPONENT_TYPE(EnrageModifierComponent)
    static constexpr const char* ScriptTable = "EnrageModifier";

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::EnrageModifierComponent)
