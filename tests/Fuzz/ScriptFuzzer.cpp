// libFuzzer entry over the binding layer: every input is a script run in a script component's
// state with the full binding layer, whose functions the engine then calls
// (ScriptFuzzHarness.h).
#include "tests/Scripting/Fuzz/ScriptFuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RunScriptFuzzInput(data, size);
    return 0;
}
