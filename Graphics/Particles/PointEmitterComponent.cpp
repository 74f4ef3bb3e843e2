#include "Graphics/Particles/PointEmitterComponent.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Graphics/Particles/EmitterShapeMath.h"
#include "Graphics/Particles/ParticleDebugShapes.h"
#include "Math/ColorRGBA.h"
#include "Math/RandStream.h"
#include "Math/Shapes/Segment3.h"
#include "Math/Shapes/Sphere3.h"
#include "Serializer/Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::PointEmitterComponent,
                         &TypeRecordOf<Graphics::ParticleEmitterComponent>(), false)

namespace Graphics
{
using namespace EmitterShapeMath;

namespace
{
constexpr f32 kMarkerRadius = 0.1f;
constexpr f32 kMarkerWidth = 3.0f;
constexpr f32 kAxisWidth = 2.0f;
} // namespace

PointEmitterComponent::PointEmitterComponent()
    : ParticleEmitterComponent(PointShape), directionReflect_(0), directionVariance_(),
      varianceTurnZ_()
{
}

void PointEmitterComponent::Deserialize(Serializer::XmlReader& reader)
{
    DeserializeBase(reader);
    Serializer::ReadValue(reader, directionReflect_, "DirectionReflect");
    Math::Vector3 degrees = directionVariance_ * Math::RAD_TO_DEG;
    Serializer::ReadValue(reader, degrees, "DirectionVariance");
    directionVariance_ = degrees * Math::DEG_TO_RAD;
}

void PointEmitterComponent::Serialize(Serializer::XmlWriter& writer)
{
    ParticleEmitterComponent::Serialize(writer);
    Serializer::WriteValue(writer, directionReflect_, "DirectionReflect");
    Serializer::WriteValue(writer, directionVariance_ * Math::RAD_TO_DEG, "DirectionVariance");
}

void PointEmitterComponent::UpdateBasis(f32)
{
    PointBasis(worldDirection, worldUp_, worldRight_);
    varianceTurnZ_ = AxisAngle(worldDirection, directionVariance_.z * Math::DEG_TO_RAD);
}

void PointEmitterComponent::EmitParticle(Particle& particle)
{
    particle.position = worldPosition;
    const Math::Vector3& v = directionVariance_;
    f32 x;
    f32 y;
    {
        Math::RandStream draw;
        x = draw.Range(-v.x, v.x);
        y = draw.Range(-v.y, v.y);
    }
    const Math::Quaternion turn = varianceTurnZ_ * AxisAngle(worldUp_, y * Math::DEG_TO_RAD) *
                                  AxisAngle(worldRight_, x * Math::DEG_TO_RAD);
    particle.direction = turn.Rotate(worldDirection);
    if (directionReflect_ == 1 && Math::RandomInt(0, 1) == 1)
        particle.direction = -particle.direction;
}

void PointEmitterComponent::DrawDebugShape(ParticleDebugShapes& shapes) const
{
    const Math::Point4 p0(modelMatrix_ * worldPosition);
    shapes.Add(Math::Sphere3(p0, kMarkerRadius), Math::ColorRGBA::Orange, kMarkerWidth, true);
    shapes.Add(Math::Segment3(p0, Math::Point4(p0 + worldDirection)),
               Math::ColorRGBA(0.0f, 0.0f, 1.0f, 1.0f), kAxisWidth, false);
    shapes.Add(Math::Segment3(p0, Math::Point4(p0 + worldRight_)),
               Math::ColorRGBA(1.0f, 0.0f, 0.0f, 1.0f), kAxisWidth, false);
    shapes.Add(Math::Segment3(p0, Math::Point4(p0 + worldUp_)),
               Math::ColorRGBA(0.0f, 1.0f, 0.0f, 1.0f), kAxisWidth, false);
}
namespace
{
// Editor limit of the variation angles, in degrees.
constexpr f32 EditorMaxVariation = 180.0f;
} // namespace

void PointEmitterComponent::BuildShapeEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    group.AddDirection("Emit Direction", &emitterDirection_.x, nullptr, &SetFloat3Callback,
                       &GetFloat3Callback);
    const PropertyAttributes variation(0.0f, EditorMaxVariation, 1.0f);
    group.AddVector3("Emit Variation", &directionVariance_.x, variation, &SetScalarCallback,
                     &GetScalarCallback);
    group.AddEnum("Reflect", &directionReflect_, {{"True", 1}, {"False", 0}}, &SetScalarCallback,
                  &GetScalarCallback);
}

} // namespace Graphics
