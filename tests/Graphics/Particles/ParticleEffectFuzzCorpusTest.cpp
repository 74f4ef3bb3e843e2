// Covers: ParticleEffectSystem, ParticleEmitterComponent.
// Replays the particle effect fuzz target's corpus, every shipped effect, data and emitter
// definition and the saved hostile inputs, through the target's harness.
#include "tests/Graphics/Fuzz/ParticleEffectFuzzHarness.h"
#include "tests/Support/LogCapture.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace
{
// Every regular file of the folder (not its subfolders), in name order; answers the count.
int Replay(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
    {
        if (entry.is_regular_file())
            inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    for (const std::filesystem::path& input : inputs)
    {
        SCOPED_TRACE(input.string());
        std::ifstream file(input, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        RunParticleEffectFuzzInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
    }
    return static_cast<int>(inputs.size());
}
} // namespace

TEST(ParticleEffectFuzzCorpus, ShippedEffectsAndHostileInputsRunClean)
{
    LogCapture log; // the refusals' lines stay out of the test output
    const std::filesystem::path effects =
        std::filesystem::path(QUILL_ASSET_ROOT) / "assets" / "ParticleEffects";
    EXPECT_GE(Replay(effects), 13);
    EXPECT_GT(Replay(effects / "ParticleData"), 0);
    EXPECT_GT(Replay(effects / "ParticleEmitters"), 0);
    EXPECT_GT(Replay(std::filesystem::path(QUILL_FUZZ_DIR) / "particle_corpus"), 0);
}
