#pragma once
// An experience pick-up: a new contact with an object that has an ExperienceContainerComponent
// gives it an ExperienceEffectComponent of the value and ends the pick-up; anything else leaves
// it. It reacts to its own object's collisions. Script table "ExperienceModifier".
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class ExperienceModifierComponent : public ModifierComponent
{
public:
    static const std::string& GetTypeName()
    {
        static const std::string name = "ExperienceModifierComponent";
        return name;
    }
    const std::string& GetName() const override { return GetTypeName(); }
    static constexpr const char* ScriptTable = "ExperienceModifier";

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
    // Its own object's collisions (59) go to OnCollide.
    void HandleMessage(Message* message) override { CollideOnOwnContact(message); }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ExperienceModifierComponent)
