#include "Scripting/Namespace.h"
#include <cstring>

namespace Scripting
{
void GetOrCreateTable(lua_State* state, int tableIndex, const char* segment, std::size_t length)
{
    const int table = lua_absindex(state, tableIndex);
    lua_pushlstring(state, segment, length);
    lua_rawget(state, table);
    if (lua_type(state, -1) == LUA_TTABLE)
        return;

    lua_pop(state, 1);
    lua_newtable(state);
    lua_pushlstring(state, segment, length);
    lua_pushvalue(state, -2);
    lua_rawset(state, table);
}

Namespace::Namespace(lua_State* state, const char* path)
    : m_state(state), m_reference(LUA_NOREF), m_parent(nullptr)
{
    lua_rawgeti(state, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    const char* segment = path != nullptr ? path : "";
    while (*segment != '\0')
    {
        const char* dot = std::strchr(segment, '.');
        const std::size_t length =
            dot != nullptr ? static_cast<std::size_t>(dot - segment) : std::strlen(segment);
        if (length > 0)
        {
            GetOrCreateTable(state, -1, segment, length);
            lua_remove(state, -2);
        }
        segment += dot != nullptr ? length + 1 : length;
    }
    m_reference = luaL_ref(state, LUA_REGISTRYINDEX);
}

Namespace::Namespace(lua_State* state, int reference, const Namespace* parent)
    : m_state(state), m_reference(reference), m_parent(parent)
{
}

Namespace::Namespace(Namespace&& other) noexcept
    : m_state(other.m_state), m_reference(other.m_reference), m_parent(other.m_parent)
{
    other.m_reference = LUA_NOREF;
}

void Namespace::Close()
{
    if (m_state != nullptr && m_reference != LUA_NOREF)
        luaL_unref(m_state, LUA_REGISTRYINDEX, m_reference);
    m_reference = LUA_NOREF;
}

void Namespace::Push(lua_State* state) const
{
    if (state == m_state && state != nullptr)
        lua_rawgeti(state, LUA_REGISTRYINDEX, m_reference);
}

void Namespace::SetField(const char* name) const
{
    if (m_state == nullptr)
        return;
    if (m_reference == LUA_NOREF)
    {
        // A closed namespace stores nothing, but the value is still taken off the stack.
        lua_pop(m_state, 1);
        return;
    }
    Push(m_state);
    lua_insert(m_state, -2);
    lua_setfield(m_state, -2, name);
    lua_pop(m_state, 1);
}

Namespace Namespace::AddTable(const char* name) const
{
    if (!IsOpen())
        return Namespace(m_state, LUA_NOREF, this);
    Push(m_state);
    lua_newtable(m_state);
    lua_pushvalue(m_state, -1);
    lua_setfield(m_state, -3, name);
    const int reference = luaL_ref(m_state, LUA_REGISTRYINDEX);
    lua_pop(m_state, 1);
    return Namespace(m_state, reference, this);
}
} // namespace Scripting
