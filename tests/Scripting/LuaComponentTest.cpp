// The script component: loading, the call helpers with right and wrong result types, protected
// calls, readers, reloads and the reads of globals and table fields.
#include "Scripting/TestClass.h"
#include "tests/Scripting/ScriptTestEnvironment.h"
#include <cstring>
#include <gtest/gtest.h>
#include <string>

using Scripting::LuaComponent;

namespace
{
const char* const CallScript = R"(
calls = 0
function Touch() calls = calls + 1 end
function Echo(...) last = {...} calls = calls + 1 end
function Twice(n) return n * 2 end
function Yes(n) return n > 0 end
function One() return 1 end
function Half() return 2.5 end
function Name(i) return "item" .. i end
function Truth() return true end
function Nothing() end
function Negative() return -7.9 end
function Huge() return 4294967295 end
function Fails(n) error("broken on " .. tostring(n)) end
notAFunction = 12
)";
} // namespace

// The tour: a script file is loaded by name, answers calls with arguments, and reports what
// goes wrong without stopping the program.
TEST_F(ScriptTest, GuidedTourLoadCallAndReport)
{
    LuaComponent* script = LoadScript("Tour.lua", "function Double(n) return n * 2 end");
    EXPECT_EQ("Tour.lua", script->GetFileName());
    EXPECT_TRUE(script->IsRegistered());
    EXPECT_EQ(1u, lua.GetScriptCount());

    s32 doubled = 0;
    EXPECT_TRUE(script->CallIntReturnInt("Double", 21, doubled));
    EXPECT_EQ(42, doubled);

    EXPECT_FALSE(script->Call("Missing"));
    EXPECT_TRUE(LogHas("Tour.lua: Could not convert stack top to function"));
    LuaComponent::Destroy(script);
    EXPECT_EQ(0u, lua.GetScriptCount());
}

TEST_F(ScriptTest, LoadFailuresNameTheFileAndLuasMessage)
{
    WriteScript("Syntax.lua", "function Broken( end");
    WriteScript("Raises.lua", "before = 1\nerror('top level fails')\nafter = 2");
    LuaComponent* script = LuaComponent::Create();
    EXPECT_EQ(LuaComponent::NoScriptLabel, script->GetFileName());

    struct Case
    {
        const char* file;
        const char* luaMessage;
    };
    const Case cases[] = {
        {"Missing.lua", "cannot open assets/Scripts/Missing.lua"},
        {"Syntax.lua", "assets/Scripts/Syntax.lua:1:"},
        {"Raises.lua", "top level fails"},
    };
    for (const Case& c : cases)
    {
        MarkLog();
        EXPECT_FALSE(script->Load(c.file));
        EXPECT_TRUE(LogHas(std::string(c.file) +
                           " could not be loaded, make sure it exists and compiles: "))
            << LogText();
        EXPECT_TRUE(LogHas(c.luaMessage)) << LogText();
        EXPECT_EQ(LuaComponent::NoScriptLabel, script->GetFileName());
        EXPECT_FALSE(script->IsRegistered());
        EXPECT_EQ(0, lua_gettop(script->GetState()));
    }
    // The top level ran up to its error.
    s32 before = 0;
    EXPECT_TRUE(script->GetGlobalInt("before", before));
    EXPECT_EQ(1, before);
    // Later calls name the script that failed, after the label of a component without one.
    MarkLog();
    EXPECT_FALSE(script->Call("OnEnter"));
    EXPECT_TRUE(LogHas("No Script Loaded (Raises.lua failed to load): ")) << LogText();
    LuaComponent::Destroy(script);
}

TEST_F(ScriptTest, PrecompiledChunksAreRefused)
{
    LuaComponent* maker = LuaComponent::Create();
    lua_State* state = maker->GetState();
    ASSERT_EQ(LUA_OK, luaL_dostring(state, "return string.dump(function() x = 1 end)"));
    std::size_t length = 0;
    const char* chunk = lua_tolstring(state, -1, &length);
    WriteScript("Binary.lua", std::string(chunk, length));
    maker->ClearStack();

    EXPECT_FALSE(maker->Load("Binary.lua"));
    EXPECT_TRUE(LogHas("Binary.lua could not be loaded")) << LogText();
    EXPECT_TRUE(LogHas("binary")) << LogText();
    LuaComponent::Destroy(maker);
}

