#pragma once
// A glow modifier: a kind with no behaviour of its own yet; it reads nothing from its script
// table "GlowModifier" and does nothing on a hit.
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class GlowModifierComponent : public ModifierComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "GlowModifierComponent";
        return name;
    }
    const std::string& GetName() const override { return GetTypeName(); }
    static constexpr const char* ScriptTable = "GlowModifier";

    void OnCollide(CollideMessage&) override {}
    const char* GetScriptTableName() const override { return ScriptTable; }
    void LoadFromScript(Scripting::LuaComponent&, const char*) override {}
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::GlowModifierComponent)
