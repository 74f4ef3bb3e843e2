// The shipped enemies, their projectiles and spawners: each definition names only components
// that exist and makes a working object; and the object-reader fuzz corpus replayed with the AI
// components known.
#include "Audio/AudioRegistration.h"
#include "Audio/AudioSystem.h"
#include "Audio/Layer/SoundSystem.h"
#include "Core/Messages/Gameplay/KillAIMessage.h"
#include "Core/Messages/Scripting/ScriptMessage.h"
#include "Scripting/ScriptServices.h"
#include "tests/AI/AIWorld.h"
#include "tests/Fuzz/ObjectReaderFuzzHarness.h"
#include "tests/Support/FuzzCorpus.h"
#include "tests/Support/RecordingSystem.h"
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
    ReplayFuzzCorpus(
        corpus,
        [&](const std::filesystem::path& input, const std::uint8_t* data, std::size_t size)
        {
            SCOPED_TRACE(input.string());
            RunObjectReaderFuzzInput(*engine.GetFactory(), data, size);
            enemy = enemy || input.filename() == "enemy.xml";
            spawner = spawner || input.filename() == "spawner.xml";
            EXPECT_EQ(ai.GetCount(), 0u) << "every component left with its object";
        });
    EXPECT_TRUE(enemy && spawner);
}
} // namespace

namespace
{
std::string ReadShipped(const std::string& file)
{
    std::ifstream in(std::string(QUILL_ASSET_ROOT) + "/" + file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The shipped enemies, projectiles, spawners and wave script in the scratch folder, with the
// audio-response kind their combat parts use.
class ShippedContent : public AIWorld
{
public:
    void SetUp() override
    {
        for (const char* name :
             {"CharacterAIMelee", "CharacterAIRanged", "CharacterAITank", "CharacterAISpeedy",
              "CharacterAIFlock", "SpawnerAIMelee", "SpawnerAIRanged", "SpawnerAITank",
              "SpawnerAISpeedy", "SpawnerAIFlock", "AIMeleeStrike", "AIRangedBolt", "AITankShell",
              "ObjectTestExperienceArea", "HealthBarEnemy"})
        {
            const std::string file = std::string("assets/Objects/") + name + ".xml";
            const std::string text = ReadShipped(file);
            ASSERT_FALSE(text.empty()) << file;
            folder.Write(file, text);
        }
        for (const char* file :
             {"assets/Scripts/Waves/ArenaWaves.lua", "assets/Scripts/Audio/EnemyAudio.lua",
              "assets/Audio/Sound Effects/enemyAttack.wav",
              "assets/Audio/Sound Effects/enemyDamaged.wav",
              "assets/Audio/Sound Effects/enemyDeath.wav"})
            folder.Write(file, ReadShipped(file));
        // The game's own sounds are not needed here; the enemies load theirs.
        folder.Write("assets/Scripts/System/AudioSystemScript.lua",
                     "muted = false\nmusicVolume = 1\neffectVolume = 1\n"
                     "function GetAudioCount() return 0 end\nfunction Update(dt) end\n");
        AIWorld::SetUp();
        // The enemies answer their attacks, hits and deaths with sounds, heard by no device.
        Audio::RegisterAudio(*engine);
        Audio::System::AudioSystem::SetOutputType(Audio::Layer::OutputLoopback);
        engine->AddSystem(Audio::System::AudioSystem::SystemName);
        Serializer::ObjectDefinitionManager::Instance()->LoadAll(0);
    }
    void TearDown() override
    {
        AIWorld::TearDown();
        Audio::System::AudioSystem::SetOutputType(Audio::Layer::OutputAutomatic);
    }
    void Frame(f32 seconds)
    {
        Scripting::System::LuaSystem::Instance()->Update(seconds);
        // Waves arrive with delays, which count down with the frame time.
        Core::System::MessageSystem::Instance()->Update(seconds);
        Deliver();
        Tick(seconds);
    }
};

TEST_F(ShippedContent, TheWaveScriptPlacesSpawnersWhoseEnemiesSteerUntilKillAI)
{
    Player(0, 0);
    engine->SendMessage(new ScriptMessage(0, 0, "ArenaWaves", "Waves/ArenaWaves.lua"), 0.0f);
    Deliver();
    ASSERT_NE(Scripting::System::LuaSystem::Instance()->GetScript("ArenaWaves"), nullptr)
        << log.Text();
    Frame(0.1f);
    EXPECT_EQ(AISys().CountSpawners(), 2u) << log.Text();
    for (int frame = 0; frame < 60; ++frame)
        Frame(0.1f);
    EXPECT_GE(log.Count("spawned a wave of 3 CharacterAIMelee"), 2u) << log.Text();
    ASSERT_GT(Scripting::Services().aiCount(), 0u);
    // The brawlers run at the player.
    std::size_t running = 0;
    for (AI::AIControllerComponent* controller : AISys().GetAIControllers())
    {
        const GameObject* enemy = Find(controller->GetOwner());
        ASSERT_NE(enemy, nullptr);
        const auto* move = enemy->GetComponent<Logic::MoveComponent>();
        running += move != nullptr && move->moveValue_ > 0.0f ? 1 : 0;
    }
    EXPECT_GT(running, 0u);
    EXPECT_FALSE(log.Contains("Error")) << log.Text();
    EXPECT_GE(World().GetEntries().size(), Scripting::Services().aiCount());

    engine->SendMessage(new KillAIMessage(0, "AISystem"), 0.0f);
    Deliver();
    EXPECT_EQ(Scripting::Services().aiCount(), 0u);
    EXPECT_EQ(Scripting::Services().spawnerCount(), 0u);
}

TEST_F(ShippedContent, TheTankBurstsIntoSpeedyEnemiesThatDoNotSplit)
{
    GameObject* tank = Serializer::System::SerializerSystem::CreateObject(0, "CharacterAITank",
                                                                          Engine::GenerateId());
    ASSERT_NE(tank, nullptr);
    const u32 id = tank->GetId();
    tank->GetComponent<Logic::HealthContainerComponent>()->Add(-1000.0f);
    EXPECT_EQ(log.Count("spawned a wave of 2 CharacterAISpeedy"), 1u) << log.Text();
    for (int frame = 0; frame < 5; ++frame)
        Frame(0.1f);
    EXPECT_EQ(Find(id), nullptr);
    ASSERT_EQ(AISys().GetAIControllers().size(), 2u) << log.Text();
    for (AI::AIControllerComponent* controller : AISys().GetAIControllers())
    {
        const GameObject* speedy = Find(controller->GetOwner());
        ASSERT_NE(speedy, nullptr);
        EXPECT_EQ(speedy->GetName(), "CharacterAISpeedy");
        speedy->GetComponent<Logic::HealthContainerComponent>()->Add(-1000.0f);
    }
    EXPECT_EQ(log.Count("spawned a wave of"), 1u);
}
} // namespace
