#include "Graphics/Particles/CircleEmitterComponent.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/Reflection/MemberTable.h"
#include "Graphics/Particles/EmitterShapeMath.h"
#include "Graphics/Particles/ParticleDebugShapes.h"
#include "Math/ColorRGBA.h"
#include "Math/Shapes/Circle3.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::CircleEmitterComponent,
                         &TypeRecordOf<Graphics::ParticleEmitterComponent>(), false)

namespace Graphics
{
using namespace EmitterShapeMath;

namespace
{
// The "Normal" mode: along the radius, tilted about the circle's tangent.
constexpr int NormalMode = 2;
constexpr f32 OutlineWidth = 0.5f;
} // namespace

CircleEmitterComponent::CircleEmitterComponent()
    : ParticleEmitterComponent(CircleShape), radius_(0.0f), radiusFill_(0.0f), radiusVariance_(0),
      emissionMode_(0), radiusNormalVariance_(0.0f), radiusDirectionVariance_(0.0f)
{
}

const MemberTable<CircleEmitterComponent>& CircleEmitterComponent::Members()
{
    // The base's keys, then the circle's.
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, CircleEmitterComponent, ReadRule::ByTag,
        MemberLinks<CircleEmitterComponent>::Extending<ParticleEmitterComponent>(),
        QUILL_MEMBER(CircleEmitterComponent, radius_, Written).Tag("Radius"),
        QUILL_MEMBER(CircleEmitterComponent, radiusFill_, Written).Tag("RadiusFill"),
        QUILL_MEMBER(CircleEmitterComponent, radiusVariance_, Written).Tag("RadiusVariance"),
        QUILL_MEMBER(CircleEmitterComponent, emissionMode_, Written).Tag("EmissionDirection"),
        QUILL_MEMBER(CircleEmitterComponent, radiusNormalVariance_, Written)
            .Tag("RadiusNormalVariance"),
        QUILL_MEMBER(CircleEmitterComponent, radiusDirectionVariance_, Written)
            .Tag("RadiusDirectionVariance"));
    return table;
}

void CircleEmitterComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void CircleEmitterComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void CircleEmitterComponent::EmitParticle(Particle& particle)
{
    const Math::Vector4 v = orientation_.Rotate(Math::Vector4::RandomDirectionXY());
    particle.position =
        Math::Point4(worldPosition + v * (FillFactor(radiusFill_, radiusVariance_) * radius_));
    const Math::Vector4 tangentAxis = worldDirection.Cross(v);
    if (emissionMode_ == NormalMode)
        particle.direction =
            AxisAngle(tangentAxis, radiusNormalVariance_ * Math::DEG_TO_RAD).Rotate(v);
    else
        particle.direction = v * static_cast<f32>(emissionMode_);
    const f32 tilt = Math::RandRange(-radiusDirectionVariance_, radiusDirectionVariance_);
    particle.direction = AxisAngle(tangentAxis, tilt * Math::DEG_TO_RAD).Rotate(particle.direction);
}

void CircleEmitterComponent::DrawDebugShape(ParticleDebugShapes& shapes) const
{
    const Math::Point4 p0(modelMatrix_ * worldPosition);
    shapes.Add(Math::Circle3(p0, worldDirection, radius_), Math::ColorRGBA::Yellow, OutlineWidth,
               true);
}
namespace
{
// Editor limits: radius, and angles in degrees.
constexpr f32 EditorMaxRadius = 10.0f;
constexpr f32 EditorStep = 0.1f;
constexpr f32 EditorFullTurn = 360.0f;
constexpr f32 EditorHalfTurn = 180.0f;
} // namespace

void CircleEmitterComponent::BuildShapeEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    PropertyGroup* radius = group.AddGroup("Radius");
    const PropertyAttributes size(0.0f, EditorMaxRadius, EditorStep);
    radius->AddFloat("Radius", &radius_, &size, &SetScalarCallback, &GetScalarCallback);
    radius->AddFloat("Radius Fill", &radiusFill_, nullptr, &SetScalarCallback, &GetScalarCallback);
    radius->AddEnum("Variance Type", &radiusVariance_, {{"Fill", -1}, {"Expand", 1}},
                    &SetScalarCallback, &GetScalarCallback);
    radius->Define();
    group.AddEnum("Direction", &emissionMode_, {{"Out", 1}, {"In", -1}, {"None", 0}, {"Normal", 2}},
                  &SetScalarCallback, &GetScalarCallback);
    group.AddDirection("Facing Direction", &emitterDirection_.x, nullptr, &SetFloat3Callback,
                       &GetFloat3Callback);
    const PropertyAttributes normal(0.0f, EditorFullTurn, 1.0f);
    group.AddFloat("Normal Variance", &radiusNormalVariance_, &normal, &SetScalarCallback,
                   &GetScalarCallback);
    const PropertyAttributes spread(0.0f, EditorHalfTurn, 1.0f);
    group.AddFloat("Direction Variance", &radiusDirectionVariance_, &spread, &SetScalarCallback,
                   &GetScalarCallback);
}

} // namespace Graphics
