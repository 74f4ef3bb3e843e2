// The call helpers of the Lua component and its reads of globals and table fields.
#include "Scripting/LuaComponent.h"
#include <cstdint>
#include <cstring>

namespace Scripting
{
namespace
{
// Stack room a call needs beyond its arguments: the global table, and during a protected
// look-up its function, the table and the key (the function then takes the table's place).
constexpr int kCallStackRoom = 4;
// Stack room of a read of a global or of a field of a global table.
constexpr int kReadStackRoom = kCallStackRoom + 1;

// Global names as Lua strings kept in the registry (by luaL_ref), so that a call does not make
// (hash and intern) its function's name again. Each component keeps a few, indexed by the name's
// address; an entry is used only when the registry still holds the very string it kept (the same
// string object) and that string reads the same as the name, so a name whose memory now holds
// other text, or a state made again after a reload, only costs a new string.
constexpr unsigned kKeptNameShift = 4;

std::size_t KeptNameIndex(const char* name, std::size_t count)
{
    const auto address = reinterpret_cast<std::uintptr_t>(name);
    return (address ^ (address >> kKeptNameShift)) % count;
}

// Both NUL-terminated; short names, so a plain loop beats a library call.
[[gnu::always_inline]] inline bool SameText(const char* a, const char* b)
{
    while (*a == *b)
    {
        if (*a == '\0')
            return true;
        ++a;
        ++b;
    }
    return false;
}

// Runs inside lua_pcall: table[key] without metamethods, for argument 1 the table and argument
// 2 the key (a light userdata holding the C string).
int RawFieldProtected(lua_State* state)
{
    lua_pushstring(state, static_cast<const char*>(lua_touserdata(state, 2)));
    lua_rawget(state, 1);
    return 1;
}
// Runs inside lua_pcall: makes the global name's string for argument 1 (a light userdata holding
// the C string), keeps it in the registry under the reference of argument 2 (LUA_NOREF: a new
// one) and answers the global's value (raw), the reference and the string.
int KeepNameProtected(lua_State* state)
{
    const char* name = static_cast<const char*>(lua_touserdata(state, 1));
    int reference = static_cast<int>(lua_tointeger(state, 2));
    lua_pushstring(state, name); // 3: the kept string
    lua_pushvalue(state, 3);
    if (reference != LUA_NOREF)
        lua_rawseti(state, LUA_REGISTRYINDEX, reference);
    else
        reference = luaL_ref(state, LUA_REGISTRYINDEX);
    lua_rawgeti(state, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    lua_pushvalue(state, 3);
    lua_rawget(state, -2);
    lua_pushinteger(state, reference);
    lua_pushvalue(state, 3);
    return 3;
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

// Inlined into the call helpers: the global `name`, by name and without metamethods, through
// the name's string kept in the registry. The look-up happens on every call, so a script that
// assigns a new function to the name is obeyed at once.
[[gnu::always_inline]] inline void LuaComponent::PushGlobal(const char* name)
{
    lua_State* const state = m_state;
    lua_rawgeti(state, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    KeptName& entry = m_keptNames[KeptNameIndex(name, KeptNameCount)];
    if (entry.state == state && entry.name == name)
    {
        lua_rawgeti(state, LUA_REGISTRYINDEX, entry.reference);
        // Whatever the slot holds now, what is used as the key is the value on the stack, and
        // only when its characters are the kept ones and read as the name. (A number there
        // would be converted on the stack only, never in the registry.)
        if (lua_tostring(state, -1) == entry.kept && SameText(entry.kept, name))
        {
            lua_rawget(state, -2); // a raw get with a ready key neither allocates nor raises
            lua_replace(state, -2);
            return;
        }
        lua_pop(state, 1);
    }
    PushGlobalAndKeepName(name, entry);
}

void LuaComponent::PushGlobalAndKeepName(const char* name, KeptName& entry)
{
    // Globals with a metatable: the protected raw look-up, nothing kept (rare).
    if (lua_getmetatable(m_state, -1))
    {
        lua_pop(m_state, 1);
        PushRawFieldProtected(lua_gettop(m_state), name);
        lua_replace(m_state, -2);
        return;
    }
    // The entry's old reference is reused when it still holds the entry's own string, so the
    // registry holds at most one kept name per entry and state. (Reading a string allocates
    // nothing.)
    bool reuse = false;
    if (entry.state == m_state)
    {
        lua_rawgeti(m_state, LUA_REGISTRYINDEX, entry.reference);
        reuse = lua_type(m_state, -1) == LUA_TSTRING && lua_tostring(m_state, -1) == entry.kept;
        lua_pop(m_state, 1);
    }
    // Making the string allocates, and an allocation may let the collector run a finalizer that
    // fails, or hit the state's memory limit: both must be errors of a protected call.
    lua_pushcfunction(m_state, &KeepNameProtected);
    lua_pushlightuserdata(m_state, const_cast<char*>(name));
    lua_pushinteger(m_state, reuse ? entry.reference : LUA_NOREF);
    if (lua_pcall(m_state, 2, 3, 0) != LUA_OK)
    {
        ReportScriptError();
        lua_pushnil(m_state);
        lua_replace(m_state, -2);
        return;
    }
    // The stack: the global table, the value, the reference, the kept string.
    entry.state = m_state;
    entry.name = name;
    entry.reference = static_cast<int>(lua_tointeger(m_state, -2));
    entry.kept = lua_tostring(m_state, -1);
    lua_pop(m_state, 2);
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
    if (!lua_checkstack(m_state, kReadStackRoom))
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
    if (!lua_checkstack(m_state, kReadStackRoom))
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
