#pragma once
// The sample class "testing.TestClass" that every script state gets: the smallest use of the
// class binding, for scripts and tests to check it by. An object is one integer value (0 when
// made); the class counts its live objects, so a test can watch Lua's collector destroy them.
//
//     local object = testing.TestClass()
//     object:SetValue(7)
//     print(object:GetValue(), testing.TestClass.values.value)   --> 7  1
#include "Math/Types.h"
#include <lua.hpp>

namespace Scripting
{
class TestClass
{
public:
    static constexpr const char* ClassName = "testing.TestClass";
    // The one enumerator of the class's "values" enumeration.
    static constexpr s32 EnumValue = 1;

    TestClass();
    ~TestClass();
    TestClass(const TestClass&) = delete;
    TestClass& operator=(const TestClass&) = delete;

    s32 GetValue() const { return m_value; }
    void SetValue(s32 value) { m_value = value; }

    // Objects constructed and not yet destroyed, over every state of the process.
    static s32 GetLiveCount() { return s_liveCount; }

private:
    s32 m_value;

    static s32 s_liveCount;
};

// Leaves the class's metatable on the stack, building the class first where the state has not
// got it.
void GetTestClassMetatable(lua_State* state);
// Builds the class in the state and leaves the stack as it was.
void RegisterTestClass(lua_State* state);
} // namespace Scripting
