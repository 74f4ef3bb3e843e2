#pragma once
// Which script is calling an engine function: the call thunks record the Lua state around each
// bound call, so that an entry that refuses its arguments can name the script and line in its
// log line. Main thread only (every Lua state belongs to it).
#include "Math/Types.h"
#include <string>

struct lua_State;

namespace Scripting
{
namespace Detail
{
// The state of the script whose engine call is running; null outside every call.
extern lua_State* g_callingState;
} // namespace Detail

// Records `state` as the caller and answers the one recorded before (restore it afterwards).
// Every bound call does this, and only the log lines and requests that name the caller read it,
// so it is two plain stores, inlined into each thunk.
inline lua_State* SwapCallingState(lua_State* state)
{
    lua_State* const previous = Detail::g_callingState;
    Detail::g_callingState = state;
    return previous;
}
// "<script file>:<line>" of the Lua function that made the running engine call; "a script"
// when the caller cannot be told (no call in progress, or one from C).
std::string CallingScriptName();
// The id of the script component whose engine call is running; 0 when none is (no call in
// progress, or a state no component built).
u32 CallingScriptId();
} // namespace Scripting
