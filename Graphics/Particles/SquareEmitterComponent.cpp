#include "Graphics/Particles/SquareEmitterComponent.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/Reflection/MemberTable.h"
#include "Graphics/Particles/EmitterShapeMath.h"
#include "Graphics/Particles/ParticleDebugShapes.h"
#include "Math/ColorRGBA.h"
#include "Math/Shapes/Rectangle3.h"
#include <cmath>

QUILL_DEFINE_TYPE_RECORD(Graphics::SquareEmitterComponent,
                         &TypeRecordOf<Graphics::ParticleEmitterComponent>(), false)

namespace Graphics
{
using namespace EmitterShapeMath;

namespace
{
constexpr f32 OutlineWidth = 2.0f;
constexpr f32 Half = 0.5f;
} // namespace

SquareEmitterComponent::SquareEmitterComponent()
    : ParticleEmitterComponent(SquareShape), width_(0.0f), height_(0.0f), scaleFill_(0.0f),
      scaleVariance_(0), emissionMode_(0)
{
}

const MemberTable<SquareEmitterComponent>& SquareEmitterComponent::Members()
{
    // The base's keys, then the square's.
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, SquareEmitterComponent, ReadRule::ByTag,
        MemberLinks<SquareEmitterComponent>::Extending<ParticleEmitterComponent>(),
        QUILL_MEMBER(SquareEmitterComponent, width_, Written).Tag("Width"),
        QUILL_MEMBER(SquareEmitterComponent, height_, Written).Tag("Height"),
        QUILL_MEMBER(SquareEmitterComponent, scaleFill_, Written).Tag("ScaleFill"),
        QUILL_MEMBER(SquareEmitterComponent, scaleVariance_, Written).Tag("ScaleVariance"),
        QUILL_MEMBER(SquareEmitterComponent, emissionMode_, Written).Tag("EmissionDirection"));
    return table;
}

void SquareEmitterComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void SquareEmitterComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void SquareEmitterComponent::UpdateBasis(f32)
{
    PointBasis(worldDirection, worldUp_, worldRight_);
}

void SquareEmitterComponent::EmitParticle(Particle& particle)
{
    particle.position = worldPosition;
    f32 k = FillFactor(scaleFill_, scaleVariance_);
    if (Coin())
        k = -k;
    // How far past the corners a side may run: the fill band, none when filling inwards.
    const f32 m =
        (scaleFill_ > 0.0f && scaleVariance_ == FillVariance) ? 0.0f : std::fabs(scaleFill_);
    const f32 halfWidth = width_ * Half;
    const f32 halfHeight = height_ * Half;
    if (!Coin())
    {
        const f32 across = Math::RandRange(-(1.0f + m) * halfWidth, (1.0f + m) * halfWidth);
        particle.position += worldRight_ * across;
        particle.position += worldUp_ * (halfHeight * k);
    }
    else
    {
        particle.position += worldRight_ * (halfWidth * k);
        const f32 across = Math::RandRange(-(1.0f + m) * halfHeight, (1.0f + m) * halfHeight);
        particle.position += worldUp_ * across;
    }
    particle.direction =
        Normalized((particle.position - worldPosition) * static_cast<f32>(emissionMode_));
    particle.direction.w = 0.0f;
}

void SquareEmitterComponent::DrawDebugShape(ParticleDebugShapes& shapes) const
{
    const Math::Point4 p0(modelMatrix_ * worldPosition);
    shapes.Add(Math::Rectangle3(p0, worldRight_, worldUp_, width_ * Half, height_ * Half),
               Math::ColorRGBA::Yellow, OutlineWidth, true);
}
namespace
{
// Editor limit of the rectangle's sides.
constexpr f32 EditorMaxSize = 10.0f;
constexpr f32 EditorStep = 0.1f;
} // namespace

void SquareEmitterComponent::BuildShapeEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    PropertyGroup* scale = group.AddGroup("Scale");
    const PropertyAttributes size(0.0f, EditorMaxSize, EditorStep);
    scale->AddFloat("Width", &width_, &size, &SetScalarCallback, &GetScalarCallback);
    scale->AddFloat("Height", &height_, &size, &SetScalarCallback, &GetScalarCallback);
    scale->AddFloat("Radius Fill", &scaleFill_, nullptr, &SetScalarCallback, &GetScalarCallback);
    scale->AddEnum("Variance Type", &scaleVariance_, {{"Fill", -1}, {"Expand", 1}},
                   &SetScalarCallback, &GetScalarCallback);
    scale->Define();
    group.AddEnum("Direction", &emissionMode_, {{"Out", 1}, {"In", -1}, {"None", 0}},
                  &SetScalarCallback, &GetScalarCallback);
    group.AddDirection("Facing Direction", &emitterDirection_.x, nullptr, &SetFloat3Callback,
                       &GetFloat3Callback);
}

} // namespace Graphics
