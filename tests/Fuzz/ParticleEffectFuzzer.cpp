// libFuzzer entry; see ParticleEffectFuzzHarness.h.
#include "tests/Graphics/Fuzz/ParticleEffectFuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RunParticleEffectFuzzInput(data, size);
    return 0;
}
