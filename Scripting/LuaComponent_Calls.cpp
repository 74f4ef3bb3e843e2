// The call helpers of the Lua component and its reads of globals and table fields.
#include "Scripting/LuaComponent.h"

namespace Scripting
{
namespace
{
// Stack room a call needs beyond its arguments: the global table and the name during the
// look-up (the function then takes the table's place).
constexpr int kCallStackRoom = 2;
} // namespace

void LuaComponent::PushGlobal(const char* name)
{
    lua_rawgeti(m_state, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    lua_pushstring(m_state, name);
    lua_rawget(m_state, -2);
    lua_replace(m_state, -2);
}

// Inlined into every helper: the look-up and the call are the whole cost of an engine-to-script
// call, which the Lua system makes for every script in every frame.
[[gnu::always_inline]] inline bool LuaComponent::CallProtected(const char* function,
                                                               const lua_Number* arguments,
                                                               int argumentCount, int resultCount,
                                                               MissingFunction missing)
{
    lua_State* const state = m_state;
    if (state == nullptr)
        return ReportCallFailure(function, "there is no Lua state to call it in");
    if (!lua_checkstack(state, argumentCount + kCallStackRoom))
        return ReportCallFailure(function, "there is no stack room to call it");

    PushGlobal(function);
    if (!lua_isfunction(state, -1))
    {
        if (missing == MissingFunction::Quiet)
            lua_pop(state, 1);
        else
            ReportTypeError("function");
        return false;
    }
    for (int i = 0; i < argumentCount; ++i)
        lua_pushnumber(state, arguments[i]);

    if (lua_pcall(state, argumentCount, resultCount, 0) != LUA_OK)
    {
        ReportScriptError();
        return false;
    }
    return true;
}

bool LuaComponent::ReportCallFailure(const char* function, const char* reason) const
{
    Report(m_label + ": " + function + ": " + reason, ScriptReportLevel);
    return false;
}

void LuaComponent::ReportScriptError()
{
    Report(m_label + ": " + ErrorText(m_state), ScriptReportLevel);
    // The error value took the place of the function and its arguments.
    lua_pop(m_state, 1);
}

bool LuaComponent::Call(const char* function)
{
    return CallProtected(function, nullptr, 0, 0);
}

bool LuaComponent::CallUpdate(f32 seconds)
{
    const lua_Number argument = seconds;
    const MissingFunction missing =
        m_updateReported ? MissingFunction::Quiet : MissingFunction::Report;
    if (CallProtected(UpdateFunction, &argument, 1, 0, missing))
        return true;

    // Reported once per state: a script without "Update" is a normal script, not a new fault
    // in every frame.
    if (m_state != nullptr)
    {
        PushGlobal(UpdateFunction);
        m_updateReported = !lua_isfunction(m_state, -1);
        lua_pop(m_state, 1);
    }
    return false;
}

bool LuaComponent::CallWithFloat(const char* function, f32 value)
{
    const lua_Number argument = value;
    return CallProtected(function, &argument, 1, 0);
}

bool LuaComponent::CallWithInt(const char* function, s32 value)
{
    const lua_Number argument = value;
    return CallProtected(function, &argument, 1, 0);
}

bool LuaComponent::CallWithUnsigned(const char* function, u32 value)
{
    const lua_Number argument = value;
    return CallProtected(function, &argument, 1, 0);
}

bool LuaComponent::CallWithTwoUnsigned(const char* function, u32 first, u32 second)
{
    const lua_Number arguments[] = {static_cast<lua_Number>(first),
                                    static_cast<lua_Number>(second)};
    return CallProtected(function, arguments, 2, 0);
}

bool LuaComponent::CallWithIntAndShort(const char* function, s32 value, s16 shortValue)
{
    const lua_Number arguments[] = {static_cast<lua_Number>(value),
                                    static_cast<lua_Number>(shortValue)};
    return CallProtected(function, arguments, 2, 0);
}

// Each result is read from the top and popped; a reader that reported a type error has emptied
// the stack already. The helper answers true either way: the function did run.
bool LuaComponent::CallReturnBool(const char* function, bool& result)
{
    if (!CallProtected(function, nullptr, 0, 1))
        return false;
    if (ReadBool(result, -1))
        lua_pop(m_state, 1);
    return true;
}

bool LuaComponent::CallReturnUnsigned(const char* function, u32& result)
{
    if (!CallProtected(function, nullptr, 0, 1))
        return false;
    if (ReadUnsigned(result, -1))
        lua_pop(m_state, 1);
    return true;
}

bool LuaComponent::CallReturnInt(const char* function, s32& result)
{
    if (!CallProtected(function, nullptr, 0, 1))
        return false;
    if (ReadInt(result, -1))
        lua_pop(m_state, 1);
    return true;
}

bool LuaComponent::CallBoolFunction(const char* function, u32 argument, bool& result)
{
    const lua_Number number = argument;
    if (!CallProtected(function, &number, 1, 1))
        return false;
    if (ReadBool(result, -1))
        lua_pop(m_state, 1);
    return true;
}

bool LuaComponent::CallUnsignedReturnString(const char* function, u32 argument, std::string& result)
{
    const lua_Number number = argument;
    if (!CallProtected(function, &number, 1, 1))
        return false;
    if (ReadString(result, -1))
        lua_pop(m_state, 1);
    return true;
}

bool LuaComponent::CallIntReturnInt(const char* function, s32 argument, s32& result)
{
    const lua_Number number = argument;
    if (!CallProtected(function, &number, 1, 1))
        return false;
    if (ReadInt(result, -1))
        lua_pop(m_state, 1);
    return true;
}

bool LuaComponent::CallIntReturnString(const char* function, s32 argument, std::string& result)
{
    const lua_Number number = argument;
    if (!CallProtected(function, &number, 1, 1))
        return false;
    if (ReadString(result, -1))
        lua_pop(m_state, 1);
    return true;
}

// Globals: pushed, read, popped; a reader's type error has emptied the stack already.
bool LuaComponent::GetGlobalBool(const char* name, bool& value)
{
    if (m_state == nullptr)
        return ReadBool(value, -1);
    PushGlobal(name);
    const bool read = ReadBool(value, -1);
    if (read)
        lua_pop(m_state, 1);
    return read;
}

bool LuaComponent::GetGlobalInt(const char* name, s32& value)
{
    if (m_state == nullptr)
        return ReadInt(value, -1);
    PushGlobal(name);
    const bool read = ReadInt(value, -1);
    if (read)
        lua_pop(m_state, 1);
    return read;
}

bool LuaComponent::GetGlobalFloat(const char* name, f32& value)
{
    if (m_state == nullptr)
        return ReadNumber(value, -1);
    PushGlobal(name);
    const bool read = ReadNumber(value, -1);
    if (read)
        lua_pop(m_state, 1);
    return read;
}

bool LuaComponent::GetGlobalString(const char* name, std::string& value)
{
    if (m_state == nullptr)
        return ReadString(value, -1);
    PushGlobal(name);
    const bool read = ReadString(value, -1);
    if (read)
        lua_pop(m_state, 1);
    return read;
}

bool LuaComponent::PushTableField(const char* table, const char* key)
{
    if (m_state == nullptr)
        return false;
    PushGlobal(table);
    if (lua_type(m_state, -1) != LUA_TTABLE)
    {
        lua_pop(m_state, 1);
        return false;
    }
    lua_pushstring(m_state, key);
    lua_rawget(m_state, -2);
    return true;
}

bool LuaComponent::GetTableNumber(const char* table, const char* key, u32& value)
{
    const bool read = PushTableField(table, key) && ReadUnsigned(value, -1);
    ClearStack();
    return read;
}

bool LuaComponent::GetTableFloat(const char* table, const char* key, f32& value)
{
    const bool read = PushTableField(table, key) && ReadNumber(value, -1);
    ClearStack();
    return read;
}

bool LuaComponent::GetTableBool(const char* table, const char* key, bool& value)
{
    const bool read = PushTableField(table, key) && ReadBool(value, -1);
    ClearStack();
    return read;
}

bool LuaComponent::GetTableString(const char* table, const char* key, std::string& value)
{
    const bool read = PushTableField(table, key) && ReadString(value, -1);
    ClearStack();
    return read;
}
} // namespace Scripting
