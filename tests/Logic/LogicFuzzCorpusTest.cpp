// Replays the object-reader fuzz target's saved corpus with the game-rule components and the
// logic system present, as the fuzz target runs it.
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "GameState/GameStateRegistration.h"
#include "Logic/LogicRegistration.h"
#include "Logic/LogicSystem.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "tests/Fuzz/ObjectReaderFuzzHarness.h"
#include "tests/Support/FuzzCorpus.h"
#include <filesystem>
#include <gtest/gtest.h>

TEST(LogicFuzzCorpus, EverySavedInputRunsCleanWithTheRuleComponents)
{
    Engine engine;
    Core::RegisterCore(engine);
    Serializer::RegisterSerializer(engine);
    Scripting::RegisterScripting(engine);
    GameState::RegisterGameState(engine);
    Logic::RegisterLogic(engine);
    Logic::System::LogicSystem logic;
    const std::filesystem::path corpus = QUILL_FUZZ_CORPUS_DIR;
    ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
    bool character = false;
    ReplayFuzzCorpus(
        corpus,
        [&](const std::filesystem::path& input, const std::uint8_t* data, std::size_t size)
        {
            SCOPED_TRACE(input.string());
            RunObjectReaderFuzzInput(*engine.GetFactory(), data, size);
            character = character || input.filename() == "character.xml";
            EXPECT_EQ(logic.GetCount(), 0u) << "every component left with its object";
        });
    EXPECT_TRUE(character);
}
