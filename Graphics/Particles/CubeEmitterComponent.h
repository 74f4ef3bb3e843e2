#pragma once
// An emitter shape. Reads, writes and emits nothing, not even the base keys: a cube emitter from
// a file has no pool and never emits.
#include "Core/Objects/ComponentTypeId.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"

namespace Graphics
{
class CubeEmitterComponent : public ParticleEmitterComponent
{
public:
    CubeEmitterComponent();
    CubeEmitterComponent(const CubeEmitterComponent& other) = default;

    QUILL_COMPONENT_TYPE(CubeEmitterComponent)

    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

protected:
    void EmitParticle(Particle& particle) override;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::CubeEmitterComponent)
