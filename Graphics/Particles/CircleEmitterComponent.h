#pragma once
// An emitter shape. Particles are born on a circle of Radius across the emission direction
// (within the RadiusFill band) and fly out, in, not at all, or along a tilted normal. Keys after
// the base: Radius, RadiusFill, RadiusVariance, EmissionDirection (mode), RadiusNormalVariance,
// RadiusDirectionVariance (degrees).
#include "Core/Objects/ComponentTypeId.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"

namespace Graphics
{
class CircleEmitterComponent : public ParticleEmitterComponent
{
public:
    CircleEmitterComponent();
    CircleEmitterComponent(const CircleEmitterComponent& other) = default;

    QUILL_COMPONENT_TYPE(CircleEmitterComponent)

    // The members in written order: the base's keys, then the shape's.
    static const MemberTable<CircleEmitterComponent>& Members();
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
    f32 radiusNormalVariance_;
    f32 radiusDirectionVariance_;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::CircleEmitterComponent)
