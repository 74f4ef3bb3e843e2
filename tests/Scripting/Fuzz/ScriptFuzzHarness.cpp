#include "tests/Scripting/Fuzz/ScriptFuzzHarness.h"
#include "Scripting/LuaComponent.h"
#include <string>

namespace
{
// About half a million instructions per call, and 16 MB.
constexpr u32 FuzzBudgetLooks = 50;
constexpr std::size_t FuzzMemoryLimit = 16u * 1024u * 1024u;

constexpr const char WithoutTheOutside[] =
    "os = {time = os.time, clock = os.clock, date = os.date}\n"
    "io, require, dofile, loadfile, package = nil, nil, nil, nil, nil\n";
} // namespace

void RunScriptFuzzInput(const std::uint8_t* data, std::size_t size)
{
    Scripting::LuaComponent script;
    Scripting::ScriptLimits& limits = script.GetLimits();
    limits.budgetLooks = FuzzBudgetLooks;
    limits.memoryLimit = FuzzMemoryLimit;
    if (!script.LoadText("prelude", WithoutTheOutside, sizeof(WithoutTheOutside) - 1))
        return;
    script.LoadText("fuzz input", reinterpret_cast<const char*>(data), size);
    script.ClearStack();

    bool flag = false;
    s32 number = 0;
    u32 unsignedNumber = 0;
    f32 real = 0.0f;
    std::string text;
    script.CallUpdate(0.016f);
    script.Call("Init");
    script.CallWithFloat("F", 0.5f);
    script.CallWithTwoUnsigned("G", 1u, 2u);
    script.CallWithIntAndShort("H", -3, 7);
    script.CallReturnBool("B", flag);
    script.CallReturnUnsigned("U", unsignedNumber);
    script.CallIntReturnInt("I", 4, number);
    script.CallIntReturnString("S", 5, text);
    script.CallUnsignedReturnString("S", 6u, text);
    script.CallBoolFunction("B", 7u, flag);
    script.GetGlobalString("name", text);
    script.GetGlobalFloat("speed", real);
    script.GetTableFloat("settings", "speed", real);
    script.GetTableString("settings", "name", text);
    script.ClearStack();
}
