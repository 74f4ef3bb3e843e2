#pragma once
// Registration of the scripting subsystem with the engine's factories. Script components are
// not made by the component factory: their owners create them (LuaComponent::Create), so the
// subsystem registers its system only.
class SystemFactory;

namespace Scripting
{
// The Lua system, under the name "ScriptingSystem".
void RegisterScriptingSystems(SystemFactory& factory);
} // namespace Scripting
