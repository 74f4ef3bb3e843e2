// libFuzzer entry over the audio layer's decoding: every input is read as a sound and as a
// stream from memory, played and mixed (SoundFileFuzzHarness.h).
#include "tests/Platform/Audio/Fuzz/SoundFileFuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RunSoundFileFuzzInput(data, size);
    return 0;
}
