// The script API tables: every state gets the fifteen tables with their entries, and the
// entries of the test table hand their argument back through the thunks.
#include "Scripting/ScriptApi.h"
#include "tests/Scripting/LuaTestState.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
struct TableEntries
{
    const char* table; // "" for the global table
    std::vector<const char*> entries;
};

// Every table in registration order, with the entries that are bound.
const std::vector<TableEntries>& ExpectedTables()
{
    static const std::vector<TableEntries> tables = {
        {"", {"TestFunction"}},
        {"Engine", {"Output"}},
        {"Input", {"ActionMessage", "CursorMessage", "MoveMessage"}},
        {"Mouse", {}},
        {"Controller", {}},
        {"Object", {}},
        {"Particle", {}},
        {"GameState", {}},
        {"Audio", {}},
        {"Graphics", {}},
        {"Camera", {}},
        {"Logic", {"SetDeathCounter"}},
        {"Geometry", {}},
        {"AssetLoader", {}},
        {"test", {"a", "b"}},
    };
    return tables;
}
} // namespace

TEST(ScriptApi, EveryTableHoldsExactlyItsEntries)
{
    LuaTestState lua;
    ASSERT_EQ(static_cast<std::size_t>(Scripting::kScriptTableCount), ExpectedTables().size());
    for (const TableEntries& expected : ExpectedTables())
    {
        const std::string table = expected.table[0] == '\0' ? "_G" : expected.table;
        EXPECT_EQ("table", lua.Text("return type(" + table + ")")) << table;
        for (const char* entry : expected.entries)
            EXPECT_EQ("function", lua.Text("return type(" + table + "." + entry + ")")) << entry;
        if (table == "_G")
            continue;
        const lua_Number count = lua.Number("local n = 0 for _, v in pairs(" + table +
                                            ") do if type(v) == 'function' then n = n + 1 end "
                                            "end return n");
        EXPECT_EQ(static_cast<lua_Number>(expected.entries.size()), count) << table;
    }
}

TEST(ScriptApi, TestEntriesHandTheirArgumentBack)
{
    LuaTestState lua;
    EXPECT_EQ(1.5, lua.Number("return test.a(1.5)"));
    EXPECT_EQ(static_cast<lua_Number>(0.1f), lua.Number("return test.a(0.1)"));
    EXPECT_EQ(0, lua.Number("return test.a('not a number')"));
    EXPECT_EQ(7, lua.Number("return test.b(7)"));
    EXPECT_EQ(-2, lua.Number("return test.b(-2.7)"));
}

TEST(ScriptApi, EmptyEntriesAcceptAnythingAndReturnNothing)
{
    LuaTestState lua;
    EXPECT_EQ(0, lua.Number("return select('#', Input.ActionMessage(1, 2, 3))"));
    EXPECT_EQ(0, lua.Number("return select('#', Input.MoveMessage('a', {}, nil, 4, 5))"));
    EXPECT_EQ(0, lua.Number("return select('#', Logic.SetDeathCounter())"));
}
