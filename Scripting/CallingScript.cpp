#include "Scripting/CallingScript.h"
#include <lua.hpp>

namespace Scripting
{
namespace
{
lua_State* g_callingState = nullptr;
// Level 1 is the function that called the engine function (level 0 is the thunk itself).
constexpr int kCallerLevel = 1;
} // namespace

lua_State* SwapCallingState(lua_State* state)
{
    lua_State* previous = g_callingState;
    g_callingState = state;
    return previous;
}

std::string CallingScriptName()
{
    lua_Debug frame{};
    if (g_callingState == nullptr || lua_getstack(g_callingState, kCallerLevel, &frame) == 0 ||
        lua_getinfo(g_callingState, "Sl", &frame) == 0 || frame.source == nullptr ||
        frame.source[0] == '=')
        return "a script";
    std::string name = frame.short_src;
    if (frame.currentline > 0)
        name += ":" + std::to_string(frame.currentline);
    return name;
}
} // namespace Scripting
