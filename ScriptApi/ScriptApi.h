#pragma once
// The script API: the engine functions that every Lua state gets, in fifteen tables registered
// in a fixed order (the globals, Engine, Input, Mouse, Controller, Object, Particle, GameState,
// Audio, Graphics, Camera, Logic, Geometry, AssetLoader, test). Scripts call them through their
// tables, as Engine.Output("text"); the functions of the global table are plain globals.
//
// Conventions shared by every entry:
// - Arguments are plain values (integers, numbers read as 32-bit floats, strings, booleans),
//   converted as the call thunks say (Scripting/CallThunk.h); objects are named by their ids.
// - Most entries build one message from the engine's allocator, post it through the engine and
//   return before it is delivered; an entry that creates an object reserves the new id first
//   and returns it. Without memory for the message nothing is posted and one line is logged.
// - An entry that acts at once on a subsystem calls it directly (the tables sit above every
//   subsystem they drive); without that subsystem it does nothing and answers 0 or false.
// - The script component opens every state with these tables through the one installer that
//   Scripting::RegisterScriptTables sets (ScriptApi/ScriptApiRegistration.h).
// - An entry runs inside the script's protected call: whatever fails in it is reported as that
//   script's error and the script's caller goes on.
#include <lua.hpp>

namespace Scripting
{
// Installs every table and entry into the state (inside a protected call: it allocates).
void RegisterScriptApi(lua_State* state);

// The number of tables RegisterScriptApi makes.
constexpr int ScriptTableCount = 15;
} // namespace Scripting
