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
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

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
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
    {
        SCOPED_TRACE(entry.path().string());
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        RunObjectReaderFuzzInput(*engine.GetFactory(),
                                 reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        character = character || entry.path().filename() == "character.xml";
        EXPECT_EQ(logic.GetCount(), 0u) << "every component left with its object";
    }
    EXPECT_TRUE(character);
}
