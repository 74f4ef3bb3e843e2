#pragma once
// An emitter shape. Particles are born on a sphere of Radius (within the RadiusFill band) and fly
// out, in, or not at all. Keys after the base: Radius, RadiusFill, RadiusVariance,
// EmissionDirection (mode).
#include "Core/Objects/ComponentTypeId.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"

namespace Graphics
{
class SphereEmitterComponent : public ParticleEmitterComponent
{
public:
    SphereEmitterComponent();
    SphereEmitterComponent(const SphereEmitterComponent& other) = default;

    QUILL_COMPONENT_TYPE(SphereEmitterComponent)

    // The members in written order: the base's keys, then the shape's.
    static const MemberTable<SphereEmitterComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void DrawDebugShape(ParticleDebugShapes& shapes) const override;

protected:
    // The shape's editor entries after the base panel.
    void BuildShapeEditor(Tools::PropertyGroup& group) override;
    void EmitParticle(Particle& particle) override;

private:
    f32 radius_;
    f32 radiusFill_;
    int radiusVariance_;
    int emissionMode_;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::SphereEmitterComponent)
