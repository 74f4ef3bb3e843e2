#pragma once
// Call thunks: the Lua C functions that stand between a script and a bound engine function.
// The closure of every bound function or method carries its address as its one upvalue (a full
// userdata holding it); the thunks differ in whether they call through it:
// - DirectThunk: one thunk per engine function, made when the engine is built from the function
//   as a template argument, so the call is direct (and may be inlined); the upvalue is not read.
//   BindFunction<Function> binds this way, and so does the whole script API.
// - CallThunk: one thunk per signature, shared by every function of that signature bound at run
//   time (BindFunction with a function pointer); it calls the address read from the upvalue.
// - MethodThunk: one thunk per method type; it calls the method address read from the upvalue
//   on the object unpacked from argument 1, which the method's own arguments follow.
// - ConstructorThunk: the "__call" of a class table, which makes a new object (no upvalue).
// Around each engine call a thunk records the calling Lua state (Scripting/CallingScript.h),
// so that a log line can name the script, and restores the one before when the call returns.
//
// Argument conversions, by Lua position i (1 is the first); counts and types are not checked:
// surplus arguments are ignored and missing ones read as 0, 0, false or "". Every read is of a
// slot that may be empty (a C function always has room for LUA_MINSTACK values), so a thunk
// called with any stack, or none, reads defaults and never removes what is not there.
// - integer (any width): ReadIntegerArgument, narrowed to the parameter's type;
// - f32: lua_tonumberx narrowed to a float; a value that is no number reads as 0;
// - bool: everything but nil and false is true;
// - const char*: the value's text (numbers become their text); any other value, or a missing
//   one, gives "" and never a null pointer. The text lives only while the thunk runs, so a
//   function that keeps it copies it.
// Results: integers with lua_pushinteger, f32 widened with lua_pushnumber, bool with
// lua_pushboolean; void pushes nothing.
//
// Lua errors unwind with longjmp: a thunk holds no object with a destructor, and an exception
// that leaves the engine function is caught here and raised again as a Lua error, so that it
// never unwinds through Lua's C frames.
#include "Core/Memory/OAException.h"
#include "Math/Types.h"
#include "Scripting/BoundObject.h"
#include "Scripting/CallingScript.h"
#include "Scripting/Namespace.h"
#include <cstring>
#include <exception>
#include <lua.hpp>
#include <type_traits>
#include <utility>

