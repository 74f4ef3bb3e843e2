// Covers: AssetLoaderSystem, LaunchOptions.
// Replays the saved corpora of the asset batch and launch option fuzz targets.
#include "Core/Engine.h"
#include "tests/Core/Fuzz/AssetBatchFuzzHarness.h"
#include "tests/Core/Fuzz/LaunchOptionsFuzzHarness.h"
#include "tests/Support/FuzzCorpus.h"
#include <gtest/gtest.h>

TEST(FuzzCorpusReplay, AssetBatchesAndCommandLinesRunClean)
{
    Engine engine;
    const auto trace = [](const std::filesystem::path& path) { return path.string(); };
    EXPECT_GT(ReplayFuzzCorpus(QUILL_FUZZ_SOURCE_DIR "/corpus_batch",
                               [&](const auto& path, const std::uint8_t* data, std::size_t size)
                               {
                                   SCOPED_TRACE(trace(path));
                                   RunAssetBatchFuzzInput(engine, data, size);
                               }),
              0);
    EXPECT_GT(ReplayFuzzCorpus(QUILL_FUZZ_SOURCE_DIR "/corpus_launch",
                               [&](const auto& path, const std::uint8_t* data, std::size_t size)
                               {
                                   SCOPED_TRACE(trace(path));
                                   RunLaunchOptionsFuzzInput(data, size);
                               }),
              0);
}
