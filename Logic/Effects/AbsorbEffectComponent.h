#pragma once
// A shield: fills the object's AbsorbContainerComponent by its value, turns the health bar blue
// and shows "++Shielded++". It ends early, in the frame after the shield is used up; a temporary
// one empties what is left. Either way the bar turns green again and "--Shielded--" is shown.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"

namespace Logic
{
class AbsorbEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(AbsorbEffectComponent)
    // The base's values, then it binds at once.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Apply() override;
    void Remove() override;
    // True while the object exists; the AbsorbContainerComponent it holds, if any, is what changes.
    bool Bind() override;

    // The base's timing; a used-up shield ends the effect in the next frame.
    void Update(f32 seconds) override;

private:
    // A time far beyond any duration: taking it off makes the next update remove the effect.
    static constexpr f32 EndNow = 500.0f;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::AbsorbEffectComponent)
