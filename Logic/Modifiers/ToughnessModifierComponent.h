#pragma once
// Toughness: an object hit that has a ToughnessContainerComponent gets a ToughnessEffectComponent
// of the value. Script table "ToughnessModifier".
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class ToughnessModifierComponent : public ModifierComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "ToughnessModifierComponent";
        return name;
    }
    const std::string& GetName() const override { return GetTypeName(); }
    static constexpr const char* ScriptTable = "ToughnessModifier";

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ToughnessModifierComponent)
