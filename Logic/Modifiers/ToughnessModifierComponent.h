#pragma once
// Toughness: an object hit that has a ToughnessContainerComponent gets a ToughnessEffectComponent
// of the value. Script table "ToughnessModifier".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class ToughnessModifierComponent : public ModifierComponent
{
public:
    QUILL_COMPONENT_TYPE(ToughnessModifierComponent)
    static constexpr const char* ScriptTable = "ToughnessModifier";

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ToughnessModifierComponent)