TEST_F(ScriptTest, EveryCallHelperWithRightAndWrongResults)
{
    LuaComponent* script = LoadScript("Calls.lua", CallScript);
    MarkLog();

    EXPECT_TRUE(script->Call("Touch"));
    EXPECT_TRUE(script->CallWithFloat("Echo", 0.5f));
    EXPECT_TRUE(script->CallWithInt("Echo", -3));
    EXPECT_TRUE(script->CallWithUnsigned("Echo", 4294967295u));
    EXPECT_TRUE(script->CallWithTwoUnsigned("Echo", 1, 2));
    EXPECT_TRUE(script->CallWithIntAndShort("Echo", 5, -6));
    EXPECT_TRUE(script->CallUpdate(0.25f) == false); // no Update in this script
    s32 calls = 0;
    ASSERT_TRUE(script->GetGlobalInt("calls", calls));
    EXPECT_EQ(6, calls);
    ASSERT_TRUE(script->Call("Nothing"));
    lua_State* state = script->GetState();
    ASSERT_EQ(LUA_OK, luaL_dostring(state, "return last[1] .. ',' .. last[2]"));
    EXPECT_STREQ("5,-6", lua_tostring(state, -1));
    script->ClearStack();
    MarkLog();

    bool flag = false;
    u32 count = 0;
    s32 number = 0;
    std::string text;
    EXPECT_TRUE(script->CallReturnBool("Truth", flag));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(script->CallReturnUnsigned("Huge", count));
    EXPECT_EQ(4294967295u, count);
    EXPECT_TRUE(script->CallReturnInt("Negative", number));
    EXPECT_EQ(-7, number);
    EXPECT_TRUE(script->CallBoolFunction("Yes", 3, flag));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(script->CallUnsignedReturnString("Name", 7, text));
    EXPECT_EQ("item7", text);
    EXPECT_TRUE(script->CallIntReturnInt("Twice", 40, number));
    EXPECT_EQ(80, number);
    EXPECT_TRUE(script->CallIntReturnString("Half", 0, text));
    EXPECT_EQ("2.5", text);
    EXPECT_FALSE(LogHas("Could not convert")) << LogText();
    EXPECT_EQ(0, lua_gettop(state));

    // Wrong result types: reported, the variable kept, the helper still true.
    struct WrongCase
    {
        const char* typeWord;
        bool (*call)(LuaComponent&);
    };
    const WrongCase wrong[] = {
        {"bool",
         [](LuaComponent& s)
         {
             bool v = false;
             return s.CallReturnBool("One", v) && !v;
         }},
        {"bool",
         [](LuaComponent& s)
         {
             bool v = true;
             return s.CallBoolFunction("Nothing", 1, v) && v;
         }},
        {"number",
         [](LuaComponent& s)
         {
             u32 v = 9;
             return s.CallReturnUnsigned("Truth", v) && v == 9;
         }},
        {"number",
         [](LuaComponent& s)
         {
             s32 v = 9;
             return s.CallReturnInt("Nothing", v) && v == 9;
         }},
        {"number",
         [](LuaComponent& s)
         {
             s32 v = 9;
             return s.CallIntReturnInt("Name", 1, v) && v == 9;
         }},
        {"string",
         [](LuaComponent& s)
         {
             std::string v = "kept";
             return s.CallIntReturnString("Nothing", 1, v) && v == "kept";
         }},
        {"string",
         [](LuaComponent& s)
         {
             std::string v = "kept";
             return s.CallUnsignedReturnString("Nothing", 1, v) && v == "kept";
         }},
    };
    for (const WrongCase& c : wrong)
    {
        MarkLog();
        EXPECT_TRUE(c.call(*script)) << c.typeWord;
        EXPECT_TRUE(LogHas(std::string("Calls.lua: Could not convert stack top to ") + c.typeWord))
            << LogText();
        EXPECT_EQ(0, lua_gettop(state));
    }

    // A name that is no function: reported, nothing called, variable unchanged.
    MarkLog();
    bool untouched = true;
    EXPECT_FALSE(script->CallReturnBool("notAFunction", untouched));
    EXPECT_TRUE(untouched);
    EXPECT_EQ(1u, LogCount("Calls.lua: Could not convert stack top to function"));
    LuaComponent::Destroy(script);
}

