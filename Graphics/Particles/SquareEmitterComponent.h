#pragma once
// An emitter shape. Particles are born on the outline of a Width x Height rectangle across the
// emission direction and fly out from its centre, in, or not at all. Keys after the base:
// Width, Height, ScaleFill, ScaleVariance, EmissionDirection (mode).
#include "Core/Objects/ComponentTypeId.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"

namespace Graphics
{
class SquareEmitterComponent : public ParticleEmitterComponent
{
public:
    SquareEmitterComponent();
    SquareEmitterComponent(const SquareEmitterComponent& other) = default;

    QUILL_COMPONENT_TYPE(SquareEmitterComponent)

    // The members in written order: the base's keys, then the shape's.
    static const MemberTable<SquareEmitterComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void DrawDebugShape(ParticleDebugShapes& shapes) const override;

protected:
    // The shape's editor entries after the base panel.
    void BuildShapeEditor(Tools::PropertyGroup& group) override;
    void UpdateBasis(f32 dt) override;
    void EmitParticle(Particle& particle) override;

private:
    f32 width_;
    f32 height_;
    f32 scaleFill_;
    int scaleVariance_;
    int emissionMode_;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::SquareEmitterComponent)
