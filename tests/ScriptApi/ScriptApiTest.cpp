// The script API tables: every state gets the fifteen tables with their entries, and the
// entries of the test table hand their argument back through the thunks.
#include "ScriptApi/ScriptApi.h"
#include "tests/Scripting/LuaTestState.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// The whole API: 125 entries in the 15 tables.
constexpr std::size_t ScriptEntryCount = 125;

struct TableEntries
{
    const char* table; // "" for the global table
    std::vector<const char*> entries;
};

// Every table in registration order, with the entries that are bound.
const std::vector<TableEntries>& ExpectedTables()
{
    static const std::vector<TableEntries> tables = {
        {"",
         {"TestFunction", "AttachPropertyEditor", "DetachPropertyEditor", "AttachParticleEditor",
          "DetachParticleEditor"}},
        {"Engine",
         {"Output", "CreateObject", "CreateObjectDelayed", "DestroyObject", "DestroyObjectDelayed",
          "DestroyParentOf", "DestroyRecentObjects"}},
        {"Input",
         {"ActionMessage", "CursorMessage", "MoveMessage", "KeyboardMessage",
          "GetNumberOfPlayers"}},
        {"Mouse", {"ButtonMessage", "WheelMessage", "MoveMessage"}},
        {"Controller", {"ButtonMessage", "StickMessage"}},
        {"Object",
         {"AddDirectionDelayed",
          "Position",
          "Scale",
          "Orientation",
          "Direction",
          "PositionDelayed",
          "ScaleDelayed",
          "OrientationDelayed",
          "DirectionDelayed",
          "SetAnimationSpeed",
          "SetCurrentAnimation",
          "SetAnimationTime",
          "StunSelf",
          "StunSelfDelayed",
          "Model",
          "Material",
          "AddMoveAction",
          "AddMoveNoOrientAction",
          "AddScaleAction",
          "AddFadeAction",
          "AddCameraFOVAction",
          "AddCameraRotationAction",
          "OrbitAround",
          "OrbitDistance",
          "SetGlow",
          "EnableEmitters",
          "DisableEmitters",
          "MountToObject",
          "UnmountFromObjectByID",
          "UnmountFromObjectByArchetype",
          "MountToBone",
          "UnmountFromBoneByID",
          "UnmountFromBoneByArchetype",
          "UnmountFromObjectByArchetypeDelayed",
          "GlowTo",
          "LightDiffuseTo",
          "LightSpecularTo",
          "LightRadiusTo",
          "Visible",
          "HudVisible",
          "EmitInterval",
          "EmitCount"}},
        {"Particle", {"ColorStart", "ColorEnd"}},
        {"GameState", {"AddButton",           "SetPointerRelativePosition",
                       "AddHudElement",       "SetHudElementPos",
                       "RemoveHudElement",    "ChangeHudElementTexture",
                       "ChangePage",          "GoToPreviousPage",
                       "ChangeState",         "ChangeStateDelayed",
                       "ChangePageDelayed",   "GoToNextLevel",
                       "SetActivePlayers",    "UsingMouse",
                       "StopSingleHighlight", "GoToMain",
                       "GoToMainDelayed",     "ChangeButtonFunctionCall",
                       "SetButtonVisibility", "SetElementText"}},
        {"Audio",
         {"SystemMessage", "EffectMessage", "DelayedEffectMessage", "MusicMessage", "FadeMessage",
          "ResponseOnSelect"}},
        {"Graphics",
         {"CreateSkybox", "ToggleFullScreen", "DestroyParticleEffects", "SetFade", "FadeTo",
          "HideHud", "ShowHud"}},
        {"Camera", {"MountMessage", "Cycle", "MakeSafe", "CreateCursor", "Shake", "SwitchTo"}},
        {"Logic",
         {"GetAICount", "GetLivingPlayerCount", "GetSpawnerCount", "SetControllerID", "KillAI",
          "SetDeathCounter", "IncrementPlayerDeath", "BroadcastVictory", "BroadcastDefeat",
          "RevivePlayers", "HealPlayers"}},
        {"Geometry",
         {"TestQuaternions", "TestCursorSpheres", "TestDistCircle3Circle3", "TestDistLine3Circle3",
          "TestGroundPlane", "TestCameraFrustum"}},
        {"AssetLoader", {"LoadAssetBatch"}},
        {"test", {"a", "b"}},
    };
    return tables;
}
} // namespace

TEST(ScriptApi, EveryTableHoldsExactlyItsEntries)
{
    LuaTestState lua;
    ASSERT_EQ(static_cast<std::size_t>(Scripting::ScriptTableCount), ExpectedTables().size());
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

// Every table is made beforehand with a metatable that notes each new key, so registration
// writes the names through it: the note is the full list of entries in registration order.
TEST(ScriptApi, RegistersEveryEntryInTableOrder)
{
    lua_State* state = luaL_newstate();
    luaL_openlibs(state);
    std::string prepare = "registered = {}\n"
                          "local function noting(prefix) return {__newindex = function(t, k, v)\n"
                          "  registered[#registered + 1] = prefix .. k rawset(t, k, v) end} end\n"
                          "setmetatable(_G, noting(''))\n";
    std::vector<std::string> expected;
    for (const TableEntries& table : ExpectedTables())
    {
        const std::string prefix = table.table[0] == '\0' ? "" : std::string(table.table) + ".";
        if (!prefix.empty())
            prepare += "rawset(_G, '" + std::string(table.table) + "', setmetatable({}, noting('" +
                       prefix + "')))\n";
        for (const char* entry : table.entries)
            expected.push_back(prefix + entry);
    }
    ASSERT_EQ(luaL_dostring(state, prepare.c_str()), LUA_OK) << lua_tostring(state, -1);

    Scripting::RegisterScriptApi(state);

    lua_getglobal(state, "registered");
    std::vector<std::string> registered;
    for (int i = 1; i <= static_cast<int>(lua_rawlen(state, -1)); ++i)
    {
        lua_rawgeti(state, -1, i);
        registered.push_back(lua_tostring(state, -1));
        lua_pop(state, 1);
    }
    lua_close(state);
    EXPECT_EQ(ScriptEntryCount, expected.size());
    EXPECT_EQ(expected, registered);
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
