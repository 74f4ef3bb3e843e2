#include "Scripting/ClassBuilder.h"

namespace Scripting
{
namespace
{
constexpr const char* ObjectUnpackField = "__object_unpack";
constexpr const char* ParentsUnpackField = "__parents_unpack_funcs";
} // namespace

void PrepareClassMetatable(lua_State* state, int metatableIndex)
{
    const int metatable = lua_absindex(state, metatableIndex);
    lua_pushcfunction(state, &BoundObjectEquals);
    lua_setfield(state, metatable, "__eq");
    lua_newtable(state);
    lua_setfield(state, metatable, ParentsUnpackField);
}

void FinishClassMetatable(lua_State* state, int metatableIndex)
{
    const int metatable = lua_absindex(state, metatableIndex);
    const int top = lua_gettop(state);

    lua_getfield(state, metatable, ObjectUnpackField);
    if (lua_type(state, -1) == LUA_TLIGHTUSERDATA)
    {
        const auto own = reinterpret_cast<UnpackFunction>(lua_touserdata(state, -1));
        lua_getfield(state, metatable, ParentsUnpackField);
        const int parents = lua_gettop(state);

        std::size_t count = 0;
        if (lua_type(state, parents) == LUA_TTABLE)
        {
            lua_pushnil(state);
            while (lua_next(state, parents) != 0)
            {
                ++count;
                lua_pop(state, 1);
            }
        }

        // Null-ended by the zeroed pair after the last entry.
        ParentConversion* array = StoreParentsConversionArray(state, own, count);
        if (count > 0)
        {
            std::size_t entry = 0;
            lua_pushnil(state);
            while (lua_next(state, parents) != 0)
            {
                array[entry].parentUnpack =
                    reinterpret_cast<UnpackFunction>(lua_touserdata(state, -2));
                array[entry].convert = reinterpret_cast<ConvertFunction>(lua_touserdata(state, -1));
                ++entry;
                lua_pop(state, 1);
            }
        }
    }
    lua_settop(state, top);

    lua_pushnil(state);
    lua_setfield(state, metatable, ObjectUnpackField);
    lua_pushnil(state);
    lua_setfield(state, metatable, ParentsUnpackField);
}

void OpenClassMetatable(lua_State* state, int metatableIndex, const Namespace& classTable,
                        const char* className, lua_CFunction collect)
{
    const int metatable = lua_absindex(state, metatableIndex);
    classTable.Push(state);
    lua_setfield(state, metatable, "__index");
    lua_pushstring(state, className);
    lua_setfield(state, metatable, ClassField);
    lua_pushcfunction(state, collect);
    lua_setfield(state, metatable, "__gc");
    RegisterBoundMetatable(state, metatable);

    classTable.Push(state);
    lua_newtable(state);
    lua_setmetatable(state, -2);
    lua_pop(state, 1);

    PrepareClassMetatable(state, metatable);
}

void SetClassConstructorFunction(lua_State* state, int metatableIndex, lua_CFunction constructor)
{
    lua_getfield(state, metatableIndex, "__index");
    if (lua_getmetatable(state, -1))
    {
        lua_pushcfunction(state, constructor);
        lua_setfield(state, -2, "__call");
        lua_pop(state, 1);
    }
    lua_pop(state, 1);
}

void AddEnumerationTable(const Namespace& classTable, const char* name,
                         const Enumerator* enumerators, std::size_t count)
{
    Namespace enumeration = classTable.AddTable(name);
    for (std::size_t i = 0; i < count; ++i)
    {
        lua_pushinteger(classTable.GetState(), enumerators[i].value);
        enumeration.SetField(enumerators[i].name);
    }
    enumeration.Close();
}

void AddParentConversion(lua_State* state, int metatableIndex, UnpackFunction own,
                         UnpackFunction parent, ConvertFunction convert)
{
    const int metatable = lua_absindex(state, metatableIndex);
    lua_pushlightuserdata(state, FunctionKey(own));
    lua_setfield(state, metatable, ObjectUnpackField);

    lua_getfield(state, metatable, ParentsUnpackField);
    lua_pushlightuserdata(state, FunctionKey(parent));
    lua_pushlightuserdata(state, FunctionKey(convert));
    lua_rawset(state, -3);
    lua_pop(state, 1);
}
} // namespace Scripting
