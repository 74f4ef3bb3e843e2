#pragma once
// Shows a particle system on its object while it lasts: an object of the archetype named by the
// particle system name, mounted on its object at the offset. A temporary one removes (and
// destroys) the mounted object when it ends.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"
#include "Math/Vector4.h"
#include <string>

namespace Logic
{
class ParticleSystemEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(ParticleSystemEffectComponent)
    ParticleSystemEffectComponent();
    // The base's values; it binds in its first update.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Apply() override;
    void Remove() override;
    // True while the object exists.
    bool Bind() override;

    std::string systemName;
    Math::Vector4 offset;

private:
    u32 m_mountedId; // 0 while nothing is mounted
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ParticleSystemEffectComponent)
