// libFuzzer entry over the command line (LaunchOptionsFuzzHarness.h).
#include "tests/Core/Fuzz/LaunchOptionsFuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RunLaunchOptionsFuzzInput(data, size);
    return 0;
}
