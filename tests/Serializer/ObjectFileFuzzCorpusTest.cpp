// Covers: SerializerSystem, ObjectDefinitionManager.
// Replays the saved corpus of the fuzz target that takes a definition file to a created object.
#include "Core/Engine.h"
#include "tests/Serializer/Fuzz/ObjectFileFuzzHarness.h"
#include "tests/Support/FuzzCorpus.h"
#include <gtest/gtest.h>

TEST(ObjectFileFuzzCorpus, EverySavedInputRunsClean)
{
    Engine engine;
    const int inputs =
        ReplayFuzzCorpus(QUILL_FUZZ_SOURCE_DIR "/corpus_object_file",
                         [&](const auto& path, const std::uint8_t* data, std::size_t size)
                         {
                             SCOPED_TRACE(path.string());
                             RunObjectFileFuzzInput(engine, data, size);
                         });
    EXPECT_GT(inputs, 0);
}
