#pragma once
// Bump: whatever its own object touches is pushed away along the contact (flattened to the
// ground) by the value in units within 0.05 s, stunned for 1.25 s and plays "Hit". A push still
// under way is replaced. The numbers are fixed; the loaded duration and temporary flag are not
// used. It reacts to its own object's collisions and answers its own type id, not the family's,
// so an ability does not hand it its collisions a second time. Script table "BumpModifier".
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class BumpModifierComponent : public ModifierComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "BumpModifierComponent";
        return name;
    }
    const std::string& GetName() const override { return GetTypeName(); }
    static constexpr const char* ScriptTable = "BumpModifier";
    static constexpr f32 PushSeconds = 0.05f;
    static constexpr f32 StunSeconds = 1.25f;

    u32 GetType() const override;
    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
    // Its own object's collisions (59) go to OnCollide.
    void HandleMessage(Message* message) override { CollideOnOwnContact(message); }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::BumpModifierComponent)
