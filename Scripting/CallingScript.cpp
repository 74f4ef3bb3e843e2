#include "Scripting/CallingScript.h"
#include "Scripting/LuaComponent.h"
#include <lua.hpp>

namespace Scripting
{
namespace Detail
{
lua_State* g_callingState = nullptr;
} // namespace Detail

namespace
{
// Level 1 is the function that called the engine function (level 0 is the thunk itself).
constexpr int CallerLevel = 1;
} // namespace

std::string CallingScriptName()
{
    using Detail::g_callingState;
    lua_Debug frame{};
    if (g_callingState == nullptr || lua_getstack(g_callingState, CallerLevel, &frame) == 0 ||
        lua_getinfo(g_callingState, "Sl", &frame) == 0 || frame.source == nullptr ||
        frame.source[0] == '=')
        return "a script";
    std::string name = frame.short_src;
    if (frame.currentline > 0)
        name += ":" + std::to_string(frame.currentline);
    return name;
}

u32 CallingScriptId()
{
    const LuaComponent* script = LuaComponent::OfState(Detail::g_callingState);
    return script != nullptr ? script->GetId() : 0;
}
} // namespace Scripting
