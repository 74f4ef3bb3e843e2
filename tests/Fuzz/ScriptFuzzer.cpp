// libFuzzer entry over the binding layer: every input is a script run in a script component's
// state with the full binding layer, whose functions the engine then calls
// (ScriptFuzzHarness.h).
#include "ScriptApi/ScriptApiRegistration.h"
#include "tests/Scripting/Fuzz/ScriptFuzzHarness.h"

// The script tables, as in the game, before the first input runs.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Scripting::RegisterScriptTables();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RunScriptFuzzInput(data, size);
    return 0;
}