TEST_F(ScriptTest, RunTimeErrorIsLoggedAndTheStackRestored)
{
    LuaComponent* script = LoadScript("Errors.lua", CallScript);
    lua_State* state = script->GetState();
    lua_pushinteger(state, 99); // something the caller keeps on the stack
    MarkLog();

    s32 result = 5;
    EXPECT_FALSE(script->CallIntReturnInt("Fails", 3, result));
    EXPECT_EQ(5, result);
    EXPECT_TRUE(LogHas("Errors.lua: assets/Scripts/Errors.lua:")) << LogText();
    EXPECT_TRUE(LogHas(": broken on 3\n")) << LogText();
    ASSERT_EQ(1, lua_gettop(state));
    EXPECT_EQ(99, lua_tointeger(state, 1));

    // Engine failures inside the script's call are reported the same way.
    EXPECT_EQ(LUA_OK,
              luaL_loadstring(state, "function Bad() testing.TestClass.SetValue(1, 2) end"));
    lua_call(state, 0, 0);
    EXPECT_FALSE(script->Call("Bad"));
    EXPECT_TRUE(LogHas("Expected non-null object as first argument to method call")) << LogText();
    EXPECT_TRUE(script->Call("Touch"));
    LuaComponent::Destroy(script);
}

// A caller may leave any number of values on the stack (a chunk's results fill it to its frame's
// end): with few of them a call has room without asking, with more it makes room; either way
// the values stay as they were.
TEST_F(ScriptTest, CallsFindRoomOnACrowdedStack)
{
    LuaComponent* script = LoadScript("Crowded.lua", CallScript);
    lua_State* state = script->GetState();
    MarkLog();
    for (int values = 1; values <= 3 * LUA_MINSTACK; values += 3)
    {
        std::string chunk = "return 0";
        for (int i = 1; i < values; ++i)
            chunk += "," + std::to_string(i);
        ASSERT_EQ(LUA_OK, luaL_dostring(state, chunk.c_str())) << values;
        ASSERT_EQ(values, lua_gettop(state));

        EXPECT_TRUE(script->CallWithThreeFloats("Echo", 1.0f, 2.0f, 3.0f)) << values;
        s32 result = 0;
        EXPECT_TRUE(script->CallIntReturnInt("Twice", values, result)) << values;
        EXPECT_EQ(2 * values, result);
        ASSERT_EQ(values, lua_gettop(state));
        EXPECT_EQ(values - 1, lua_tointeger(state, -1));
        EXPECT_EQ(0, lua_tointeger(state, 1));
        lua_settop(state, 0);
    }
    EXPECT_FALSE(LogHas("stack room")) << LogText();
    LuaComponent::Destroy(script);
}

TEST_F(ScriptTest, MissingUpdateIsReportedOncePerState)
{
    LuaComponent* script = LoadScript("NoUpdate.lua", "x = 1");
    MarkLog();
    for (int frame = 0; frame < 3; ++frame)
        EXPECT_FALSE(script->CallUpdate(0.016f));
    EXPECT_EQ(1u, LogCount("NoUpdate.lua: Could not convert stack top to function")) << LogText();

    script->Reload();
    script->CallUpdate(0.016f);
    EXPECT_EQ(2u, LogCount("NoUpdate.lua: Could not convert stack top to function"));
    LuaComponent::Destroy(script);
}

