// Call thunks: how Lua values reach engine parameters and how results come back.
#include "Scripting/CallThunk.h"
#include "tests/Scripting/LuaTestState.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Scripting;

namespace
{
struct Received
{
    s32 integer = -99;
    u32 unsignedValue = 99;
    s16 shortValue = 99;
    f32 number = -99.0f;
    bool flag = false;
    const char* text = "untouched";
    std::string copied;
    int calls = 0;
};
Received g_received;

void TakeIntegers(s32 value, u32 unsignedValue, s16 shortValue)
{
    g_received.integer = value;
    g_received.unsignedValue = unsignedValue;
    g_received.shortValue = shortValue;
    ++g_received.calls;
}

void TakeNumberAndFlag(f32 number, bool flag)
{
    g_received.number = number;
    g_received.flag = flag;
    ++g_received.calls;
}

void TakeText(const char* text)
{
    g_received.text = text;
    g_received.copied = text != nullptr ? text : "<null>";
    ++g_received.calls;
}

void TakeNothing()
{
    ++g_received.calls;
}

u32 GiveUnsigned(u32 value)
{
    return value;
}

bool GiveNot(bool value)
{
    return !value;
}

s32 Throwing(s32)
{
    throw std::runtime_error("out of widgets");
}

// The callers engine functions see: each records CallingScriptName() when it runs.
std::vector<std::string> g_callers;
lua_State* g_innerState = nullptr;

// Runs `text` as the chunk "@<file>" (so the caller reads "<file>:<line>"); false with the
// error printed when it fails.
bool RunNamed(lua_State* state, const char* file, const char* text)
{
    const std::string chunkName = std::string("@") + file;
    if (luaL_loadbuffer(state, text, std::strlen(text), chunkName.c_str()) == LUA_OK &&
        lua_pcall(state, 0, 0, 0) == LUA_OK)
        return true;
    ADD_FAILURE() << lua_tostring(state, -1);
    lua_settop(state, 0);
    return false;
}

void RecordCaller()
{
    g_callers.push_back(CallingScriptName());
}

// Records its caller, runs a chunk of another state that calls back into the engine, and
// records its caller again.
void CallOtherState()
{
    RecordCaller();
    RunNamed(g_innerState, "Inner.lua", "\nprobe.caller()");
    RecordCaller();
}

s32 RecordCallerAndThrow(s32)
{
    RecordCaller();
    throw std::runtime_error("refused");
}

class ThunkTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_received = Received();
        Namespace probe(lua.state, "probe");
        BindFunction(probe, "integers", &TakeIntegers);
        BindFunction(probe, "numberAndFlag", &TakeNumberAndFlag);
        BindFunction(probe, "text", &TakeText);
        BindFunction(probe, "nothing", &TakeNothing);
        BindFunction(probe, "unsigned", &GiveUnsigned);
        BindFunction(probe, "negate", &GiveNot);
        BindFunction(probe, "throwing", &Throwing);
        BindFunction<&RecordCaller>(probe, "caller");
        BindFunction<&CallOtherState>(probe, "callOther");
        BindFunction<&RecordCallerAndThrow>(probe, "callerThrows");
        probe.Close();
    }

    LuaTestState lua;
};
} // namespace

