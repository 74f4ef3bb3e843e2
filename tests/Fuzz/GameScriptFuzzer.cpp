// libFuzzer entry over the game's script roles: every input is loaded as a state, a page, an
// ability and an emitter script whose callbacks the engine then calls (GameScriptFuzzHarness.h).
#include "ScriptApi/ScriptApiRegistration.h"
#include "tests/Logic/Fuzz/GameScriptFuzzHarness.h"

// The script tables, as in the game, before the first input runs.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Scripting::RegisterScriptTables();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static GameScriptFuzzWorld world;
    world.Run(data, size);
    return 0;
}
