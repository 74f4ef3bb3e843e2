#include "Core/Components/SystemRegistration.h"
#include "Core/Engine.h"
#include "Core/SystemComponent.h"

namespace Core
{
SystemComponent* FindSystem(const char* systemName)
{
    return g_Engine != nullptr ? g_Engine->GetSystem(systemName) : nullptr;
}

bool RegisterWithSystem(const char* systemName, GameObjectComponent* component)
{
    SystemComponent* system = FindSystem(systemName);
    if (system == nullptr)
        return false;
    system->Register(component);
    return true;
}

void UnregisterFromSystem(const char* systemName, GameObjectComponent* component)
{
    if (SystemComponent* system = FindSystem(systemName))
        system->Unregister(component);
}
} // namespace Core
