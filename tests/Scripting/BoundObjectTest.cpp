// Bound classes and objects: the sample class, constant and pointer-held objects, ancestors
// through the parents conversion array, and enumeration values as integer arguments.
#include "Scripting/BoundObject.h"
#include "Scripting/ClassBuilder.h"
#include "Scripting/TestClass.h"
#include "tests/Scripting/LuaTestState.h"
#include <gtest/gtest.h>

using namespace Scripting;

namespace
{
// Pushes a block that holds `object` by pointer, with the sample class's metatable.
void PushHeldTestObject(lua_State* state, TestClass* object, BoundObjectHold hold)
{
    auto* block =
        static_cast<BoundObject*>(lua_newuserdata(state, sizeof(BoundObject) + sizeof(TestClass*)));
    block->flags = hold;
    block->unpack = &UnpackObject<TestClass>;
    block->parents = nullptr;
    *static_cast<TestClass**>(block->GetValue()) = object;
    GetTestClassMetatable(state);
    lua_setmetatable(state, -2);
}

// A small hierarchy: Derived objects may be used where a Base is expected.
class Base
{
public:
    virtual ~Base() = default;
    s32 GetBaseValue() const { return baseValue; }
    s32 baseValue = 40;
};

class Other
{
public:
    s32 otherValue = 0;
};

// Other comes first, so that the Base part does not start at the object's address.
class Derived : public Other, public Base
{
public:
    Derived() { baseValue = 41; }
    s32 GetDerivedValue() const { return 2; }
};

void PushBaseMetatable(lua_State* state)
{
    if (!luaL_newmetatable(state, "shapes.Base"))
        return;
    ClassBuilder<Base> builder(state, -1, "shapes.Base");
    builder.SetClassConstructor<&PushBaseMetatable>();
    builder.AddMethod("GetBaseValue", &Base::GetBaseValue);
    builder.Finish();
}

void PushDerivedMetatable(lua_State* state)
{
    if (!luaL_newmetatable(state, "shapes.Derived"))
        return;
    ClassBuilder<Derived> builder(state, -1, "shapes.Derived");
    builder.SetClassConstructor<&PushDerivedMetatable>();
    builder.AddMethod("GetDerivedValue", &Derived::GetDerivedValue);
    builder.AddParent<Base>();
    builder.Finish();
}

s32 g_receivedInteger = 0;
void ReceiveInteger(s32 value)
{
    g_receivedInteger = value;
}
} // namespace

TEST(BoundObject, SampleClassMakesInlineObjectsWithMethodsAndEnumeration)
{
    LuaTestState lua;
    ASSERT_TRUE(lua.Run("object = testing.TestClass()"));
    lua_getglobal(lua.state, "object");
    auto* block = static_cast<BoundObject*>(lua_touserdata(lua.state, -1));
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(static_cast<u32>(HoldsInline), block->flags);
    EXPECT_EQ(nullptr, block->parents);
    EXPECT_EQ(&UnpackObject<TestClass>, block->unpack);

    EXPECT_EQ(0, lua.Number("return object:GetValue()"));
    EXPECT_EQ(7, lua.Number("object:SetValue(7) return object:GetValue()"));
    EXPECT_EQ(1, lua.Number("return testing.TestClass.values.value"));
    EXPECT_EQ("testing.TestClass", lua.Text("return getmetatable(object).__class"));
    EXPECT_TRUE(lua.Bool("local m = getmetatable(object) "
                         "return m.__object_unpack == nil and m.__parents_unpack_funcs == nil"));
}

TEST(BoundObject, EqualityComparesTheObjectsNotTheBlocks)
{
    LuaTestState lua;
    EXPECT_FALSE(lua.Bool("local a, b = testing.TestClass(), testing.TestClass() return a == b"));
    EXPECT_TRUE(lua.Bool("local a = testing.TestClass() return a == a"));

    TestClass held;
    PushHeldTestObject(lua.state, &held, HoldsPointer);
    lua_setglobal(lua.state, "first");
    PushHeldTestObject(lua.state, &held, HoldsConstPointer);
    lua_setglobal(lua.state, "second");
    EXPECT_TRUE(lua.Bool("return first == second"));
    EXPECT_FALSE(lua.Bool("return first == testing.TestClass()"));
}

TEST(BoundObject, CollectorDestroysInlineObjectsOnly)
{
    const s32 before = TestClass::GetLiveCount();
    {
        LuaTestState lua;
        ASSERT_TRUE(lua.Run("kept = testing.TestClass() local dropped = testing.TestClass()"));
        EXPECT_EQ(before + 2, TestClass::GetLiveCount());
        ASSERT_TRUE(lua.Run("collectgarbage() collectgarbage()"));
        EXPECT_EQ(before + 1, TestClass::GetLiveCount());

        TestClass held;
        PushHeldTestObject(lua.state, &held, HoldsPointer);
        lua_settop(lua.state, 0);
        ASSERT_TRUE(lua.Run("collectgarbage() collectgarbage()"));
        EXPECT_EQ(before + 2, TestClass::GetLiveCount()); // `held` and `kept`
    }
    EXPECT_EQ(before, TestClass::GetLiveCount());
}

