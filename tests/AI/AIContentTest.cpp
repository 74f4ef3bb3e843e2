// The shipped enemies, their projectiles and spawners: each definition names only components
// that exist and makes a working object; and the object-reader fuzz corpus replayed with the AI
// components known.
#include "tests/AI/AIWorld.h"
#include "tests/Fuzz/ObjectReaderFuzzHarness.h"
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
TEST(AIFuzzCorpus, EverySavedInputRunsCleanWithTheAIComponents)
{
    Engine engine;
    Core::RegisterCore(engine);
    Serializer::RegisterSerializer(engine);
    Scripting::RegisterScripting(engine);
    GameState::RegisterGameState(engine);
    Logic::RegisterLogic(engine);
    AI::RegisterAI(engine);
    Logic::System::LogicSystem logic;
    AI::System::AISystem ai;
    const std::filesystem::path corpus = QUILL_FUZZ_CORPUS_DIR;
    bool enemy = false, spawner = false;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
    {
        SCOPED_TRACE(entry.path().string());
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        RunObjectReaderFuzzInput(*engine.GetFactory(),
                                 reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        enemy = enemy || entry.path().filename() == "enemy.xml";
        spawner = spawner || entry.path().filename() == "spawner.xml";
        EXPECT_EQ(ai.GetCount(), 0u) << "every component left with its object";
    }
    EXPECT_TRUE(enemy && spawner);
}
} // namespace
