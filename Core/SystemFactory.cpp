#include "Core/SystemFactory.h"
#include "Core/LaunchOptions.h"
#include "Core/SystemComponent.h"

void SystemFactory::Register(const std::string& name, Creator create, InstanceGetter instance)
{
    for (Entry& entry : m_entries)
    {
        if (entry.name == name)
        {
            entry.create = create;
            entry.instance = instance;
            return;
        }
    }
    m_entries.push_back(Entry{name, create, instance});
}

SystemComponent* SystemFactory::CreateSystem(const LaunchOptions& options,
                                             const std::string& name) const
{
    for (const Entry& entry : m_entries)
    {
        if (entry.name != name)
            continue;
        if (SystemComponent* existing = entry.instance())
            return existing;
        SystemComponent* system = entry.create(options);
        if (system != nullptr)
            system->Initialize(options.GetFlags());
        return system;
    }
    return nullptr;
}