TEST(BoundObject, MethodOnSomethingElseRaisesTheObjectError)
{
    LuaTestState lua;
    const char* const calls[] = {
        "return testing.TestClass.GetValue(5)",
        "return testing.TestClass.GetValue()",
        "return testing.TestClass.GetValue({})",
        "return testing.TestClass.GetValue(io.stdout)",
    };
    for (const char* call : calls)
    {
        EXPECT_FALSE(lua.Run(call)) << call;
        EXPECT_NE(std::string::npos, lua.error.find(NotAnObjectError)) << call << ": " << lua.error;
    }
}

TEST(BoundObject, ConstantObjectTakesOnlyConstantMethods)
{
    LuaTestState lua;
    TestClass held;
    held.SetValue(9);
    PushHeldTestObject(lua.state, &held, HoldsConstPointer);
    lua_setglobal(lua.state, "frozen");
    EXPECT_EQ(9, lua.Number("return frozen:GetValue()"));
    EXPECT_FALSE(lua.Run("frozen:SetValue(1)"));
    EXPECT_NE(std::string::npos, lua.error.find(NotAnObjectError));
    EXPECT_EQ(9, held.GetValue());

    PushHeldTestObject(lua.state, &held, HoldsPointer);
    lua_setglobal(lua.state, "open");
    ASSERT_TRUE(lua.Run("open:SetValue(3)"));
    EXPECT_EQ(3, held.GetValue());
}

TEST(BoundObject, DerivedObjectIsUsableAsItsAncestor)
{
    LuaTestState lua;
    PushBaseMetatable(lua.state);
    PushDerivedMetatable(lua.state);
    lua_settop(lua.state, 0);

    ASSERT_TRUE(lua.Run("derived = shapes.Derived() base = shapes.Base()"));
    lua_getglobal(lua.state, "derived");
    const auto* block = static_cast<BoundObject*>(lua_touserdata(lua.state, -1));
    ASSERT_NE(nullptr, block->parents);
    EXPECT_EQ(&UnpackObject<Base>, block->parents[0].parentUnpack);
    EXPECT_EQ(nullptr, block->parents[1].parentUnpack);
    EXPECT_EQ(block->parents, FindParentsConversionArray(lua.state, &UnpackObject<Derived>));
    EXPECT_EQ(nullptr, FindParentsConversionArray(lua.state, &UnpackObject<Base>));

    EXPECT_EQ(41, lua.Number("return shapes.Base.GetBaseValue(derived)"));
    EXPECT_EQ(40, lua.Number("return base:GetBaseValue()"));
    EXPECT_EQ(2, lua.Number("return derived:GetDerivedValue()"));
    // No conversion leads from a Base to a Derived, nor from the sample class to a Base.
    EXPECT_FALSE(lua.Run("return shapes.Derived.GetDerivedValue(base)"));
    EXPECT_FALSE(lua.Run("return shapes.Base.GetBaseValue(testing.TestClass())"));
}

TEST(BoundObject, RegisteringAClassTwiceChangesNothing)
{
    LuaTestState lua;
    ASSERT_TRUE(lua.Run("first = testing.TestClass"));
    RegisterTestClass(lua.state);
    EXPECT_EQ(0, lua_gettop(lua.state));
    EXPECT_TRUE(lua.Bool("return first == testing.TestClass"));
}

TEST(BoundObject, EnumerationValueReadsFromItsUserdataOnly)
{
    LuaTestState lua;
    Namespace probe(lua.state, "probe");
    BindFunction(probe, "take", &ReceiveInteger);
    probe.Close();

    // An enumeration userdata: its block starts with the value, its metatable says "is_enum".
    auto* block = static_cast<s32*>(lua_newuserdata(lua.state, sizeof(s32)));
    *block = 23;
    lua_newtable(lua.state);
    lua_pushboolean(lua.state, 1);
    lua_setfield(lua.state, -2, "is_enum");
    lua_setmetatable(lua.state, -2);
    lua_setglobal(lua.state, "enumValue");

    struct Case
    {
        const char* chunk;
        s32 expected;
    };
    const Case cases[] = {
        {"probe.take(enumValue)", 23},
        {"probe.take(setmetatable({}, {is_enum = true}))", 0},
        {"probe.take(nil)", 0},
        {"probe.take(testing.TestClass.values.value)", 1},
    };
    for (const Case& c : cases)
    {
        g_receivedInteger = -99;
        ASSERT_TRUE(lua.Run(c.chunk)) << lua.error;
        EXPECT_EQ(c.expected, g_receivedInteger) << c.chunk;
    }
}
