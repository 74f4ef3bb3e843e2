#pragma once
// The script tables every Lua state gets. They are written above every system they drive
// (ScriptApi/), so Scripting does not know them: the layer that does sets one installer at
// registration (Game/Registration.cpp through Scripting::RegisterScriptTables, test programs
// the same way), before any script runs, and the script component opens every new state with
// it. Until one is set a state gets no tables.
//
// Main thread only: set the installer outside of any state's construction.
#include <lua.hpp>

namespace Scripting
{
// Installs every table and entry into the state; called inside the state's protected call.
using ScriptTableInstaller = void (*)(lua_State* state);

// Replaces the installer; null leaves new states without tables.
void SetScriptTableInstaller(ScriptTableInstaller installer);
bool HasScriptTableInstaller();

// Runs the installer on the state (inside a protected call: it allocates); nothing without one.
void OpenScriptTables(lua_State* state);
} // namespace Scripting
