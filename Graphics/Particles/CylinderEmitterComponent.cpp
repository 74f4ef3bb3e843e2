#include "Graphics/Particles/CylinderEmitterComponent.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/Reflection/MemberTable.h"
#include "Graphics/Particles/EmitterShapeMath.h"
#include "Graphics/Particles/ParticleDebugShapes.h"
#include "Math/ColorRGBA.h"
#include "Math/Shapes/Circle3.h"
#include "Math/Shapes/Segment3.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::CylinderEmitterComponent,
                         &TypeRecordOf<Graphics::ParticleEmitterComponent>(), false)

namespace Graphics
{
using namespace EmitterShapeMath;

namespace
{
constexpr f32 OutlineWidth = 2.0f;
} // namespace

CylinderEmitterComponent::CylinderEmitterComponent()
    : ParticleEmitterComponent(CylinderShape), radiusBottom_(0.0f), radiusTop_(0.0f),
      radiusFill_(0.0f), radiusVariance_(0), height_(0.0f), emissionMode_(0)
{
}

const MemberTable<CylinderEmitterComponent>& CylinderEmitterComponent::Members()
{
    // The base's keys, then the cylinder's.
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, CylinderEmitterComponent, ReadRule::ByTag,
        MemberLinks<CylinderEmitterComponent>::Extending<ParticleEmitterComponent>(),
        QUILL_MEMBER(CylinderEmitterComponent, radiusBottom_, Written).Tag("RadiusBottom"),
        QUILL_MEMBER(CylinderEmitterComponent, radiusTop_, Written).Tag("RadiusTop"),
        QUILL_MEMBER(CylinderEmitterComponent, radiusFill_, Written).Tag("RadiusFill"),
        QUILL_MEMBER(CylinderEmitterComponent, radiusVariance_, Written).Tag("RadiusVariance"),
        QUILL_MEMBER(CylinderEmitterComponent, height_, Written).Tag("Height"),
        QUILL_MEMBER(CylinderEmitterComponent, emissionMode_, Written).Tag("EmissionDirection"));
    return table;
}

void CylinderEmitterComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void CylinderEmitterComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void CylinderEmitterComponent::EmitParticle(Particle& particle)
{
    const Math::Vector4 v = orientation_.Rotate(Math::Vector4::RandomDirectionXY());
    const f32 h = Math::RandRange(0.0f, height_);
    const f32 q = height_ != 0.0f ? h / height_ : 0.0f;
    const f32 radius = (1.0f - q) * radiusBottom_ + q * radiusTop_;
    particle.position =
        Math::Point4(worldPosition + v * (FillFactor(radiusFill_, radiusVariance_) * radius) +
                     worldDirection * h);
    particle.direction = v * static_cast<f32>(emissionMode_);
}

void CylinderEmitterComponent::DrawDebugShape(ParticleDebugShapes& shapes) const
{
    const Math::Point4 bottom(modelMatrix_ * worldPosition);
    const Math::Point4 top(bottom + worldDirection * height_);
    shapes.Add(Math::Circle3(bottom, worldDirection, radiusBottom_), Math::ColorRGBA::Yellow,
               OutlineWidth, true);
    shapes.Add(Math::Circle3(top, worldDirection, radiusTop_), Math::ColorRGBA::Yellow,
               OutlineWidth, true);
    shapes.Add(Math::Segment3(bottom, top), Math::ColorRGBA::Yellow, OutlineWidth, true);
}
namespace
{
// Editor limits of the radii and the height.
constexpr f32 EditorMaxRadius = 10.0f;
constexpr f32 EditorMaxHeight = 10.0f;
constexpr f32 EditorStep = 0.1f;
} // namespace

void CylinderEmitterComponent::BuildShapeEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    const PropertyAttributes size(0.0f, EditorMaxRadius, EditorStep);
    group.AddFloat("Radius Bottom", &radiusBottom_, &size, &SetScalarCallback, &GetScalarCallback);
    group.AddFloat("Radius Top", &radiusTop_, &size, &SetScalarCallback, &GetScalarCallback);
    group.AddFloat("Radius Fill", &radiusFill_, nullptr, &SetScalarCallback, &GetScalarCallback);
    group.AddEnum("Variance Type", &radiusVariance_, {{"Fill", -1}, {"Expand", 1}},
                  &SetScalarCallback, &GetScalarCallback);
    const PropertyAttributes height(-EditorMaxHeight, EditorMaxHeight, EditorStep);
    group.AddFloat("Height", &height_, &height, &SetScalarCallback, &GetScalarCallback);
    group.AddEnum("Direction", &emissionMode_, {{"Out", 1}, {"In", -1}, {"None", 0}},
                  &SetScalarCallback, &GetScalarCallback);
    group.AddDirection("Facing Direction", &emitterDirection_.x, nullptr, &SetFloat3Callback,
                       &GetFloat3Callback);
}

} // namespace Graphics
