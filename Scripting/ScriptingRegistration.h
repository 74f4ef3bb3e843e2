#pragma once
// Registration of the scripting subsystem with the engine. Game/Registration.cpp calls it after
// Serializer::RegisterSerializer. Script components are not made by the component factory:
// their owners create them (LuaComponent::Create), so the subsystem registers its system only.
// The script tables are Scripting's own (ScriptApi.cpp); an entry that must act at once on a
// later subsystem calls it through Scripting/ScriptServices.h.
class Engine;

namespace Scripting
{
// The Lua system, under the name "ScriptingSystem".
void RegisterScripting(Engine& engine);
} // namespace Scripting
