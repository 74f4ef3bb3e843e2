#pragma once
// The SteamKnight's taunt trap: collider category 9 and mask 30 (AbilityKinds.h), bound to no
// script; it reads only its pulse interval, and at every pulse every AI controller turns on the
// trap object. Contacts are ignored. The AI lies above Logic, so the pulse goes through the
// setAIControllerTargets service hook, which does nothing while no AI system runs.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Abilities/PulseTrapComponent.h"

namespace Logic
{
class TauntTrapAbilityComponent : public PulseTrapComponent
{
public:
    QUILL_COMPONENT_TYPE(TauntTrapAbilityComponent)
    // Sets the collider, then reads the pulse interval.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Every AI controller targets the trap object.
    void Pulse() override;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::TauntTrapAbilityComponent)
