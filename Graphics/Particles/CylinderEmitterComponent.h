#pragma once
// An emitter shape. Particles are born on the side of a (possibly tapered) cylinder of Height
// along the emission direction and fly out from its axis, in, or not at all. Keys after the
// base: RadiusBottom, RadiusTop, RadiusFill, RadiusVariance, Height, EmissionDirection (mode).
#include "Core/Objects/ComponentTypeId.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"

namespace Graphics
{
class CylinderEmitterComponent : public ParticleEmitterComponent
{
public:
    CylinderEmitterComponent();
    CylinderEmitterComponent(const CylinderEmitterComponent& other) = default;

    QUILL_COMPONENT_TYPE(CylinderEmitterComponent)

    // The members in written order: the base's keys, then the shape's.
    static const MemberTable<CylinderEmitterComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void DrawDebugShape(ParticleDebugShapes& shapes) const override;

protected:
    // The shape's editor entries after the base panel.
    void BuildShapeEditor(Tools::PropertyGroup& group) override;
    void EmitParticle(Particle& particle) override;

private:
    f32 radiusBottom_;
    f32 radiusTop_;
    f32 radiusFill_;
    int radiusVariance_;
    f32 height_;
    int emissionMode_;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::CylinderEmitterComponent)
