#include "Graphics/Particles/LineEmitterComponent.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/Reflection/MemberTable.h"
#include "Graphics/Particles/EmitterShapeMath.h"
#include "Graphics/Particles/ParticleDebugShapes.h"
#include "Math/ColorRGBA.h"
#include "Math/Shapes/Segment3.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::LineEmitterComponent,
                         &TypeRecordOf<Graphics::ParticleEmitterComponent>(), false)

namespace Graphics
{
using namespace EmitterShapeMath;

namespace
{
// EmissionCoordinateSystem 0: the line direction turns with the emitter's frame.
constexpr int EmitterFrame = 0;
constexpr int StandardEmission = 1;
constexpr f32 AxisWidth = 2.0f;
} // namespace

LineEmitterComponent::LineEmitterComponent()
    : ParticleEmitterComponent(LineShape), lineDirection_(AxisY), lineLength_(0.0f),
      coordinateSystem_(EmitterFrame), emissionType_(StandardEmission), directionVariance_(),
      directionReflect_(0), line_(AxisY)
{
}

const MemberTable<LineEmitterComponent>& LineEmitterComponent::Members()
{
    // The base's keys, then the line's.
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, LineEmitterComponent, ReadRule::ByTag,
        MemberLinks<LineEmitterComponent>::Extending<ParticleEmitterComponent>(),
        QUILL_MEMBER(LineEmitterComponent, lineDirection_, Written).Tag("LineDirection"),
        QUILL_MEMBER(LineEmitterComponent, lineLength_, Written).Tag("LineLength"),
        QUILL_MEMBER(LineEmitterComponent, coordinateSystem_, Written)
            .Tag("EmissionCoordinateSystem"),
        QUILL_MEMBER(LineEmitterComponent, emissionType_, Written).Tag("EmissionType"),
        QUILL_MEMBER(LineEmitterComponent, directionVariance_, Written).Tag("DirectionVariance"),
        QUILL_MEMBER(LineEmitterComponent, directionReflect_, Written).Tag("DirectionReflect"));
    return table;
}

void LineEmitterComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void LineEmitterComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void LineEmitterComponent::UpdateBasis(f32)
{
    const Math::Vector4& d = worldDirection;
    if (coordinateSystem_ == EmitterFrame)
    {
        // Beside a vertical line the up axis is the reference; before any up axis exists, X is.
        Math::Vector4 reference = Math::Vector4::AreParallel(d, AxisY) ? worldUp_ : AxisY;
        if (reference.IsZero())
            reference = AxisX;
        worldRight_ = Normalized(reference.Cross(d));
        line_ = Normalized(
            Math::Quaternion::RotationBetween(AxisZ, worldRight_).Rotate(lineDirection_));
        const Math::Vector4 across = !Math::Vector4::AreParallel(line_, d) ? -d : worldRight_;
        worldUp_ = Normalized(line_.Cross(across));
        worldRight_ = Normalized(worldUp_.Cross(line_));
        return;
    }
    line_ = Normalized(lineDirection_);
    if (Math::Vector4::AreParallel(line_, AxisY))
    {
        worldUp_ = Normalized(line_.Cross(AxisX));
        worldRight_ = Normalized(worldUp_.Cross(line_));
    }
    else
    {
        worldRight_ = Normalized(AxisY.Cross(line_));
        worldUp_ = Normalized(line_.Cross(worldRight_));
    }
}

void LineEmitterComponent::EmitParticle(Particle& particle)
{
    const f32 along = Math::RandRange(0.0f, lineLength_);
    particle.position = Math::Point4(worldPosition + worldDirection * along);
    const Math::Vector3& v = directionVariance_;
    const f32 x = Math::RandRange(-v.x, v.x);
    const f32 y = Math::RandRange(-v.y, v.y);
    const Math::Quaternion turn = AxisAngle(line_, v.z * Math::DEG_TO_RAD) *
                                  AxisAngle(worldUp_, y * Math::DEG_TO_RAD) *
                                  AxisAngle(worldRight_, x * Math::DEG_TO_RAD);
    particle.direction = turn.Rotate(line_) * static_cast<f32>(emissionType_);
    if (directionReflect_ == 1 && Math::RandomInt(0, 1) == 1)
        particle.direction = -particle.direction;
}

void LineEmitterComponent::DrawDebugShape(ParticleDebugShapes& shapes) const
{
    const Math::Point4 p0(modelMatrix_ * worldPosition);
    shapes.Add(Math::Segment3(p0, Math::Point4(p0 + worldDirection * lineLength_)),
               Math::ColorRGBA::Yellow, AxisWidth, false);
    shapes.Add(Math::Segment3(p0, Math::Point4(p0 + line_)),
               Math::ColorRGBA(0.0f, 0.0f, 1.0f, 1.0f), AxisWidth, false);
    shapes.Add(Math::Segment3(p0, Math::Point4(p0 + worldRight_)),
               Math::ColorRGBA(1.0f, 0.0f, 0.0f, 1.0f), AxisWidth, false);
    shapes.Add(Math::Segment3(p0, Math::Point4(p0 + worldUp_)),
               Math::ColorRGBA(0.0f, 1.0f, 0.0f, 1.0f), AxisWidth, false);
}
namespace
{
// Editor limits: line length, variation angles in degrees.
constexpr f32 EditorMaxLength = 16.0f;
constexpr f32 EditorFineStep = 0.01f;
constexpr s32 EditorTwoDecimals = 2;
constexpr f32 EditorMaxVariation = 180.0f;
constexpr s32 EditorOneDecimal = 1;
} // namespace

void LineEmitterComponent::BuildShapeEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    group.AddDirection("Line Direction", &emitterDirection_.x, nullptr, &SetFloat3Callback,
                       &GetFloat3Callback);
    PropertyAttributes length(-EditorMaxLength, EditorMaxLength, EditorFineStep);
    length.SetPrecision(EditorTwoDecimals);
    group.AddFloat("Line Length", &lineLength_, &length, &SetScalarCallback, &GetScalarCallback);
    group.AddEnum("Direction", &emissionType_, {{"Standard", 1}, {"None", 0}}, &SetScalarCallback,
                  &GetScalarCallback);
    group.AddEnum("Coordinate System", &coordinateSystem_, {{"Local Emitter", 0}, {"World", 1}},
                  &SetScalarCallback, &GetScalarCallback);
    group.AddDirection("Emit Direction", &lineDirection_.x, nullptr, &SetFloat3Callback,
                       &GetFloat3Callback);
    PropertyAttributes variation(0.0f, EditorMaxVariation, 1.0f);
    variation.SetPrecision(EditorOneDecimal);
    group.AddVector3("Emit Variation", &directionVariance_.x, variation, &SetScalarCallback,
                     &GetScalarCallback);
    group.AddEnum("Reflect", &directionReflect_, {{"True", 1}, {"False", 0}}, &SetScalarCallback,
                  &GetScalarCallback);
}

} // namespace Graphics
