#pragma once
// An experience pick-up: a new contact with an object that has an ExperienceContainerComponent
// gives it an ExperienceEffectComponent of the value and ends the pick-up; anything else leaves
// it. It reacts to its own object's collisions. Script table "ExperienceModifier".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Modifiers/ModifierComponent.h"

namespace Logic
{
class ExperienceModifierComponent : public ModifierComponent
{
public:
    QUILL_COMPONENT_TYPE(ExperienceModifierComponent)
    static constexpr const char* ScriptTable = "ExperienceModifier";

    void OnCollide(CollideMessage& message) override;
    const char* GetScriptTableName() const override { return ScriptTable; }
    // Its own object's collisions (59) go to OnCollide.
    void HandleMessage(Message* message) override { CollideOnOwnContact(message); }
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ExperienceModifierComponent)
