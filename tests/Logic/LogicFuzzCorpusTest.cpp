// Covers: LogicSystem, LuaComponent.
// Replays the object-reader fuzz target's saved corpus with the game-rule components and the
// logic system present, as the fuzz target runs it, and the game-script fuzz target's corpus
// together with the game's own state, page and ability scripts.
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "GameState/GameStateRegistration.h"
#include "Logic/LogicRegistration.h"
#include "Logic/LogicSystem.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "tests/Core/Fuzz/ObjectReaderFuzzHarness.h"
#include "tests/Logic/Fuzz/GameScriptFuzzHarness.h"
#include "tests/Support/FuzzCorpus.h"
#include "tests/Support/LogCapture.h"
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

TEST(LogicFuzzCorpus, GameScriptInputsAndTheShippedScriptsRunCleanInEveryRole)
{
    LogCapture log;
    GameScriptFuzzWorld world;
    const auto run =
        [&](const std::filesystem::path& input, const std::uint8_t* data, std::size_t size)
    {
        SCOPED_TRACE(input.string());
        world.Run(data, size);
    };
    EXPECT_GT(ReplayFuzzCorpus(QUILL_GAME_SCRIPT_CORPUS_DIR, run), 0);
    for (const char* folder : {"States", "Pages", "Abilities", "Emitters"})
        EXPECT_GT(
            ReplayFuzzCorpus(std::string(QUILL_ASSET_ROOT) + "/assets/Scripts/" + folder, run), 0);
    // Each role really ran: the callbacks' errors and the runaway calls are named by role file.
    for (const char* line :
         {"States/Fuzz.lua: assets/Scripts/States/Fuzz.lua:1: hostile in Load",
          "Pages/Fuzz.lua: assets/Scripts/Pages/Fuzz.lua:1: hostile in UpdatePage",
          "Abilities/Fuzz.lua: assets/Scripts/Abilities/Fuzz.lua:1: hostile in GetModifierCount",
          "Emitters/Fuzz.lua: assets/Scripts/Emitters/Fuzz.lua:1: hostile in OnEmit",
          "Abilities/Fuzz.lua: Could not convert stack top to float: 1e+300 is out of range"})
        EXPECT_TRUE(log.Contains(line)) << line << "\n" << log.Text();
    EXPECT_GE(log.Count("instructions in one call"), 2u);
}
