#pragma once
// Enrages a character: its collider joins group 32 (bit 32 of its category), every ability
// script of its player controller hears "EnrageAbility", a scale effect grows it to its value
// times its own scale in half a second and "++Enraged++" is shown. A temporary one, when it
// ends, leaves group 32 (also in the collider a death of the character gives back on revival),
// calls "UnEnrageAbility" and takes it back to its own scale within a second; in any case the
// health bar turns green and "--Enraged--" is shown. Only a controller named
// "SimpleControllerComponent" has ability scripts to call.
//
// The own scale (ScaleEffectComponent.h) is taken when the rage is applied and handed to both
// scale effects, so the character comes back to the size it had before its rage, whatever
// scaled it meanwhile or however the growth was cut short.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"
#include "Math/Vector3.h"

namespace Logic
{
class EnrageEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(EnrageEffectComponent)
    // The collision group an enraged character joins.
    static constexpr u32 EnragedGroup = 32;

    EnrageEffectComponent();
    // The base's values; it does not bind until its first update.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Apply() override;
    void Remove() override;
    // True while the object exists; its controller, if any, is held.
    bool Bind() override;

private:
    // Calls the function in every ability script of the player's controller.
    void CallAbilityScripts(const char* function) const;
    // Scales the character to the factor times its own scale over that time.
    void PostScale(f32 seconds, f32 factor) const;

    Math::Vector3 m_ownScale;
    f32 m_ownRadius;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::EnrageEffectComponent)
