#pragma once
// Shield: an object hit that has an AbsorbContainerComponent gets an AbsorbEffectComponent of
// the value. Script table "AbsorbModifier".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class AbsorbModifierComponent : public ModifierComponent
{
public:
    QUILL_COMPONENT_TYPE(AbsorbModifierComponent)
    static constexpr const char* ScriptTable = "AbsorbModifier";

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::AbsorbModifierComponent)
