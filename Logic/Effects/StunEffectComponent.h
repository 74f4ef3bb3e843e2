#pragma once
// Disables the object's controller (any of the family) while it lasts; a temporary one enables it
// again when it ends. While it lasts, the "StunStars" effect is mounted on the object (the
// effect places itself over the head), so a stun shows; a temporary stun takes it off (and
// destroys it) when it ends, a lasting one leaves it for as long as the object is stunned.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"

namespace Logic
{
class StunEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(StunEffectComponent)
    // The particle effect shown over a stunned object.
    static constexpr const char* StarsEffect = "StunStars";

    StunEffectComponent();
    // The base's values, then it binds at once.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Apply() override;
    void Remove() override;
    // True when the object has a controller.
    bool Bind() override;

private:
    u32 m_starsId; // the mounted stars; 0 while none are
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::StunEffectComponent)
