#pragma once
// A light modifier: a kind with no behaviour of its own yet; it reads nothing from its script
// table "LightModifier" and does nothing on a hit.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class LightModifierComponent : public ModifierComponent
{
public:
    QUILL_COMPONENT_TYPE(LightModifierComponent)
    static constexpr const char* ScriptTable = "LightModifier";

    void OnCollide(CollideMessage&) override {}
    const char* GetScriptTableName() const override { return ScriptTable; }
    void LoadFromScript(Scripting::LuaComponent&, const char*) override {}
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::LightModifierComponent)