// Every call looks its function up by name: a script that assigns a new function to the name is
// obeyed on the next call, whether the name is a literal of the program (known by its address)
// or text whose memory is used again for another name, and with more names than a component
// keeps at once.
TEST_F(ScriptTest, CallsFollowTheNameToItsCurrentFunction)
{
    LuaComponent* script = LoadScript("Reassigns.lua", R"(
first, second, other = 0, 0, 0
function Update(dt) first = first + 1 Update = function(dt) second = second + 1 end end
function Drop() Update = nil end
function Restore() function Update(dt) first = first + 10 end end
function Other() other = other + 1 end
for i = 1, 12 do _G["Count" .. i] = function() _G["counted" .. i] = (_G["counted" .. i] or 0) + 1 end end
)");
    auto global = [&](const char* name)
    {
        s32 value = -1;
        EXPECT_TRUE(script->GetGlobalInt(name, value)) << name;
        return value;
    };

    EXPECT_TRUE(script->CallUpdate(0.1f));
    EXPECT_TRUE(script->Call("Update"));
    EXPECT_TRUE(script->CallUpdate(0.1f));
    EXPECT_EQ(1, global("first"));
    EXPECT_EQ(2, global("second"));

    MarkLog();
    EXPECT_TRUE(script->Call("Drop"));
    EXPECT_FALSE(script->CallUpdate(0.1f));
    EXPECT_TRUE(LogHas("Reassigns.lua: Could not convert stack top to function")) << LogText();
    EXPECT_TRUE(script->Call("Restore"));
    EXPECT_TRUE(script->CallUpdate(0.1f));
    EXPECT_EQ(11, global("first"));

    // The same memory holding another name.
    char name[16] = "Update";
    EXPECT_TRUE(script->Call(name));
    std::strcpy(name, "Other");
    EXPECT_TRUE(script->Call(name));
    EXPECT_EQ(21, global("first"));
    EXPECT_EQ(1, global("other"));

    for (int round = 0; round < 2; ++round)
        for (int i = 1; i <= 12; ++i)
            EXPECT_TRUE(script->Call(("Count" + std::to_string(i)).c_str())) << i;
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(2, global(("counted" + std::to_string(i)).c_str())) << i;
    LuaComponent::Destroy(script);
}

TEST_F(ScriptTest, StrictGlobalTableCannotRaiseOutsideAProtectedCall)
{
    LuaComponent* script = LoadScript("Strict.lua", R"(
local strict = {__index = function(_, name) error("undeclared " .. name) end}
settings = setmetatable({speed = 2.5}, strict)
setmetatable(_G, strict)
function Update(dt) end)");
    MarkLog();
    EXPECT_FALSE(script->Call("Missing"));
    EXPECT_TRUE(LogHas("Strict.lua: Could not convert stack top to function"));
    EXPECT_TRUE(script->CallUpdate(0.1f));
    f32 value = 3.0f;
    EXPECT_FALSE(script->GetGlobalFloat("missing", value));
    EXPECT_FALSE(script->GetTableFloat("settings", "missing", value));
    EXPECT_EQ(3.0f, value);
    EXPECT_TRUE(script->GetTableFloat("settings", "speed", value));
    EXPECT_EQ(2.5f, value);
    EXPECT_FALSE(LogHas("undeclared")) << LogText();
    LuaComponent::Destroy(script);
}

// A finalizer that raises must only ever run inside a protected call: a collector step taken
// while the engine looks up a name or reads a number result as text would end the process.
TEST_F(ScriptTest, FailingFinalizersNeverRunOutsideAProtectedCall)
{
    LuaComponent* script = LoadScript("Finalizers.lua", R"(
armed = false
function Prepare()
    for i = 1, 200 do
        setmetatable({}, {__gc = function() if armed then error("finalizer fails") end end})
    end
    armed = true
end
function Number(i) return i + 0.5 end
function Churn() for i = 1, 20000 do local t = {} end end
function Raise() error(42, 0) end)");
    ASSERT_TRUE(script->Call("Prepare"));
    MarkLog();
    std::string text;
    s32 ignored = 0;
    for (s32 i = 0; i < 2000; ++i)
    {
        script->CallIntReturnString("Number", i, text);
        script->GetGlobalInt(("missing" + std::to_string(i)).c_str(), ignored);
    }
    // Each failing finalizer is the error of the call it ran in, logged like any other; once
    // they have all run, the script works as before.
    for (int attempt = 0; attempt < 300 && !script->Call("Churn"); ++attempt)
    {
    }
    EXPECT_TRUE(LogHas("Finalizers.lua: error in __gc metamethod")) << LogText();
    EXPECT_TRUE(LogHas("finalizer fails"));
    EXPECT_TRUE(script->CallIntReturnString("Number", 1, text));
    EXPECT_EQ("1.5", text);

    // An error value that is a number is reported as its text.
    MarkLog();
    EXPECT_FALSE(script->Call("Raise"));
    EXPECT_TRUE(LogHas("Finalizers.lua: 42\n")) << LogText();
    LuaComponent::Destroy(script);
}

