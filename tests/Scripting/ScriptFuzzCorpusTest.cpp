// Covers: LuaComponent.
// Replays the script fuzz target's saved corpus (hostile constructors, collectors called by
// hand, endless loops, memory hogs) through the binding layer.
#include "tests/Scripting/Fuzz/ScriptFuzzHarness.h"
#include "tests/Support/FuzzCorpus.h"
#include <gtest/gtest.h>

TEST(ScriptFuzzCorpus, EverySavedInputRunsClean)
{
    const int inputs =
        ReplayFuzzCorpus(QUILL_FUZZ_SOURCE_DIR "/corpus_script",
                         [](const auto& path, const std::uint8_t* data, std::size_t size)
                         {
                             SCOPED_TRACE(path.string());
                             RunScriptFuzzInput(data, size);
                         });
    EXPECT_GT(inputs, 0);
}
