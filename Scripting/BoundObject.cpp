#include "Scripting/BoundObject.h"
#include "Scripting/LuaNumbers.h"
#include <cstring>

namespace Scripting
{
namespace
{
constexpr const char* EnumField = "is_enum";
// The registry key of the table that lists the metatables of bound classes (as keys).
const char BoundMetatablesKey = 0;
} // namespace

void RegisterBoundMetatable(lua_State* state, int index)
{
    const int metatable = lua_absindex(state, index);
    lua_rawgetp(state, LUA_REGISTRYINDEX, &BoundMetatablesKey);
    if (lua_type(state, -1) != LUA_TTABLE)
    {
        lua_pop(state, 1);
        lua_newtable(state);
        lua_pushvalue(state, -1);
        lua_rawsetp(state, LUA_REGISTRYINDEX, &BoundMetatablesKey);
    }
    lua_pushvalue(state, metatable);
    lua_pushboolean(state, 1);
    lua_rawset(state, -3);
    lua_pop(state, 1);
}

void* FunctionKey(UnpackFunction function)
{
    return reinterpret_cast<void*>(function);
}

void* FunctionKey(ConvertFunction function)
{
    return reinterpret_cast<void*>(function);
}

BoundObject* ToBoundObject(lua_State* state, int index)
{
    if (lua_type(state, index) != LUA_TUSERDATA || lua_rawlen(state, index) < sizeof(BoundObject))
        return nullptr;
    if (!lua_getmetatable(state, index))
        return nullptr;
    lua_rawgetp(state, LUA_REGISTRYINDEX, &BoundMetatablesKey);
    bool isBound = false;
    if (lua_type(state, -1) == LUA_TTABLE)
    {
        lua_pushvalue(state, -2);
        lua_rawget(state, -2);
        isBound = lua_toboolean(state, -1) != 0;
        lua_pop(state, 1);
    }
    if (isBound)
    {
        lua_pushstring(state, ClassField);
        lua_rawget(state, -3);
        isBound = lua_type(state, -1) == LUA_TSTRING;
        lua_pop(state, 1);
    }
    lua_pop(state, 2);
    return isBound ? static_cast<BoundObject*>(lua_touserdata(state, index)) : nullptr;
}

void* UnpackBoundObjectAddress(lua_State* state, int index, UnpackFunction expected, bool& isConst)
{
    const int top = lua_gettop(state);
    isConst = true;
    void* address = nullptr;

    if (BoundObject* block = ToBoundObject(state, index))
    {
        isConst = block->GetHold() == HoldsConstPointer;
        const UnpackRecord record{block, block->GetValue()};
        if (block->unpack == expected)
        {
            address = expected(record);
        }
        else if (block->unpack != nullptr && block->parents != nullptr)
        {
            if (void* own = block->unpack(record))
            {
                for (const ParentConversion* pair = block->parents; pair->parentUnpack != nullptr;
                     ++pair)
                {
                    if (pair->parentUnpack == expected)
                    {
                        address = pair->convert(own);
                        break;
                    }
                }
            }
        }
    }

    lua_settop(state, top);
    return address;
}

int BoundObjectEquals(lua_State* state)
{
    void* addresses[2] = {nullptr, nullptr};
    for (int operand = 0; operand < 2; ++operand)
    {
        BoundObject* block = ToBoundObject(state, operand + 1);
        if (block != nullptr && block->unpack != nullptr)
            addresses[operand] = block->unpack(UnpackRecord{block, block->GetValue()});
    }
    lua_pushboolean(state, addresses[0] != nullptr && addresses[0] == addresses[1]);
    return 1;
}

const ParentConversion* FindParentsConversionArray(lua_State* state, UnpackFunction unpack)
{
    lua_getfield(state, LUA_REGISTRYINDEX, ParentsConversionTable);
    if (lua_type(state, -1) != LUA_TTABLE)
    {
        lua_pop(state, 1);
        return nullptr;
    }
    lua_pushlightuserdata(state, FunctionKey(unpack));
    lua_rawget(state, -2);
    const auto* array = lua_type(state, -1) == LUA_TUSERDATA
                            ? static_cast<const ParentConversion*>(lua_touserdata(state, -1))
                            : nullptr;
    lua_pop(state, 2);
    return array;
}

ParentConversion* StoreParentsConversionArray(lua_State* state, UnpackFunction unpack,
                                              std::size_t count)
{
    lua_getfield(state, LUA_REGISTRYINDEX, ParentsConversionTable);
    if (lua_type(state, -1) != LUA_TTABLE)
    {
        lua_pop(state, 1);
        lua_newtable(state);
        lua_pushvalue(state, -1);
        lua_setfield(state, LUA_REGISTRYINDEX, ParentsConversionTable);
    }

    const std::size_t bytes = (count + 1) * sizeof(ParentConversion);
    auto* array = static_cast<ParentConversion*>(lua_newuserdata(state, bytes));
    std::memset(static_cast<void*>(array), 0, bytes);
    lua_pushlightuserdata(state, FunctionKey(unpack));
    lua_insert(state, -2);
    lua_rawset(state, -3);
    lua_pop(state, 1);
    return array;
}

s32 ReadIntegerArgument(lua_State* state, int index)
{
    int isNumber = 0;
    const lua_Number number = lua_tonumberx(state, index, &isNumber);
    if (isNumber)
        return NumberToS32(number);

    // Only a full userdata has a block to read the enumeration value from.
    if (lua_type(state, index) != LUA_TUSERDATA || lua_rawlen(state, index) < sizeof(s32))
        return 0;
    if (!luaL_getmetafield(state, index, EnumField))
        return 0;
    lua_pop(state, 1);
    s32 value = 0;
    std::memcpy(&value, lua_touserdata(state, index), sizeof(value));
    return value;
}
} // namespace Scripting