// The Lua core is linked into the executable: a native module would bring a second copy, so
// states load none. Lua modules load from the scripts folder, as text only, for a script loaded
// from a file and for one loaded from text alike.
TEST_F(ScriptTest, StatesLoadLuaModulesFromTheScriptsFolderButNoNativeCode)
{
    WriteScript("Modules/Five.lua", "return 5");
    std::ofstream("outside.lua") << "return 6";
    std::ofstream("nativemodule.so") << "not a library";
    LuaComponent* maker = LuaComponent::Create();
    ASSERT_EQ(LUA_OK, luaL_dostring(maker->GetState(), "return string.dump(function() end)"));
    std::size_t length = 0;
    const char* chunk = lua_tolstring(maker->GetState(), -1, &length);
    WriteScript("Modules/Binary.lua", std::string(chunk, length));
    LuaComponent::Destroy(maker);

    const std::string check = R"(
function Check()
    package.cpath = "./?.so"
    local native, nativeMessage = pcall(require, "nativemodule")
    local outside = pcall(require, "outside")
    local binary, binaryMessage = pcall(require, "Modules.Binary")
    return package.loadlib == nil and #package.searchers == 2
        and require("Modules.Five") == 5 and not outside
        and not native and nativeMessage:find("module 'nativemodule' not found", 1, true) ~= nil
        and not binary and binaryMessage:find("binary", 1, true) ~= nil
end)";
    LuaComponent* script = LoadScript("Modules.lua", check);
    LuaComponent* text = LuaComponent::Create();
    EXPECT_TRUE(text->LoadText("Text", check.data(), check.size()));
    for (LuaComponent* component : {script, text})
    {
        bool checked = false;
        EXPECT_TRUE(component->CallReturnBool("Check", checked));
        EXPECT_TRUE(checked) << component->GetFileName();
        LuaComponent::Destroy(component);
    }
}

TEST_F(ScriptTest, ReadersConvertOrReport)
{
    LuaComponent* script = LuaComponent::Create();
    lua_State* state = script->GetState();

    std::string text;
    lua_pushboolean(state, 0);
    EXPECT_TRUE(script->ReadString(text, -1));
    EXPECT_EQ("false", text);
    lua_pushinteger(state, 3);
    EXPECT_TRUE(script->ReadString(text, -1));
    EXPECT_EQ("3", text);
    lua_pushlstring(state, "ab\0cd", 5);
    EXPECT_TRUE(script->ReadString(text, -1));
    EXPECT_EQ("ab", text);
    MarkLog();
    lua_pushnil(state);
    EXPECT_FALSE(script->ReadString(text, -1));
    EXPECT_TRUE(LogHas("No Script Loaded: Could not convert stack top to string"));
    EXPECT_EQ(0, lua_gettop(state));

    s32 integer = 0;
    u32 unsignedValue = 0;
    f32 number = 0.0f;
    lua_pushnumber(state, 2.9);
    EXPECT_TRUE(script->ReadInt(integer, -1));
    EXPECT_EQ(2, integer);
    lua_pushnumber(state, -2.9);
    EXPECT_TRUE(script->ReadInt(integer, -1));
    EXPECT_EQ(-2, integer);
    lua_pushnumber(state, 4294967295.0);
    EXPECT_TRUE(script->ReadUnsigned(unsignedValue, -1));
    EXPECT_EQ(4294967295u, unsignedValue);
    lua_pushstring(state, "0.75");
    EXPECT_TRUE(script->ReadNumber(number, -1));
    EXPECT_EQ(0.75f, number);
    script->ClearStack();

    // An empty stack is reported, and the read goes on to its type error.
    MarkLog();
    bool flag = true;
    EXPECT_FALSE(script->ReadBool(flag, -1));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(LogHas("No Script Loaded's stack is empty"));
    EXPECT_TRUE(LogHas("No Script Loaded: Could not convert stack top to bool"));
    LuaComponent::Destroy(script);
}

