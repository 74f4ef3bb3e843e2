#pragma once
// Registration of the engine core with the engine: its systems, its component classes and their
// type records. Game/Registration.cpp calls RegisterCore first, before every other subsystem.
class ComponentFactory;
class Engine;
class SystemFactory;

namespace Core
{
// Everything below, into the engine's system factory, its component factory and the type
// registry's list. Call it before Engine::Initialize and before the first component is created.
void RegisterCore(Engine& engine);

// The three parts of RegisterCore, for tests that build one factory on its own.
// "MessagingSystem", "ActionListSystem", "LogSystem", "ThreadPoolSystem", "AssetLoaderSystem"
// and "InputSystem".
void RegisterCoreSystems(SystemFactory& factory);
// The core group's component classes (pool 0, and pool 1 for the bone mounts and orbits that
// the graphics system drives).
void RegisterCoreComponents(ComponentFactory& factory);
// The members of the core component classes' type records, run by InitializeTypeRegistry.
void RegisterCoreTypeRecords();
} // namespace Core
