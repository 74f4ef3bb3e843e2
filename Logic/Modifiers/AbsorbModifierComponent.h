#pragma once
// Shield: an object hit that has an AbsorbContainerComponent gets an AbsorbEffectComponent of
// the value. Script table "AbsorbModifier".
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class AbsorbModifierComponent : public ModifierComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "AbsorbModifierComponent";
        return name;
    }
    const std::string& GetName() const override { return GetTypeName(); }
    static constexpr const char* ScriptTable = "AbsorbModifier";

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::AbsorbModifierComponent)
