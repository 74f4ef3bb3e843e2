#pragma once
// Which script is calling an engine function: the call thunks record the Lua state around each
// bound call, so that an entry that refuses its arguments can name the script and line in its
// log line. Main thread only (every Lua state belongs to it).
#include <string>

struct lua_State;

namespace Scripting
{
// Records `state` as the caller and answers the one recorded before (restore it afterwards).
lua_State* SwapCallingState(lua_State* state);
// "<script file>:<line>" of the Lua function that made the running engine call; "a script"
// when the caller cannot be told (no call in progress, or one from C).
std::string CallingScriptName();
} // namespace Scripting
