// Covers: FbxBinReader, PngDecoder, MaterialFile, FontFile, ShaderProgramFile, Skeleton.
// Replays the graphics fuzz targets' saved corpora through the same harness, so the inputs that
// once mattered (truncated, oversized, out of range) keep passing in every ordinary run.
#include "tests/Graphics/Fuzz/GraphicsFuzzHarness.h"
#include "tests/Support/LogCapture.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace
{
void Replay(const char* folder, void (*run)(const std::uint8_t*, std::size_t))
{
    const std::filesystem::path corpus = std::filesystem::path(QUILL_FUZZ_DIR) / folder;
    ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
    std::size_t inputs = 0;
    LogCapture log; // the refusals' lines stay out of the test output
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
    {
        SCOPED_TRACE(entry.path().string());
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++inputs;
    }
    EXPECT_GT(inputs, 0u);
}
} // namespace

TEST(GraphicsFuzzCorpus, EverySavedInputRunsClean)
{
    Replay("model_corpus", &RunModelFuzzInput);
    Replay("png_corpus", &RunPngFuzzInput);
    Replay("graphics_xml_corpus", &RunGraphicsXmlFuzzInput);
}
