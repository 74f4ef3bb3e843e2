#include "Graphics/Particles/ParticleRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Reflection/ComponentRootRecord.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/SystemFactory.h"
#include "Graphics/Particles/CircleEmitterComponent.h"
#include "Graphics/Particles/CubeEmitterComponent.h"
#include "Graphics/Particles/CylinderEmitterComponent.h"
#include "Graphics/Particles/LineEmitterComponent.h"
#include "Graphics/Particles/MeshEmitterComponent.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/Particles/ParticleSystemComponent.h"
#include "Graphics/Particles/PointEmitterComponent.h"
#include "Graphics/Particles/SphereEmitterComponent.h"
#include "Graphics/Particles/SquareEmitterComponent.h"

namespace Graphics
{
namespace
{
// Particle influencers are named in the component tree, but the engine has no influencer
// classes: their records keep the names and bases, and size 0, since no object is made.
constexpr u32 ClasslessRecordSize = 0;

void RegisterParticleTypeRecords()
{
    static TypeRecord influencer("Graphics::ParticleInfluencerComponent", ClasslessRecordSize,
                                 &ComponentRootRecord(), false);
    static TypeRecord magnet("Graphics::MagnetInfluencerComponent", ClasslessRecordSize,
                             &influencer, false);
    static TypeRecord oscillator("Graphics::OscillatorInfluencerComponent", ClasslessRecordSize,
                                 &influencer, false);
    ParticleEmitterComponent::RegisterMembers();
}
} // namespace

void RegisterParticles(Engine& engine)
{
    engine.GetSystemFactory().Register<System::ParticleEffectSystem>(
        System::ParticleEffectSystem::SystemName);
    ComponentFactory& components = engine.GetFactory()->GetComponentFactory();
    components.Register<ParticleSystemComponent>(ComponentFactory::GraphicsPool);
    components.Register<PointEmitterComponent>(ComponentFactory::GraphicsPool);
    components.Register<CircleEmitterComponent>(ComponentFactory::GraphicsPool);
    components.Register<LineEmitterComponent>(ComponentFactory::GraphicsPool);
    components.Register<SquareEmitterComponent>(ComponentFactory::GraphicsPool);
    components.Register<SphereEmitterComponent>(ComponentFactory::GraphicsPool);
    components.Register<CylinderEmitterComponent>(ComponentFactory::GraphicsPool);
    components.Register<CubeEmitterComponent>(ComponentFactory::GraphicsPool);
    components.Register<MeshEmitterComponent>(ComponentFactory::GraphicsPool);
    AddTypeRecordRegistration(&RegisterParticleTypeRecords);
}
} // namespace Graphics
