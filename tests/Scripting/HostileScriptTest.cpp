// Covers: LuaComponent, ProcessControl.
// Scripts that try to take the engine down: binding entries called with any stack, precompiled
// chunks, endless loops at the top level and in Update (also behind the script's own pcall),
// a stop request while a script runs, a memory hog, a missing Update and os.exit. Each ends as
// that script's error, named in the log, and the component stays usable.
#include "Core/Log.h"
#include "Core/ProcessControl.h"
#include "Scripting/TestClass.h"
#include "tests/Scripting/ScriptTestEnvironment.h"
#include "tests/Support/TempFiles.h"
#include <gtest/gtest.h>

using Scripting::LuaComponent;

namespace
{
// A hundred thousand instructions per call, so that runaway cases end in milliseconds.
constexpr u32 TestBudgetLooks = 10;
} // namespace

TEST_F(ScriptTest, BindingEntriesTakeAnyStackAndForeignValues)
{
    const s32 liveBefore = Scripting::TestClass::GetLiveCount();
    LuaComponent* script = LoadScript("Hostile.lua", R"(
        made = getmetatable(testing.TestClass).__call()
        local gc = getmetatable(made).__gc
        gc() gc("text") gc(io.stdout) gc({})
        getmetatable(io.stdout).__class = "testing.TestClass"
        foreignRead = pcall(testing.TestClass.GetValue, io.stdout)
        binaryLoaded = load(string.dump(function() return 1 end)) ~= nil
        hooksReachable = debug.sethook ~= nil or debug.setupvalue ~= nil or
                         debug.getregistry ~= nil or debug.setmetatable ~= nil
    )");
    bool value = true;
    EXPECT_TRUE(script->GetGlobalBool("foreignRead", value));
    EXPECT_FALSE(value);
    EXPECT_TRUE(script->GetGlobalBool("binaryLoaded", value));
    EXPECT_FALSE(value);
    EXPECT_TRUE(script->GetGlobalBool("hooksReachable", value));
    EXPECT_FALSE(value);
    // The object made by hand is alive until its state goes.
    EXPECT_EQ(liveBefore + 1, Scripting::TestClass::GetLiveCount());
    LuaComponent::Destroy(script);
    EXPECT_EQ(liveBefore, Scripting::TestClass::GetLiveCount());
}

TEST_F(ScriptTest, RunawayCallsAreStoppedNamingTheScriptAndTheNextCallRuns)
{
    WriteScript("Endless.lua", "while true do end");
    LuaComponent* endless = LuaComponent::Create();
    endless->GetLimits().budgetLooks = TestBudgetLooks;
    EXPECT_FALSE(endless->Load("Endless.lua"));
    EXPECT_TRUE(LogHas("assets/Scripts/Endless.lua:1: stopped after more than 100000 "
                       "instructions in one call"))
        << LogText();
    LuaComponent::Destroy(endless);

    WriteScript("Stubborn.lua", R"(
        function Update() while true do pcall(function() while true do end end) end end
        function Quick() return 7 end
        function Spin() while true do end end)");
    LuaComponent* stubborn = LuaComponent::Create();
    stubborn->GetLimits().budgetLooks = TestBudgetLooks;
    ASSERT_TRUE(stubborn->Load("Stubborn.lua"));
    MarkLog();
    EXPECT_FALSE(stubborn->CallUpdate(0.1f));
    EXPECT_TRUE(LogHas("Stubborn.lua: assets/Scripts/Stubborn.lua:2: stopped after")) << LogText();
    s32 result = 0;
    EXPECT_TRUE(stubborn->CallReturnInt("Quick", result));
    EXPECT_EQ(7, result);

    // A stop request ends a running script long before its budget.
    stubborn->GetLimits().budgetLooks = Scripting::ScriptLimits::DefaultBudgetLooks;
    Core::ProcessControl::RequestStop();
    EXPECT_FALSE(stubborn->Call("Spin"));
    Core::ProcessControl::ClearStopRequest();
    EXPECT_TRUE(LogHas("Stubborn.lua:4: stopped, the engine is shutting down")) << LogText();
    LuaComponent::Destroy(stubborn);
}

namespace
{
// Calls before the budget would have to be renewed for a loop to get this far.
constexpr int RenewedBudgetCalls = 1000000;

// "callBack()": the engine calling "Inner" of the same script from inside a call, as a page
// that changes to itself has its Load called. Raises once the loop has outrun any budget.
int CallInner(lua_State* state)
{
    static int calls = 0;
    auto* script = static_cast<LuaComponent*>(lua_touserdata(state, lua_upvalueindex(1)));
    if (++calls > RenewedBudgetCalls)
        return luaL_error(state, "the budget was renewed by the inner calls");
    script->Call("Inner");
    return 0;
}
} // namespace

// A call back into the same script from inside one of its calls is part of the outer call: it
// neither renews the budget nor lifts a stop, so a loop around it still ends.
TEST_F(ScriptTest, CallsBackIntoTheSameScriptShareTheOuterBudget)
{
    WriteScript("Reentrant.lua", "function Inner() end\n"
                                 "function Spin() while true do callBack() end end\n");
    LuaComponent* script = LuaComponent::Create();
    script->GetLimits().budgetLooks = TestBudgetLooks;
    ASSERT_TRUE(script->Load("Reentrant.lua"));
    lua_State* state = script->GetState();
    lua_pushlightuserdata(state, script);
    lua_pushcclosure(state, &CallInner, 1);
    lua_setglobal(state, "callBack");
    MarkLog();
    EXPECT_FALSE(script->Call("Spin"));
    EXPECT_TRUE(LogHas("Reentrant.lua:2: stopped after more than 100000 instructions"))
        << LogText();
    EXPECT_FALSE(LogHas("renewed")) << LogText();
    EXPECT_TRUE(script->Call("Inner")) << "the next call from the engine has its own budget";
    LuaComponent::Destroy(script);
}

TEST_F(ScriptTest, RunningOutOfMemoryIsTheScriptsErrorAndAMissingUpdateIsNamed)
{
    WriteScript("Hog.lua", "local t = {} for i = 1, 1e8 do t[i] = ('x'):rep(64) .. i end");
    LuaComponent* hog = LuaComponent::Create();
    hog->GetLimits().memoryLimit = 8u * 1024u * 1024u;
    EXPECT_FALSE(hog->Load("Hog.lua"));
    EXPECT_TRUE(LogHas("Hog.lua could not be loaded, make sure it exists and compiles: not enough "
                       "memory"))
        << LogText();
    EXPECT_TRUE(hog->LoadText("Small", "small = 1", 9));

    MarkLog();
    EXPECT_FALSE(hog->CallUpdate(0.1f));
    EXPECT_TRUE(LogHas("Small: Could not convert stack top to function (Update is missing or not "
                       "a function)"))
        << LogText();
    LuaComponent::Destroy(hog);
}

TEST(ScriptExit, OsExitWritesTheLogAndALineNamingTheScript)
{
    const std::string path = TempPath("quill-exit-%%%%-%%%%.txt");
    EXPECT_EXIT(
        {
            Core::System::LogSystem log(path);
            Core::Log() << "a line before the end\n";
            LuaComponent script;
            const char text[] = "os.exit(3)";
            script.LoadText("Leaver", text, sizeof(text) - 1);
        },
        testing::ExitedWithCode(3), "");
    const std::string written = ReadFile(path);
    std::remove(path.c_str());
    EXPECT_NE(written.find("a line before the end\n"), std::string::npos) << written;
    EXPECT_NE(written.find("Error [Scripting]: Leaver called os.exit(3)"), std::string::npos)
        << written;
}
