#pragma once
// Engine objects as Lua userdata. Every userdata that stands for an engine object is a
// BoundObject block: a small header that says how the object is held and how to find its
// address, even as one of its ancestor classes, followed directly by the value.
//
// Conventions:
// - A bound class is identified by the address of its unpack function (UnpackObject<T>); a
//   class with ancestors has a parents conversion array, kept in the registry table
//   "LUA_ParentsConversionArray" under its unpack function.
// - Only a userdata whose metatable carries "__class" and was made by the class builder (it is
//   listed in the registry table that scripts cannot reach) is taken for a bound object, so a
//   foreign userdata (a file handle, say, even one whose metatable a script gave a "__class")
//   passed where an object is expected reads as no object.
// - Values are at most 8-byte aligned, the alignment Lua gives userdata blocks.
#include "Math/Types.h"
#include <cstddef>
#include <lua.hpp>
#include <new>

namespace Scripting
{
struct BoundObject;

// The two addresses an unpack function works from.
struct UnpackRecord
{
    BoundObject* block;
    void* value;
};

// Returns the object's address as its own class, or null when the block holds nothing.
using UnpackFunction = void* (*)(const UnpackRecord& record);
// Turns an object's address into the address of one of its ancestor classes.
using ConvertFunction = void* (*)(void* object);

// One entry of a parents conversion array; the array ends with a pair of nulls.
struct ParentConversion
{
    UnpackFunction parentUnpack;
    ConvertFunction convert;
};

// How a block holds its object (the low two bits of the flags).
enum BoundObjectHold : u32
{
    HoldsNothing = 0,
    HoldsInline = 1,       // the object itself follows the header
    HoldsPointer = 2,      // a pointer to an object the script does not own
    HoldsConstPointer = 3, // the same, and only constant methods may be called
    HoldMask = 3,
};

struct BoundObject
{
    u32 flags;
    UnpackFunction unpack;
    const ParentConversion* parents;

    u32 GetHold() const { return flags & HoldMask; }
    // Where the value (the object, or the pointer to it) starts.
    void* GetValue() { return reinterpret_cast<unsigned char*>(this) + sizeof(BoundObject); }
};

// Lua aligns userdata blocks for a double, a pointer or a long: 8 bytes here.
constexpr std::size_t BoundValueAlignment = 8;
static_assert(sizeof(BoundObject) % BoundValueAlignment == 0,
              "the value must start 8-byte aligned after the header");

// The registry table that holds every class's parents conversion array.
constexpr const char* ParentsConversionTable = "LUA_ParentsConversionArray";
// The metatable field that marks a bound class (its dotted name).
constexpr const char* ClassField = "__class";

// The unpack function of class T; its address identifies T.
template <class T> void* UnpackObject(const UnpackRecord& record)
{
    switch (record.block->GetHold())
    {
    case HoldsInline:
        return static_cast<T*>(record.value);
    case HoldsPointer:
    case HoldsConstPointer:
        return *static_cast<T**>(record.value);
    default:
        return nullptr;
    }
}

// The conversion from T to its ancestor Parent, for the parents conversion array.
template <class T, class Parent> void* ConvertToParent(void* object)
{
    return static_cast<Parent*>(static_cast<T*>(object));
}

// The block at `index` when it is a bound object, else null.
BoundObject* ToBoundObject(lua_State* state, int index);
// Lists the metatable at `index` as one of a bound class.
void RegisterBoundMetatable(lua_State* state, int index);

// The object at `index` as the class whose unpack function is `expected`, or null; `isConst`
// tells whether it is held as constant (set as well when there is no object). The stack is left
// as it was.
void* UnpackBoundObjectAddress(lua_State* state, int index, UnpackFunction expected, bool& isConst);

template <class T> T* UnpackBoundObject(lua_State* state, int index, bool& isConst)
{
    return static_cast<T*>(UnpackBoundObjectAddress(state, index, &UnpackObject<T>, isConst));
}

// The "__eq" of every bound class: true when both operands refer to the same engine object,
// whether held inline or by pointer.
int BoundObjectEquals(lua_State* state);

// The "__gc" of class T: destroys an object held inline; the script never owns the objects it
// holds by pointer. A script may call it by hand, with anything: only a bound object of class T
// itself is destroyed.
template <class T> int CollectBoundObject(lua_State* state)
{
    BoundObject* block = ToBoundObject(state, 1);
    if (block != nullptr && block->unpack == &UnpackObject<T> && block->GetHold() == HoldsInline)
    {
        static_cast<T*>(block->GetValue())->~T();
        block->flags = HoldsNothing;
    }
    return 0;
}

// The array stored for the class, or null when there is none; the stack is left as it was.
const ParentConversion* FindParentsConversionArray(lua_State* state, UnpackFunction unpack);
// Makes a zeroed array of `count` pairs plus the ending null pair, stores it for the class and
// returns it.
ParentConversion* StoreParentsConversionArray(lua_State* state, UnpackFunction unpack,
                                              std::size_t count);

// An integer argument: a number (or a numeric string) narrowed to 32 bits, the value of an
// enumeration userdata (metatable field "is_enum"), else 0.
s32 ReadIntegerArgument(lua_State* state, int index);

// Light userdata keys and values for function addresses.
void* FunctionKey(UnpackFunction function);
void* FunctionKey(ConvertFunction function);
} // namespace Scripting