// A number a reader cannot hold is a script fault, not a 0 or an infinity: NaN, infinities and
// numbers beyond the 64-bit (integers) or float range are named and leave the value as it was.
TEST_F(ScriptTest, ReadersRefuseNumbersTheyCannotHold)
{
    LuaComponent* script = LoadScript("Numbers.lua", R"(
        Settings = { speed = 0/0, far = 1e300 }
        function Count() return -(0/0) end
        function Endless() return math.huge end)");
    f32 number = 1.5f;
    EXPECT_FALSE(script->GetTableFloat("Settings", "speed", number));
    EXPECT_FALSE(script->GetTableFloat("Settings", "far", number));
    EXPECT_EQ(1.5f, number);
    EXPECT_TRUE(LogHas("Numbers.lua: Could not convert stack top to float: -nan is out of range") ||
                LogHas("Numbers.lua: Could not convert stack top to float: nan is out of range"))
        << LogText();
    EXPECT_TRUE(LogHas("Numbers.lua: Could not convert stack top to float: 1e+300 is out of range"))
        << LogText();
    s32 integer = 7;
    u32 unsignedValue = 8u;
    EXPECT_TRUE(script->CallReturnInt("Count", integer));
    EXPECT_TRUE(script->CallReturnUnsigned("Endless", unsignedValue));
    EXPECT_EQ(7, integer);
    EXPECT_EQ(8u, unsignedValue);
    EXPECT_TRUE(LogHas("Numbers.lua: Could not convert stack top to number: inf is out of range"))
        << LogText();
    EXPECT_EQ(0, lua_gettop(script->GetState()));
}

TEST_F(ScriptTest, GlobalsAndTableFieldsReadByType)
{
    LuaComponent* script = LoadScript("Settings.lua", R"(
fullscreen = false
width = 1280.7
title = "Quillmere"
ability = { cooldown = 2.5, charges = 3, ranged = true, name = "Bolt", flag = "yes" }
notATable = 4)");
    MarkLog();

    bool fullscreen = true;
    s32 width = 0;
    std::string title;
    EXPECT_TRUE(script->GetGlobalBool("fullscreen", fullscreen));
    EXPECT_FALSE(fullscreen);
    EXPECT_TRUE(script->GetGlobalInt("width", width));
    EXPECT_EQ(1280, width);
    EXPECT_TRUE(script->GetGlobalString("title", title));
    EXPECT_EQ("Quillmere", title);

    f32 cooldown = 0.0f;
    u32 charges = 0;
    bool ranged = false;
    std::string name;
    EXPECT_TRUE(script->GetTableFloat("ability", "cooldown", cooldown));
    EXPECT_EQ(2.5f, cooldown);
    EXPECT_TRUE(script->GetTableNumber("ability", "charges", charges));
    EXPECT_EQ(3u, charges);
    EXPECT_TRUE(script->GetTableBool("ability", "ranged", ranged));
    EXPECT_TRUE(ranged);
    EXPECT_TRUE(script->GetTableString("ability", "name", name));
    EXPECT_EQ("Bolt", name);
    EXPECT_FALSE(LogHas("Could not convert")) << LogText();
    EXPECT_EQ(0, lua_gettop(script->GetState()));

    // Wrong type or missing: reported, value kept. No table: false, nothing read.
    bool flag = false;
    EXPECT_FALSE(script->GetTableBool("ability", "flag", flag));
    EXPECT_FALSE(script->GetTableFloat("ability", "missing", cooldown));
    EXPECT_EQ(2.5f, cooldown);
    EXPECT_EQ(1u, LogCount("Settings.lua: Could not convert stack top to bool"));
    EXPECT_EQ(1u, LogCount("Settings.lua: Could not convert stack top to number"));
    MarkLog();
    EXPECT_FALSE(script->GetTableNumber("notATable", "charges", charges));
    EXPECT_FALSE(script->GetTableNumber("noSuchTable", "charges", charges));
    EXPECT_EQ(3u, charges);
    EXPECT_FALSE(script->GetGlobalBool("title", fullscreen));
    EXPECT_TRUE(LogHas("Settings.lua: Could not convert stack top to bool"));
    EXPECT_EQ(0, lua_gettop(script->GetState()));
    LuaComponent::Destroy(script);
}

