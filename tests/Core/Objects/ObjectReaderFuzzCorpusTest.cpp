// Covers: GameObject, GameFactory, XmlReader.
// Replays the object-reader fuzz target's saved corpus through a real game object, so the inputs
// that once mattered (malformed, deep, huge, unknown components) keep passing in every run.
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "tests/Core/Fuzz/ObjectReaderFuzzHarness.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

TEST(ObjectReaderFuzzCorpus, EverySavedInputRunsClean)
{
    Engine engine;
    Core::RegisterCore(engine);
    const std::filesystem::path corpus = QUILL_FUZZ_CORPUS_DIR;
    ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
    {
        SCOPED_TRACE(entry.path().string());
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        RunObjectReaderFuzzInput(*engine.GetFactory(),
                                 reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}
