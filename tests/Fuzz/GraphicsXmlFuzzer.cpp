// libFuzzer entry; see GraphicsFuzzHarness.h.
#include "tests/Graphics/Fuzz/GraphicsFuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RunGraphicsXmlFuzzInput(data, size);
    return 0;
}
