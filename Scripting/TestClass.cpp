#include "Scripting/TestClass.h"
#include "Scripting/ClassBuilder.h"

namespace Scripting
{
s32 TestClass::s_liveCount = 0;

TestClass::TestClass() : m_value(0)
{
    ++s_liveCount;
}

TestClass::~TestClass()
{
    --s_liveCount;
}

void GetTestClassMetatable(lua_State* state)
{
    if (!luaL_newmetatable(state, TestClass::ClassName))
        return;

    ClassBuilder<TestClass> builder(state, -1, TestClass::ClassName);
    builder.SetClassConstructor<&GetTestClassMetatable>();
    builder.AddMethod("GetValue", &TestClass::GetValue);
    builder.AddMethod("SetValue", &TestClass::SetValue);
    builder.AddEnumeration("values", {{"value", TestClass::EnumValue}});
    builder.Finish();
}

void RegisterTestClass(lua_State* state)
{
    GetTestClassMetatable(state);
    lua_pop(state, 1);
}
} // namespace Scripting