namespace Scripting
{
// The error a method thunk raises when argument 1 is not a usable object.
constexpr const char* NotAnObjectError =
    "Expected non-null object as first argument to method call";

// Lua values to engine parameters.
template <class T, class Enable = void> struct ScriptArgument;

template <class T>
struct ScriptArgument<T,
                      std::enable_if_t<std::is_integral<T>::value && !std::is_same<T, bool>::value>>
{
    static T Read(lua_State* state, int index)
    {
        return static_cast<T>(ReadIntegerArgument(state, index));
    }
};

template <> struct ScriptArgument<f32>
{
    static f32 Read(lua_State* state, int index)
    {
        return static_cast<f32>(lua_tonumberx(state, index, nullptr));
    }
};

template <> struct ScriptArgument<bool>
{
    static bool Read(lua_State* state, int index) { return lua_toboolean(state, index) != 0; }
};

template <> struct ScriptArgument<const char*>
{
    static const char* Read(lua_State* state, int index)
    {
        const char* text = lua_tolstring(state, index, nullptr);
        return text != nullptr ? text : "";
    }
};

// Engine results to Lua values.
template <class T>
inline std::enable_if_t<std::is_integral<T>::value && !std::is_same<T, bool>::value>
PushResult(lua_State* state, T value)
{
    lua_pushinteger(state, static_cast<lua_Integer>(value));
}

inline void PushResult(lua_State* state, f32 value)
{
    lua_pushnumber(state, static_cast<lua_Number>(value));
}

inline void PushResult(lua_State* state, bool value)
{
    lua_pushboolean(state, value ? 1 : 0);
}

namespace Detail
{
// Room for the reason of a failed engine function, copied out of the exception before the Lua
// error is raised (the exception must be gone by then).
constexpr std::size_t FailureReasonSize = 160;

inline void CopyReason(char (&reason)[FailureReasonSize], const char* text)
{
    std::strncpy(reason, text != nullptr ? text : "", FailureReasonSize - 1);
    reason[FailureReasonSize - 1] = '\0';
}

inline int RaiseEngineFailure(lua_State* state, const char* reason)
{
    return luaL_error(state, "engine function failed: %s", reason);
}

// Runs `body`; false, with the exception's text in `reason`, when it threw.
template <class Body> bool RunGuarded(Body&& body, char (&reason)[FailureReasonSize]) noexcept
{
    try
    {
        body();
        return true;
    }
    catch (const std::exception& exception)
    {
        CopyReason(reason, exception.what());
    }
    catch (const Core::OAException& exception)
    {
        CopyReason(reason, exception.what());
    }
    catch (...)
    {
        CopyReason(reason, "unknown exception");
    }
    return false;
}

// Reads the arguments from Lua positions 1..n, calls, pushes the result; returns the number of
// results or raises the failure of the engine function. The null Args* parameters only carry
// the parameter types.
template <class R, class Call, std::size_t... I, class... Args>
int Invoke(lua_State* state, Call&& call, std::index_sequence<I...>, Args*...)
{
    char reason[FailureReasonSize];
    // The caller is recorded for the call alone and restored before any Lua error is raised.
    lua_State* const previous = SwapCallingState(state);
    if constexpr (std::is_void<R>::value)
    {
        const bool done = RunGuarded(
            [&] { call(ScriptArgument<Args>::Read(state, static_cast<int>(I) + 1)...); }, reason);
        SwapCallingState(previous);
        if (!done)
            return RaiseEngineFailure(state, reason);
        return 0;
    }
    else
    {
        R result{};
        const bool done = RunGuarded(
            [&] { result = call(ScriptArgument<Args>::Read(state, static_cast<int>(I) + 1)...); },
            reason);
        SwapCallingState(previous);
        if (!done)
            return RaiseEngineFailure(state, reason);
        PushResult(state, result);
        return 1;
    }
}

// The function or method address that upvalue 1 of the running closure holds.
template <class Address> Address ReadUpvalueAddress(lua_State* state)
{
    Address address;
    std::memcpy(&address, lua_touserdata(state, lua_upvalueindex(1)), sizeof(address));
    return address;
}

// Pushes a full userdata holding the address, the upvalue of a bound closure.
template <class Address> void PushAddress(lua_State* state, Address address)
{
    void* block = lua_newuserdata(state, sizeof(Address));
    std::memcpy(block, &address, sizeof(Address));
}

template <class Method> struct MethodTraits;

template <class C, class R, class... Args> struct MethodTraits<R (C::*)(Args...)>
{
    using Class = C;
    static constexpr bool IsConst = false;
    template <class F> static int Invoke(lua_State* state, F&& call)
    {
        return Detail::Invoke<R>(state, std::forward<F>(call), std::index_sequence_for<Args...>{},
                                 static_cast<Args*>(nullptr)...);
    }
};

template <class C, class R, class... Args>
struct MethodTraits<R (C::*)(Args...) const> : MethodTraits<R (C::*)(Args...)>
{
    static constexpr bool IsConst = true;
};
} // namespace Detail

// The thunk of every free engine function R(Args...).
template <class R, class... Args> int CallThunk(lua_State* state)
{
    using Function = R (*)(Args...);
    const Function function = Detail::ReadUpvalueAddress<Function>(state);
    return Detail::Invoke<R>(state, function, std::index_sequence_for<Args...>{},
                             static_cast<Args*>(nullptr)...);
}

// The thunk of one free engine function known when the engine is built: the conversions of
// CallThunk, but the function is a template argument, so the call is direct (and the compiler
// may inline it) instead of going through the address read from the upvalue. The closure still
// carries the address as its upvalue, like every bound closure.
template <class Function> struct DirectThunk;

template <class R, class... Args> struct DirectThunk<R (*)(Args...)>
{
    template <R (*Function)(Args...)> static int Call(lua_State* state)
    {
        return Detail::Invoke<R>(
            state, [](Args... arguments) { return Function(arguments...); },
            std::index_sequence_for<Args...>{}, static_cast<Args*>(nullptr)...);
    }
};

// The thunk of a bound method: argument 1 is the object, the method's own arguments follow.
template <class Method> int MethodThunk(lua_State* state)
{
    using Traits = Detail::MethodTraits<Method>;
    using Class = typename Traits::Class;
    const Method method = Detail::ReadUpvalueAddress<Method>(state);

    bool isConst = true;
    Class* object = UnpackBoundObject<Class>(state, 1, isConst);
    if (object == nullptr || (isConst && !Traits::IsConst))
        return luaL_error(state, NotAnObjectError);

    lua_remove(state, 1);
    return Traits::Invoke(state, [object, method](auto... arguments)
                          { return (object->*method)(arguments...); });
}

// The "__call" of a class table: makes a new object of T held inline, with the class
// metatable that PushMetatable leaves on the stack (building the class on first use).
template <class T, void (*PushMetatable)(lua_State*)> int ConstructorThunk(lua_State* state)
{
    static_assert(alignof(T) <= BoundValueAlignment, "Lua aligns userdata to 8 bytes");
    // The constructor takes no arguments: whatever the call brought (the class table, or
    // nothing when a script calls "__call" by hand) is dropped.
    lua_settop(state, 0);

    auto* block =
        static_cast<BoundObject*>(lua_newuserdata(state, sizeof(BoundObject) + sizeof(T)));
    block->flags = HoldsNothing;
    block->unpack = &UnpackObject<T>;
    block->parents = FindParentsConversionArray(state, &UnpackObject<T>);
    PushMetatable(state);
    lua_setmetatable(state, -2);

    // Constructed last, so that a Lua error above leaves nothing to destroy.
    char reason[Detail::FailureReasonSize];
    if (!Detail::RunGuarded([block] { new (block->GetValue()) T(); }, reason))
        return Detail::RaiseEngineFailure(state, reason);
    block->flags = HoldsInline;
    return 1;
}

// Binds a free engine function under `name` in the namespace, through the thunk of its
// signature (for a function chosen at run time).
template <class R, class... Args>
void BindFunction(const Namespace& table, const char* name, R (*function)(Args...))
{
    lua_State* state = table.GetState();
    Detail::PushAddress(state, function);
    lua_pushcclosure(state, &CallThunk<R, Args...>, 1);
    table.SetField(name);
}

// Binds the free engine function `Function` under `name` in the namespace, with a thunk of its
// own that calls it directly (the script API binds every entry this way).
template <auto Function> void BindFunction(const Namespace& table, const char* name)
{
    lua_State* state = table.GetState();
    Detail::PushAddress(state, Function);
    lua_pushcclosure(state, &DirectThunk<decltype(Function)>::template Call<Function>, 1);
    table.SetField(name);
}

// Binds a method of a bound class under `name` in the class table.
template <class Method>
void BindMethod(const Namespace& classTable, const char* name, Method method)
{
    lua_State* state = classTable.GetState();
    Detail::PushAddress(state, method);
    lua_pushcclosure(state, &MethodThunk<Method>, 1);
    classTable.SetField(name);
}
} // namespace Scripting
