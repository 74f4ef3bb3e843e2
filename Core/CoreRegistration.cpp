#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/LaunchOptions.h"
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
} // namespace Core
