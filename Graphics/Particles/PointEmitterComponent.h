#pragma once
// An emitter shape. Sprays from one point along the emission direction, spread by up to
// DirectionVariance degrees about the frame's three axes; with DirectionReflect about half fly
// backwards. Keys after the base: DirectionReflect, DirectionVariance.
#include "Core/Objects/ComponentTypeId.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"
#include "Math/Quaternion.h"
#include "Math/Vector3.h"

namespace Graphics
{
class PointEmitterComponent : public ParticleEmitterComponent
{
public:
    PointEmitterComponent();
    PointEmitterComponent(const PointEmitterComponent& other) = default;

    QUILL_COMPONENT_TYPE(PointEmitterComponent)

    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void DrawDebugShape(ParticleDebugShapes& shapes) const override;

protected:
    // The shape's editor entries after the base panel.
    void BuildShapeEditor(Tools::PropertyGroup& group) override;
    void UpdateBasis(f32 dt) override;
    void EmitParticle(Particle& particle) override;
    // The two variance draws and the reflection coin of a birth; the turns of the group are
    // made together.
    void DrawEmission(BirthGroup& group, u32 lane) override;
    void FinishEmissions(BirthGroup& group) override;

private:
    int directionReflect_;
    // Radians after reading; converted to radians once more where used, as stored files expect.
    Math::Vector3 directionVariance_;
    // The turn about the emission direction by the variance's z angle: the same for every birth
    // of a step, so made once a step (UpdateBasis) rather than once a birth.
    Math::Quaternion varianceTurnZ_;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::PointEmitterComponent)
