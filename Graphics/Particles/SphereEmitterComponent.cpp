#include "Graphics/Particles/SphereEmitterComponent.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/Reflection/MemberTable.h"
#include "Graphics/Particles/EmitterShapeMath.h"
#include "Graphics/Particles/ParticleDebugShapes.h"
#include "Math/ColorRGBA.h"
#include "Math/Shapes/Sphere3.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::SphereEmitterComponent,
                         &TypeRecordOf<Graphics::ParticleEmitterComponent>(), false)

namespace Graphics
{
using namespace EmitterShapeMath;

namespace
{
constexpr f32 OutlineWidth = 0.5f;
} // namespace

SphereEmitterComponent::SphereEmitterComponent()
    : ParticleEmitterComponent(SphereShape), radius_(0.0f), radiusFill_(0.0f), radiusVariance_(0),
      emissionMode_(0)
{
}

const MemberTable<SphereEmitterComponent>& SphereEmitterComponent::Members()
{
    // The base's keys, then the sphere's.
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, SphereEmitterComponent, ReadRule::ByTag,
        MemberLinks<SphereEmitterComponent>::Extending<ParticleEmitterComponent>(),
        QUILL_MEMBER(SphereEmitterComponent, radius_, Written).Tag("Radius"),
        QUILL_MEMBER(SphereEmitterComponent, radiusFill_, Written).Tag("RadiusFill"),
        QUILL_MEMBER(SphereEmitterComponent, radiusVariance_, Written).Tag("RadiusVariance"),
        QUILL_MEMBER(SphereEmitterComponent, emissionMode_, Written).Tag("EmissionDirection"));
    return table;
}

void SphereEmitterComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void SphereEmitterComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void SphereEmitterComponent::EmitParticle(Particle& particle)
{
    // World axes: a sphere looks the same however the emitter turns.
    const Math::Vector4 v = Math::Vector4::RandomDirection();
    particle.position =
        Math::Point4(worldPosition + v * (FillFactor(radiusFill_, radiusVariance_) * radius_));
    particle.direction = v * static_cast<f32>(emissionMode_);
}

void SphereEmitterComponent::DrawDebugShape(ParticleDebugShapes& shapes) const
{
    shapes.Add(Math::Sphere3(Math::Point4(modelMatrix_ * worldPosition), radius_),
               Math::ColorRGBA::Yellow, OutlineWidth, true);
}
namespace
{
// Editor limit of the radius.
constexpr f32 EditorMaxRadius = 10.0f;
constexpr f32 EditorStep = 0.1f;
} // namespace

void SphereEmitterComponent::BuildShapeEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    PropertyGroup* radius = group.AddGroup("Radius");
    const PropertyAttributes size(0.0f, EditorMaxRadius, EditorStep);
    radius->AddFloat("Radius", &radius_, &size, &SetScalarCallback, &GetScalarCallback);
    radius->AddFloat("Radius Fill", &radiusFill_, nullptr, &SetScalarCallback, &GetScalarCallback);
    radius->AddEnum("Variance Type", &radiusVariance_, {{"Fill", -1}, {"Expand", 1}},
                    &SetScalarCallback, &GetScalarCallback);
    radius->Define();
    group.AddEnum("Direction", &emissionMode_, {{"Out", 1}, {"In", -1}, {"None", 0}},
                  &SetScalarCallback, &GetScalarCallback);
}

} // namespace Graphics
