// Covers: XmlReader, XmlWriter.
// Replays the fuzz target's saved corpus through the same harness, so the inputs that once
// mattered (malformed, deep, huge) keep passing in every ordinary test run.
#include "tests/Xml/Fuzz/XmlReaderFuzzHarness.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

TEST(XmlReaderFuzzCorpus, EverySavedInputRunsClean)
{
    const std::filesystem::path corpus = QUILL_FUZZ_CORPUS_DIR;
    ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        inputs.push_back(entry.path());
    ASSERT_FALSE(inputs.empty());
    for (const std::filesystem::path& input : inputs)
    {
        SCOPED_TRACE(input.string());
        std::ifstream file(input, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        RunXmlReaderFuzzInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
}
