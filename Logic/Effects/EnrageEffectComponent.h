#pragma once
// Enrages a character: its collider joins group 32 (bit 32 of its category), every ability
// script of its player controller hears "EnrageAbility", a scale effect grows it to its value in
// half a second and "++Enraged++" is shown. A temporary one, when it ends, leaves group 32, calls
// "UnEnrageAbility" and shrinks it back within a second; in any case the health bar turns green
// and "--Enraged--" is shown. Only a controller named "SimpleControllerComponent" has ability
// scripts to call.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"

namespace Logic
{
class EnrageEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(EnrageEffectComponent)
    // The collision group an enraged character joins.
    static constexpr u32 EnragedGroup = 32;

    // The base's values; it does not bind until its first update.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Apply() override;
    void Remove() override;
    // True while the object exists; its controller, if any, is held.
    bool Bind() override;

private:
    // Calls the function in every ability script of the player's controller.
    void CallAbilityScripts(const char* function) const;
    // Grows (or shrinks) the character by the factor over that time.
    void PostScale(f32 seconds, f32 factor) const;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::EnrageEffectComponent)
