#pragma once
// Builds the metatable of a bound class. Usage, with the metatable that luaL_newmetatable made
// on the stack (when it answers that the metatable existed already, the class is built and
// nothing more is done):
//
//     ClassBuilder<Widget> builder(state, -1, "ui.Widget");
//     builder.SetClassConstructor<&PushWidgetMetatable>();
//     builder.AddMethod("GetWidth", &Widget::GetWidth);
//     builder.AddEnumeration("sides", {{"left", 1}, {"right", 2}});
//     builder.AddParent<Element>();
//     builder.Finish();
//
// The metatable gets "__index" (the class table, which is the namespace of the class's dotted
// name and holds the methods and enumeration tables), "__class" (the dotted name), "__gc" and
// "__eq". The class table has a metatable of its own whose "__call" is the constructor, so
// calling the class table makes an object. "__object_unpack" and "__parents_unpack_funcs" are
// used only while the class is built: Finish turns them into the class's parents conversion
// array and removes them.
//
// Like everything that runs during registration, the builder is trivially destructible (a Lua
// error skips destructors); Finish releases its reference to the class table.
#include "Math/Types.h"
#include "Scripting/BoundObject.h"
#include "Scripting/CallThunk.h"
#include "Scripting/Namespace.h"
#include <cstddef>
#include <initializer_list>
#include <lua.hpp>
#include <type_traits>

namespace Scripting
{
// One named value of an enumeration table.
struct Enumerator
{
    const char* name;
    s32 value;
};

// Stores "__eq" and an empty "__parents_unpack_funcs" in the metatable.
void PrepareClassMetatable(lua_State* state, int metatableIndex);
// Builds the parents conversion array when "__object_unpack" is set, then removes both build
// fields. The stack is left as it was.
void FinishClassMetatable(lua_State* state, int metatableIndex);

// The non-template steps of ClassBuilder.
void OpenClassMetatable(lua_State* state, int metatableIndex, const Namespace& classTable,
                        const char* className, lua_CFunction collect);
void SetClassConstructorFunction(lua_State* state, int metatableIndex, lua_CFunction constructor);
void AddEnumerationTable(const Namespace& classTable, const char* name,
                         const Enumerator* enumerators, std::size_t count);
void AddParentConversion(lua_State* state, int metatableIndex, UnpackFunction own,
                         UnpackFunction parent, ConvertFunction convert);

template <class T> class ClassBuilder
{
public:
    ClassBuilder(lua_State* state, int metatableIndex, const char* className)
        : m_state(state), m_metatable(lua_absindex(state, metatableIndex)),
          m_classTable(state, className)
    {
        OpenClassMetatable(state, m_metatable, m_classTable, className, &CollectBoundObject<T>);
    }

    // The constructor of the class table; PushMetatable leaves this class's metatable on the
    // stack, building the class first where the state has not got it.
    template <void (*PushMetatable)(lua_State*)> void SetClassConstructor()
    {
        SetClassConstructorFunction(m_state, m_metatable, &ConstructorThunk<T, PushMetatable>);
    }

    template <class Method> void AddMethod(const char* name, Method method)
    {
        BindMethod(m_classTable, name, method);
    }

    void AddEnumeration(const char* name, std::initializer_list<Enumerator> enumerators)
    {
        AddEnumerationTable(m_classTable, name, enumerators.begin(), enumerators.size());
    }

    // Lets objects of T be used where a Parent is expected.
    template <class Parent> void AddParent()
    {
        static_assert(std::is_base_of<Parent, T>::value, "a parent must be a base class");
        AddParentConversion(m_state, m_metatable, &UnpackObject<T>, &UnpackObject<Parent>,
                            &ConvertToParent<T, Parent>);
    }

    void Finish()
    {
        FinishClassMetatable(m_state, m_metatable);
        m_classTable.Close();
    }

private:
    lua_State* m_state;
    int m_metatable;
    Namespace m_classTable;
};
} // namespace Scripting
