#include "Graphics/Particles/CubeEmitterComponent.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::CubeEmitterComponent,
                         &TypeRecordOf<Graphics::ParticleEmitterComponent>(), false)

namespace Graphics
{
CubeEmitterComponent::CubeEmitterComponent() : ParticleEmitterComponent(CubeShape) {}

// A cube keeps no keys at all: it is never filed, has no pool and never emits.
void CubeEmitterComponent::Deserialize(Serializer::XmlReader&) {}

void CubeEmitterComponent::Serialize(Serializer::XmlWriter&) {}

// The particle keeps the zero position and direction of its fresh record.
void CubeEmitterComponent::EmitParticle(Particle&) {}
} // namespace Graphics