TEST_F(ScriptTest, ReloadGivesAFreshStateWithTheApiAndKeepsNameAndPlace)
{
    LuaComponent* first =
        LoadScript("Counter.lua", "count = (count or 0) + 1\nobject = testing.TestClass()");
    LuaComponent* second = LoadScript("Other.lua", "x = 1");
    first->SetScriptName("counter");
    const s32 liveBefore = Scripting::TestClass::GetLiveCount();
    ASSERT_EQ(LUA_OK, luaL_dostring(first->GetState(), "count = 10"));

    first->Reload();
    s32 count = 0;
    EXPECT_TRUE(first->GetGlobalInt("count", count));
    EXPECT_EQ(1, count);
    EXPECT_EQ("counter", first->GetScriptName());
    EXPECT_EQ(first, lua.GetScript("counter"));
    EXPECT_EQ(liveBefore, Scripting::TestClass::GetLiveCount()); // old object gone, new one made
    ASSERT_EQ(LUA_OK, luaL_dostring(first->GetState(), "return test.a(1.5)"));
    EXPECT_EQ(1.5, lua_tonumber(first->GetState(), -1));
    first->ClearStack();

    // A reload whose file has gone keeps the fresh, empty state and its registration.
    std::filesystem::remove("assets/Scripts/Counter.lua");
    MarkLog();
    first->Reload();
    EXPECT_TRUE(LogHas("Counter.lua could not be loaded"));
    EXPECT_FALSE(first->GetGlobalInt("count", count));
    EXPECT_TRUE(first->IsRegistered());
    EXPECT_EQ(2u, lua.GetScriptCount());

    // A component that never loaded only gets a fresh state.
    LuaComponent* empty = LuaComponent::Create();
    MarkLog();
    empty->Reload();
    EXPECT_EQ("", LogText());
    EXPECT_NE(nullptr, empty->GetState());
    LuaComponent::Destroy(empty);
    LuaComponent::Destroy(second);
    LuaComponent::Destroy(first);
}

TEST_F(ScriptTest, ComponentsNeverShareAState)
{
    LuaComponent* a = LoadScript("Shared.lua", "value = 1");
    LuaComponent* b = LuaComponent::Create();
    ASSERT_TRUE(b->Load("Shared.lua"));
    ASSERT_EQ(LUA_OK, luaL_dostring(a->GetState(), "value = 2"));
    s32 value = 0;
    EXPECT_TRUE(b->GetGlobalInt("value", value));
    EXPECT_EQ(1, value);

    // A second successful load does not register twice.
    ASSERT_TRUE(b->Load("Shared.lua"));
    EXPECT_EQ(2u, lua.GetScriptCount());
    LuaComponent::Destroy(a);
    LuaComponent::Destroy(b);
}

TEST_F(ScriptTest, ShutdownLeavesNoStateAndLeavesTheSystem)
{
    LuaComponent* script = LoadScript("Short.lua", "function Update(dt) end");
    EXPECT_EQ(LuaComponent::GetTypeName(), script->GetName());
    EXPECT_EQ(0u, script->GetOwner());
    script->Shutdown();
    EXPECT_EQ(nullptr, script->GetState());
    EXPECT_FALSE(script->IsRegistered());
    EXPECT_EQ(0u, lua.GetScriptCount());
    MarkLog();
    EXPECT_FALSE(script->Call("Update"));
    EXPECT_TRUE(LogHas("Short.lua: Update: there is no Lua state to call it in"));
    LuaComponent::Destroy(script);
}

TEST_F(ScriptTest, ScriptApiEntriesReachTheLog)
{
    LuaComponent* script = LoadScript("Api.lua", R"(
TestFunction()
Engine.Output("hello from a script")
Engine.Output(42)
Engine.Output())");
    EXPECT_TRUE(LogHas("Ran test function\n"));
    EXPECT_TRUE(LogHas("hello from a script\n"));
    EXPECT_TRUE(LogHas("42\n"));
    LuaComponent::Destroy(script);
}
