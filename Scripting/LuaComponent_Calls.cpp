// The call helpers of the Lua component and its reads of globals and table fields.
#include "Scripting/LuaComponent.h"
#include <cstring>

namespace Scripting
{
namespace
{
// Stack room a call needs beyond its arguments: the global table, and during a protected
// look-up its function, the table and the key (the function then takes the table's place).
constexpr int CallStackRoom = 4;
// Stack room of a read of a global or of a field of a global table.
constexpr int ReadStackRoom = CallStackRoom + 1;

// Whether `state` has room for `room` more values. Lua starts every frame that C code runs in
// (a C function's, the state's first one, a hook's) with at least LUA_MINSTACK free slots above
// the values it is given and never lowers a frame's end, so a frame holding at most
// LUA_MINSTACK - room values has the room; only a fuller one asks lua_checkstack, a call three
// times as long as lua_gettop.
[[gnu::always_inline]] inline bool HasStackRoom(lua_State* state, int room)
{
    return lua_gettop(state) <= LUA_MINSTACK - room || lua_checkstack(state, room);
}

// Runs inside lua_pcall: table[key] without metamethods, for argument 1 the table and argument
// 2 the key (a light userdata holding the C string).
int RawFieldProtected(lua_State* state)
{
    lua_pushstring(state, static_cast<const char*>(lua_touserdata(state, 2)));
    lua_rawget(state, 1);
    return 1;
}
} // namespace

void LuaComponent::PushRawField(int tableIndex, const char* key)
{
    const int table = lua_absindex(m_state, tableIndex);
    // Without a metatable lua_getfield is a raw look-up, and it makes its key without letting
    // the collector take a step (which lua_pushstring would).
    if (!lua_getmetatable(m_state, table))
    {
        lua_getfield(m_state, table, key);
        return;
    }
    lua_pop(m_state, 1);
    PushRawFieldProtected(table, key);
}

void LuaComponent::PushRawFieldProtected(int table, const char* key)
{
    lua_pushcfunction(m_state, &RawFieldProtected);
    lua_pushvalue(m_state, table);
    lua_pushlightuserdata(m_state, const_cast<char*>(key));
    if (lua_pcall(m_state, 2, 1, 0) != LUA_OK)
    {
        ReportScriptError();
        lua_pushnil(m_state);
    }
}

bool LuaComponent::BuildNameStack(lua_State* state)
{
    if (m_keptNames.Build(state))
        return true;
    Report(m_label + ": the script state could not be built: " + ErrorText(state), LoadReportLevel);
    lua_pop(state, 1);
    return false;
}

// Inlined into the call helpers: the global `name`, by name and without metamethods, through
// the name's string kept on the name stack. The look-up happens on every call, so a script that
// assigns a new function to the name is obeyed at once.
[[gnu::always_inline]] inline void LuaComponent::PushGlobal(const char* name)
{
    const std::size_t index = KeptNameStack::IndexOf(name);
    if (m_keptNames.PushKept(m_state, name, index))
        return;
    PushGlobalAndKeepName(name, index);
}

void LuaComponent::PushGlobalAndKeepName(const char* name, std::size_t index)
{
    lua_State* const state = m_state;
    lua_rawgeti(state, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    // Globals with a metatable: the protected raw look-up, nothing kept (rare).
    if (lua_getmetatable(state, -1))
    {
        lua_pop(state, 1);
        PushRawFieldProtected(lua_gettop(state), name);
        lua_replace(state, -2);
        return;
    }
    lua_pop(state, 1);
    if (!m_keptNames.Keep(state, name, index))
    {
        ReportScriptError();
        lua_pushnil(state);
    }
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
    if (!HasStackRoom(state, argumentCount + CallStackRoom))
        return ReportCallFailure(function, "there is no stack room to call it");

    PushGlobal(function);
    if (!lua_isfunction(state, -1))
    {
        if (missing == MissingFunction::Quiet)
            lua_pop(state, 1);
        else
            ReportMissingFunction(function);
        return false;
    }
    for (int i = 0; i < argumentCount; ++i)
        lua_pushnumber(state, arguments[i]);

    // A call made while another runs on this state (the engine calling back into the script
    // from a script API entry) belongs to the outer call and spends its budget: a fresh budget
    // there would let a loop around such an entry run for ever.
    if (m_callDepth == 0)
        m_limits.StartCall(state);
    ++m_callDepth;
    const int status = lua_pcall(state, argumentCount, resultCount, 0);
    --m_callDepth;
    if (m_releasePending)
        return EndReleasedCall(status);
    if (status != LUA_OK)
    {
        ReportScriptError();
        return false;
    }
    return true;
}

bool LuaComponent::ReportCallFailure(const char* function, const char* reason) const
{
    Report(ReportLabel() + ": " + function + ": " + reason, ScriptReportLevel);
    return false;
}

void LuaComponent::ReportScriptError()
{
    Report(ReportLabel() + ": " + ErrorText(m_state), ScriptReportLevel);
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

bool LuaComponent::CallWithThreeFloats(const char* function, f32 x, f32 y, f32 z)
{
    const lua_Number arguments[] = {static_cast<lua_Number>(x), static_cast<lua_Number>(y),
                                    static_cast<lua_Number>(z)};
    return CallProtected(function, arguments, 3, 0);
}

bool LuaComponent::CallWithTwoFloats(const char* function, f32 first, f32 second)
{
    const lua_Number arguments[] = {first, second};
    return CallProtected(function, arguments, 2, 0);
}

bool LuaComponent::CallWithIntAndShort(const char* function, s32 value, s16 shortValue)
{
    const lua_Number arguments[] = {static_cast<lua_Number>(value),
                                    static_cast<lua_Number>(shortValue)};
    return CallProtected(function, arguments, 2, 0);
}

// Each result is read from the top and popped; a reader that reported a type error has emptied
// the stack already. The helper answers true either way: the function did run. Inlined, and the
// reader a template argument, so that each helper below is the direct call it stands for.
template <class T, bool (LuaComponent::*Read)(T&, int)>
[[gnu::always_inline]] inline bool LuaComponent::CallAndRead(const char* function,
                                                             const lua_Number* arguments,
                                                             int argumentCount, T& result)
{
    if (!CallProtected(function, arguments, argumentCount, 1))
        return false;
    if ((this->*Read)(result, -1))
        lua_pop(m_state, 1);
    return true;
}

bool LuaComponent::CallReturnBool(const char* function, bool& result)
{
    return CallAndRead<bool, &LuaComponent::ReadBool>(function, nullptr, 0, result);
}

bool LuaComponent::CallReturnUnsigned(const char* function, u32& result)
{
    return CallAndRead<u32, &LuaComponent::ReadUnsigned>(function, nullptr, 0, result);
}

bool LuaComponent::CallReturnInt(const char* function, s32& result)
{
    return CallAndRead<s32, &LuaComponent::ReadInt>(function, nullptr, 0, result);
}

bool LuaComponent::CallBoolFunction(const char* function, u32 argument, bool& result)
{
    const lua_Number number = argument;
    return CallAndRead<bool, &LuaComponent::ReadBool>(function, &number, 1, result);
}

bool LuaComponent::CallUnsignedReturnString(const char* function, u32 argument, std::string& result)
{
    const lua_Number number = argument;
    return CallAndRead<std::string, &LuaComponent::ReadString>(function, &number, 1, result);
}

bool LuaComponent::CallIntReturnInt(const char* function, s32 argument, s32& result)
{
    const lua_Number number = argument;
    return CallAndRead<s32, &LuaComponent::ReadInt>(function, &number, 1, result);
}

bool LuaComponent::CallIntReturnString(const char* function, s32 argument, std::string& result)
{
    const lua_Number number = argument;
    return CallAndRead<std::string, &LuaComponent::ReadString>(function, &number, 1, result);
}

// Globals: pushed, read, popped; a reader's type error has emptied the stack already.
template <class T>
bool LuaComponent::ReadGlobal(const char* name, T& value, bool (LuaComponent::*read)(T&, int))
{
    if (m_state == nullptr)
        return (this->*read)(value, -1);
    if (!HasStackRoom(m_state, ReadStackRoom))
        return ReportCallFailure(name, "there is no stack room to read it");
    PushGlobal(name);
    const bool readValue = (this->*read)(value, -1);
    if (readValue)
        lua_pop(m_state, 1);
    return readValue;
}

bool LuaComponent::GetGlobalBool(const char* name, bool& value)
{
    return ReadGlobal(name, value, &LuaComponent::ReadBool);
}

bool LuaComponent::GetGlobalInt(const char* name, s32& value)
{
    return ReadGlobal(name, value, &LuaComponent::ReadInt);
}

bool LuaComponent::GetGlobalFloat(const char* name, f32& value)
{
    return ReadGlobal(name, value, &LuaComponent::ReadNumber);
}

bool LuaComponent::GetGlobalString(const char* name, std::string& value)
{
    return ReadGlobal(name, value, &LuaComponent::ReadString);
}

template <class T>
bool LuaComponent::ReadTableField(const char* table, const char* key, T& value,
                                  bool (LuaComponent::*read)(T&, int))
{
    if (m_state == nullptr)
        return ReportCallFailure(table, "there is no Lua state to read it in");
    if (!HasStackRoom(m_state, ReadStackRoom))
        return ReportCallFailure(table, "there is no stack room to read it");
    PushGlobal(table);
    bool readValue = false;
    if (lua_type(m_state, -1) == LUA_TTABLE)
    {
        PushRawField(-1, key);
        readValue = (this->*read)(value, -1);
    }
    ClearStack();
    return readValue;
}

bool LuaComponent::GetTableNumber(const char* table, const char* key, u32& value)
{
    return ReadTableField(table, key, value, &LuaComponent::ReadUnsigned);
}

bool LuaComponent::GetTableFloat(const char* table, const char* key, f32& value)
{
    return ReadTableField(table, key, value, &LuaComponent::ReadNumber);
}

bool LuaComponent::GetTableBool(const char* table, const char* key, bool& value)
{
    return ReadTableField(table, key, value, &LuaComponent::ReadBool);
}

bool LuaComponent::GetTableString(const char* table, const char* key, std::string& value)
{
    return ReadTableField(table, key, value, &LuaComponent::ReadString);
}
} // namespace Scripting
