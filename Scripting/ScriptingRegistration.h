#pragma once
// Registration of the scripting subsystem with the engine. Game/Registration.cpp calls it after
// Serializer::RegisterSerializer. Script components are not made by the component factory:
// their owners create them (LuaComponent::Create), so the subsystem registers its system and
// the component's type record only.
// The script tables live above every subsystem they drive (ScriptApi/); their registration,
// Scripting::RegisterScriptTables, sets the installer of Scripting/ScriptTables.h.
class Engine;

namespace Scripting
{
// The Lua system, under the name "ScriptingSystem", and the script component's type record.
void RegisterScripting(Engine& engine);
} // namespace Scripting
