#pragma once
// Flashes its object's colour: an IntensityComponent added to the object moves red, green and
// blue from the start towards the stop colour, each channel taking its rate in seconds for the
// way (a rate of 0 jumps to the stop colour at once). A temporary one, when it ends, takes that
// component away and holds the colour at white for 0.1 s.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"
#include "Math/Vector3.h"

namespace Logic
{
class FlashEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(FlashEffectComponent)
    FlashEffectComponent();
    // The base's values; it binds in its first update.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Apply() override;
    void Remove() override;
    // True while the object exists.
    bool Bind() override;

    Math::Vector3 start;
    Math::Vector3 stop;
    Math::Vector3 rate;

private:
    // How long the colour stays white after a temporary flash.
    static constexpr f32 ResetSeconds = 0.1f;

    u32 m_intensityId; // the component this effect added; 0 for none
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::FlashEffectComponent)
