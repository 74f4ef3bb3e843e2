#pragma once
// An emitter shape. Particles are born along a segment of LineLength on the emission direction
// and fly along LineDirection (varied, reflected), or stay where they are born. Keys after the
// base: LineDirection, LineLength, EmissionCoordinateSystem (0 the emitter's frame, 1 world),
// EmissionType (1 standard, 0 none), DirectionVariance (degrees), DirectionReflect.
#include "Core/Objects/ComponentTypeId.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"
#include "Math/Vector3.h"

namespace Graphics
{
class LineEmitterComponent : public ParticleEmitterComponent
{
public:
    LineEmitterComponent();
    LineEmitterComponent(const LineEmitterComponent& other) = default;

    QUILL_COMPONENT_TYPE(LineEmitterComponent)

    // The members in written order: the base's keys, then the shape's.
    static const MemberTable<LineEmitterComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void DrawDebugShape(ParticleDebugShapes& shapes) const override;

protected:
    // The shape's editor entries after the base panel.
    void BuildShapeEditor(Tools::PropertyGroup& group) override;
    void UpdateBasis(f32 dt) override;
    void EmitParticle(Particle& particle) override;

private:
    Math::Vector4 lineDirection_;
    f32 lineLength_;
    int coordinateSystem_;
    int emissionType_;
    Math::Vector3 directionVariance_;
    int directionReflect_;
    Math::Vector4 line_; // the working line direction of this step
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::LineEmitterComponent)