TEST_F(ThunkTest, IntegersTruncateTowardZeroAndKeepTheLow32Bits)
{
    struct Case
    {
        const char* arguments;
        s32 integer;
        u32 unsignedValue;
        s16 shortValue;
    };
    const Case cases[] = {
        {"2.9, -2.9, 7", 2, 4294967294u, 7},
        {"-1, -1, -1", -1, 4294967295u, -1},
        {"4294967295, 4294967295, 65535", -1, 4294967295u, -1},
        {"'12', ' 0x10 ', '3.5'", 12, 16, 3},
        {"nil, {}, true", 0, 0, 0},
        {"", 0, 0, 0},
        {"1e300, 0/0, -1e300", 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(lua.Run(std::string("probe.integers(") + c.arguments + ")")) << lua.error;
        EXPECT_EQ(c.integer, g_received.integer) << c.arguments;
        EXPECT_EQ(c.unsignedValue, g_received.unsignedValue) << c.arguments;
        EXPECT_EQ(c.shortValue, g_received.shortValue) << c.arguments;
    }
}

TEST_F(ThunkTest, FloatsAndBooleansFollowLuaTruth)
{
    struct Case
    {
        const char* arguments;
        f32 number;
        bool flag;
    };
    const Case cases[] = {
        {"1.5, 0", 1.5f, true}, // 0 is a true value in Lua
        {"'2.25', false", 2.25f, false}, {"'abc', nil", 0.0f, false},
        {"0.1, 'no'", 0.1f, true},       {"", 0.0f, false},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(lua.Run(std::string("probe.numberAndFlag(") + c.arguments + ")")) << lua.error;
        EXPECT_EQ(c.number, g_received.number) << c.arguments;
        EXPECT_EQ(c.flag, g_received.flag) << c.arguments;
    }
}

TEST_F(ThunkTest, TextIsNeverNull)
{
    struct Case
    {
        const char* arguments;
        const char* text;
    };
    const Case cases[] = {
        {"'hello'", "hello"}, {"42", "42"}, {"", ""}, {"nil", ""}, {"{}", ""}, {"true", ""},
    };
    for (const Case& c : cases)
    {
        g_received.text = nullptr;
        ASSERT_TRUE(lua.Run(std::string("probe.text(") + c.arguments + ")")) << lua.error;
        ASSERT_NE(nullptr, g_received.text) << c.arguments;
        EXPECT_EQ(c.text, g_received.copied) << c.arguments;
    }
}

TEST_F(ThunkTest, SurplusArgumentsAreIgnoredAndResultsPushedByKind)
{
    ASSERT_TRUE(lua.Run("return probe.nothing(1, 2, 3)"));
    EXPECT_EQ(1, g_received.calls);
    EXPECT_EQ(0, lua_gettop(lua.state));

    EXPECT_EQ(4294967295.0, lua.Number("return probe.unsigned(-1)"));
    EXPECT_TRUE(lua.Bool("return probe.negate(false)"));
    EXPECT_EQ("boolean", lua.Text("return type(probe.negate(nil))"));
}

TEST_F(ThunkTest, ExceptionOfTheEngineFunctionBecomesALuaError)
{
    EXPECT_FALSE(lua.Run("probe.throwing(1)"));
    EXPECT_NE(std::string::npos, lua.error.find("engine function failed: out of widgets"))
        << lua.error;
    // The state is still usable afterwards.
    EXPECT_EQ(5, lua.Number("return probe.unsigned(5)"));
}

// The script named in an engine function's log lines is the one whose call is running: known
// for the call alone, the same again after a call into another script returned, and unknown
// ("a script") once no call runs, also after an engine function that failed.
TEST_F(ThunkTest, TheCallingScriptIsKnownForItsCallAlone)
{
    LuaTestState inner;
    Namespace probe(inner.state, "probe");
    BindFunction<&RecordCaller>(probe, "caller");
    probe.Close();
    g_innerState = inner.state;
    g_callers.clear();

    EXPECT_EQ("a script", CallingScriptName());
    ASSERT_TRUE(RunNamed(lua.state, "Outer.lua", "probe.caller()\n\nprobe.callOther()"));
    const std::vector<std::string> expected = {"Outer.lua:1", "Outer.lua:3", "Inner.lua:2",
                                               "Outer.lua:3"};
    EXPECT_EQ(expected, g_callers);
    EXPECT_EQ("a script", CallingScriptName());

    g_callers.clear();
    EXPECT_FALSE(lua.Run("probe.callerThrows(1)"));
    EXPECT_EQ(1u, g_callers.size());
    EXPECT_EQ("a script", CallingScriptName());
    g_innerState = nullptr;
}
