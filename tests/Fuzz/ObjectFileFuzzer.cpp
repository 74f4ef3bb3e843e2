// libFuzzer entry over the path from a definition file to a created object
// (ObjectFileFuzzHarness.h).
#include "Core/Engine.h"
#include "tests/Serializer/Fuzz/ObjectFileFuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Engine engine;
    RunObjectFileFuzzInput(engine, data, size);
    return 0;
}
