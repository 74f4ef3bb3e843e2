#pragma once
// Turns a system name into the one system of that name. Each subsystem registers its system
// classes through one explicit function (see Game/Registration.cpp); names are matched as whole
// strings with exact case. A class whose instance already exists is handed back unchanged,
// without a second Initialize.
#include "Math/Types.h"
#include <string>
#include <vector>

class LaunchOptions;
class SystemComponent;

class SystemFactory
{
public:
    // Builds a new system of the class (ordinary heap).
    using Creator = SystemComponent* (*)(const LaunchOptions& options);
    // The class's global instance, or null when none exists.
    using InstanceGetter = SystemComponent* (*)();

    struct Entry
    {
        std::string name;
        Creator create;
        InstanceGetter instance;
    };

    void Register(const std::string& name, Creator create, InstanceGetter instance);

    // Registers a class with a default constructor and a static Instance() getter.
    template <class T> void Register(const std::string& name)
    {
        Register(
            name, [](const LaunchOptions&) -> SystemComponent* { return new T(); },
            []() -> SystemComponent* { return T::Instance(); });
    }

    // The system of that name: the existing instance, or a new one initialised with the launch
    // flag word; null (nothing created, nothing logged) for an unknown name.
    SystemComponent* CreateSystem(const LaunchOptions& options, const std::string& name) const;

    const std::vector<Entry>& GetEntries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};
