#include "Scripting/KeptNameStack.h"
#include "Scripting/ReadOnlyImage.h"

namespace Scripting
{
int KeptNameStack::KeepNameProtected(lua_State* state)
{
    const char* name = static_cast<const char*>(lua_touserdata(state, 1));
    lua_State* names = static_cast<lua_State*>(lua_touserdata(state, 2));
    const int slot = static_cast<int>(lua_tointeger(state, 3));
    lua_pushstring(state, name); // 4: the kept string
    lua_pushvalue(state, 4);
    lua_xmove(state, names, 1);
    lua_replace(names, slot);
    lua_pushvalue(names, GlobalsSlot);
    lua_xmove(names, state, 1); // 5: the global table
    lua_pushvalue(state, 4);
    lua_rawget(state, 5);
    lua_pushvalue(state, 4);
    return 2;
}

int KeptNameStack::MakeNameStackProtected(lua_State* state)
{
    const int nameSlots = static_cast<int>(lua_tointeger(state, 1));
    lua_State* names = lua_newthread(state);
    if (!lua_checkstack(names, FirstNameSlot + nameSlots))
        return luaL_error(state, "no stack room for the kept names");
    lua_rawgeti(state, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    lua_xmove(state, names, 1);
    for (int i = 0; i < nameSlots; ++i)
        lua_pushnil(names);
    lua_pushvalue(state, -1);
    luaL_ref(state, LUA_REGISTRYINDEX);
    return 1;
}

bool KeptNameStack::Build(lua_State* state)
{
    for (KeptName& entry : m_keptNames)
        entry = KeptName();
    m_names = nullptr;
    lua_pushcfunction(state, &MakeNameStackProtected);
    lua_pushinteger(state, static_cast<lua_Integer>(Count));
    if (lua_pcall(state, 1, 1, 0) != LUA_OK)
        return false;
    m_names = lua_tothread(state, -1);
    lua_pop(state, 1);
    return true;
}

bool KeptNameStack::Keep(lua_State* state, const char* name, std::size_t index)
{
    // The slot changes hands inside the protected call, so the entry is given up first.
    KeptName& entry = m_keptNames[index];
    entry = KeptName();
    // Making the string allocates, and an allocation may let the collector run a finalizer that
    // fails, or hit the state's memory limit: both must be errors of a protected call.
    lua_pushcfunction(state, &KeepNameProtected);
    lua_pushlightuserdata(state, const_cast<char*>(name));
    lua_pushlightuserdata(state, m_names);
    lua_pushinteger(state, FirstNameSlot + static_cast<int>(index));
    if (lua_pcall(state, 3, 2, 0) != LUA_OK)
        return false;
    // The stack: the value, the kept string (held by its slot once popped here).
    entry.m_name = name;
    entry.m_kept = lua_tostring(state, -1);
    entry.m_fixedText = ReadOnlyImage::Get().Holds(name);
    lua_pop(state, 1);
    return true;
}
} // namespace Scripting
