// Namespaces: tables reached by dotted paths from the globals, made on demand.
#include "Scripting/Namespace.h"
#include "tests/Scripting/LuaTestState.h"
#include <gtest/gtest.h>

using Scripting::Namespace;

TEST(Namespace, PathMakesGlobalTableOnceAndFindsItAgain)
{
    LuaTestState lua;
    ASSERT_TRUE(lua.Run("Gadgets = nil"));
    Namespace first(lua.state, "Gadgets");
    lua_pushinteger(lua.state, 3);
    first.SetField("count");
    Namespace second(lua.state, "Gadgets");
    EXPECT_EQ(0, lua_gettop(lua.state));

    EXPECT_EQ(3, lua.Number("return Gadgets.count"));
    first.Push(lua.state);
    second.Push(lua.state);
    EXPECT_TRUE(lua_rawequal(lua.state, -1, -2));
    first.Close();
    second.Close();
}

TEST(Namespace, SegmentThatIsNoTableIsReplacedAlongTheWholePath)
{
    LuaTestState lua;
    ASSERT_TRUE(lua.Run("alpha = 5"));
    Namespace deep(lua.state, "alpha.beta.gamma");
    lua_pushstring(lua.state, "here");
    deep.SetField("marker");
    deep.Close();
    EXPECT_EQ("here", lua.Text("return alpha.beta.gamma.marker"));
    EXPECT_EQ("table", lua.Text("return type(alpha)"));
}

TEST(Namespace, EmptyPathIsTheGlobalTableAndEmptySegmentsAreSkipped)
{
    LuaTestState lua;
    Namespace globals(lua.state, "");
    lua_pushinteger(lua.state, 11);
    globals.SetField("answer");
    Namespace dotted(lua.state, ".outer..inner.");
    lua_pushinteger(lua.state, 12);
    dotted.SetField("value");
    EXPECT_EQ(11, lua.Number("return answer"));
    EXPECT_EQ(12, lua.Number("return outer.inner.value"));
    globals.Close();
    dotted.Close();
}

TEST(Namespace, LongSegmentsNeedNoBuffer)
{
    LuaTestState lua;
    const std::string longName(600, 'n');
    Namespace table(lua.state, ("root." + longName).c_str());
    lua_pushboolean(lua.state, 1);
    table.SetField("ok");
    table.Close();
    EXPECT_TRUE(lua.Bool("return root['" + longName + "'].ok"));
}

TEST(Namespace, AddTableNestsAndPushIgnoresOtherStates)
{
    LuaTestState lua;
    LuaTestState other;
    Namespace outer(lua.state, "outer");
    Namespace inner = outer.AddTable("inner");
    EXPECT_EQ(&outer, inner.GetParent());
    lua_pushinteger(lua.state, 4);
    inner.SetField("four");
    EXPECT_EQ(4, lua.Number("return outer.inner.four"));

    inner.Push(other.state);
    EXPECT_EQ(0, lua_gettop(other.state));
    inner.Close();
    outer.Close();
}

TEST(Namespace, ClosedNamespaceReleasesItsReferenceAndStoresNothing)
{
    LuaTestState lua;
    Namespace table(lua.state, "closing");
    const int reference = table.GetReference();
    table.Close();
    EXPECT_FALSE(table.IsOpen());
    lua_rawgeti(lua.state, LUA_REGISTRYINDEX, reference);
    EXPECT_FALSE(lua_istable(lua.state, -1));
    lua_settop(lua.state, 0);

    lua_pushinteger(lua.state, 1);
    table.SetField("lost");
    EXPECT_EQ(0, lua_gettop(lua.state));
    EXPECT_TRUE(lua.Bool("return closing.lost == nil"));
}
