#include "Core/CoreRegistration.h"
#include "Core/Components/ActionListComponent.h"
#include "Core/Components/NaturalTypingComponent.h"
#include "Core/Components/ObjectBoneMountsComponent.h"
#include "Core/Components/ObjectMountsComponent.h"
#include "Core/Components/OrbitComponent.h"
#include "Core/Components/TestComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/LaunchOptions.h"
#include "Core/Objects/ComponentFactory.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Core/System/ActionListSystem.h"
#include "Core/System/AssetLoaderSystem.h"
#include "Core/System/InputSystem.h"
#include "Core/System/LogSystem.h"
#include "Core/System/MessageSystem.h"
#include "Core/System/ThreadPool.h"
#include "Core/SystemFactory.h"

namespace Core
{
namespace
{
SystemComponent* CreateLogSystem(const LaunchOptions& options)
{
    // With "-out" the log opens its file, whatever the name field holds.
    if (options.GetFlags() & LaunchOptions::OutFile)
        return new System::LogSystem(options.GetOutputFile());
    return new System::LogSystem();
}

// The pool's slot count is the launch options' worker-thread count.
SystemComponent* CreateThreadPool(const LaunchOptions& options)
{
    return new System::ThreadPool(options.GetThreadCount());
}
} // namespace

void RegisterCore(Engine& engine)
{
    RegisterCoreSystems(engine.GetSystemFactory());
    RegisterCoreComponents(engine.GetFactory()->GetComponentFactory());
    AddTypeRecordRegistration(&RegisterCoreTypeRecords);
}

void RegisterCoreSystems(SystemFactory& factory)
{
    factory.Register<System::MessageSystem>("MessagingSystem");
    factory.Register<System::ActionListSystem>("ActionListSystem");
    factory.Register("LogSystem", CreateLogSystem,
                     []() -> SystemComponent* { return System::LogSystem::Instance(); });
    factory.Register("ThreadPoolSystem", CreateThreadPool,
                     []() -> SystemComponent* { return System::ThreadPool::Instance(); });
    factory.Register<System::AssetLoaderSystem>("AssetLoaderSystem");
    factory.Register<System::InputSystem>("InputSystem");
}

void RegisterCoreComponents(ComponentFactory& factory)
{
    // The core group, in its table order.
    factory.Register<ActionListComponent>(ComponentFactory::CorePool);
    factory.Register<TransformComponent>(ComponentFactory::CorePool);
    factory.Register<ObjectMountsComponent>(ComponentFactory::CorePool);
    factory.Register<TestComponent>(ComponentFactory::CorePool);
    factory.Register<NaturalTypingComponent>(ComponentFactory::CorePool);
    // Driven by the graphics system, so they share the graphics group's pool.
    factory.Register<ObjectBoneMountsComponent>(ComponentFactory::GraphicsPool);
    factory.Register<OrbitComponent>(ComponentFactory::GraphicsPool);
}

void RegisterCoreTypeRecords()
{
    ActionListComponent::RegisterMembers();
    TransformComponent::RegisterMembers();
    ObjectMountsComponent::RegisterMembers();
    TestComponent::RegisterMembers();
    NaturalTypingComponent::RegisterMembers();
}
} // namespace Core
