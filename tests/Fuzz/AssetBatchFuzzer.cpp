// libFuzzer entry over the asset batch reader (AssetBatchFuzzHarness.h).
#include "Core/Engine.h"
#include "tests/Core/Fuzz/AssetBatchFuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Engine engine;
    RunAssetBatchFuzzInput(engine, data, size);
    return 0;
}
