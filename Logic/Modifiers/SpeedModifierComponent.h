#pragma once
// Speed: an object hit that has a move component (any of the family) gets a SpeedEffectComponent
// that multiplies its speed by the value. Script table "SpeedModifier".
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class SpeedModifierComponent : public ModifierComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "SpeedModifierComponent";
        return name;
    }
    const std::string& GetName() const override { return GetTypeName(); }
    static constexpr const char* ScriptTable = "SpeedModifier";

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::SpeedModifierComponent)
