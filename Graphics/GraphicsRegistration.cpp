#include "Graphics/GraphicsRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Reflection/ComponentRootRecord.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/SystemFactory.h"
#include "Graphics/Assets/GraphicsAssets.h"
#include "Graphics/Components/AmbientLightComponent.h"
#include "Graphics/Components/AnimationControllerComponent.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Components/CameraControllerComponent.h"
#include "Graphics/Components/CameraMountComponent.h"
#include "Graphics/Components/CursorComponent.h"
#include "Graphics/Components/DirectionalLightComponent.h"
#include "Graphics/Components/GlowComponent.h"
#include "Graphics/Components/IntensityComponent.h"
#include "Graphics/Components/PointLightComponent.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Components/SpotLightComponent.h"
#include "Graphics/Components/TextComponent.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Particles/ParticleRegistration.h"
#include "Graphics/System/CameraSystem.h"

namespace Graphics
{
namespace
{
// Object mounts of the graphics side are named in the component tree, but the engine has no
// such class: the record keeps the name and the base, and size 0, since no object is made.
constexpr u32 ClasslessRecordSize = 0;

void RegisterGraphicsTypeRecords()
{
    static TypeRecord objectMount("Graphics::ObjectMountComponent", ClasslessRecordSize,
                                  &ComponentRootRecord(), false);
}
} // namespace

void RegisterGraphics(Engine& engine)
{
    engine.GetSystemFactory().Register<System::GraphicsSystem>("GraphicsSystem");
    engine.GetSystemFactory().Register<System::CameraSystem>("CameraSystem");
    // The graphics group, drawable components first, then the camera family.
    ComponentFactory& components = engine.GetFactory()->GetComponentFactory();
    components.Register<RenderComponent>(ComponentFactory::GraphicsPool);
    components.Register<AnimationControllerComponent>(ComponentFactory::GraphicsPool);
    components.Register<TextComponent>(ComponentFactory::GraphicsPool);
    components.Register<IntensityComponent>(ComponentFactory::GraphicsPool);
    components.Register<GlowComponent>(ComponentFactory::GraphicsPool);
    // The four light kinds; the light base is not creatable by name.
    components.Register<PointLightComponent>(ComponentFactory::GraphicsPool);
    components.Register<DirectionalLightComponent>(ComponentFactory::GraphicsPool);
    components.Register<SpotLightComponent>(ComponentFactory::GraphicsPool);
    components.Register<AmbientLightComponent>(ComponentFactory::GraphicsPool);
    components.Register<CameraComponent>(ComponentFactory::GraphicsPool);
    components.Register<CameraControllerComponent>(ComponentFactory::GraphicsPool);
    components.Register<CameraMountComponent>(ComponentFactory::GraphicsPool);
    components.Register<CursorComponent>(ComponentFactory::GraphicsPool);
    AddTypeRecordRegistration(&RegisterGraphicsTypeRecords);
    // Asset batches reach the graphics managers through their sections.
    GraphicsAssets::RegisterSections();
    RegisterParticles(engine);
}
} // namespace Graphics
