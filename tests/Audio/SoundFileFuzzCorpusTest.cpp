// Covers: SoundSystem (its decoding from memory), Sound.
// Replays the sound-file fuzz target's saved corpus (shipped sounds, truncated copies, broken
// headers) and every shipped sound through the audio layer's decoding from memory.
#include "tests/Platform/Audio/Fuzz/SoundFileFuzzHarness.h"
#include "tests/Support/FuzzCorpus.h"
#include <gtest/gtest.h>

TEST(SoundFileFuzzCorpus, EverySavedInputAndEveryShippedSoundRunsClean)
{
    const auto run = [](const auto& path, const std::uint8_t* data, std::size_t size)
    {
        SCOPED_TRACE(path.string());
        RunSoundFileFuzzInput(data, size);
    };
    EXPECT_GT(ReplayFuzzCorpus(QUILL_FUZZ_SOURCE_DIR "/corpus_sound", run), 10);
    // Runs in the repository root, where the shipped assets lie.
    EXPECT_GT(ReplayFuzzCorpus("assets/Audio/Sound Effects", run), 20);
    EXPECT_EQ(ReplayFuzzCorpus("assets/Audio/Music", run), 1);
}
