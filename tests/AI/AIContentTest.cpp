// Covers: AISystem, AttackBehaviorComponent, AnimationControllerComponent, AudioSystem.
// The shipped enemies, their projectiles and spawners: each definition names only components
// that exist and makes a working object, drawn with its model and playing the track of what it
// does; every kind, near a shipped character, reaches it with its attack and hurts it; and the
// object-reader fuzz corpus replayed with the AI components known.
#include "AI/Behaviors/AttackBehaviorComponent.h"
#include "Audio/AudioRegistration.h"
#include "Audio/AudioSystem.h"
#include "Core/Messages/Gameplay/KillAIMessage.h"
#include "Core/Messages/Graphics/AnimationPlayUntilMessage.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Messages/Scripting/ScriptMessage.h"
#include "Graphics/Assets/Animation.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Components/AnimationControllerComponent.h"
#include "Graphics/Components/RenderComponent.h"
#include "Physics/PhysicsSystem.h"
#include "tests/AI/AIWorld.h"
#include "tests/Core/Fuzz/ObjectReaderFuzzHarness.h"
#include "tests/Support/FuzzCorpus.h"
#include "tests/Support/QueuedMessages.h"
#include "tests/Support/RecordingSystem.h"
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

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

const char* const EnemyModels[] = {"AIMelee", "AIRanged", "AITank", "AISpeedy", "AIFlock"};

// The shipped enemies, projectiles, spawners and wave script in the scratch folder, with the
// audio-response kind their combat parts use and the enemies' models and materials (read, not
// uploaded: no GL here).
class ShippedContent : public AIWorld
{
public:
    void SetUp() override
    {
        for (const char* model : EnemyModels)
        {
            for (const std::string& file : {std::string("assets/Models/bin/") + model + ".fbxbin",
                                            std::string("assets/Materials/") + model + ".xml"})
                folder.Write(file, ReadShipped(file));
        }
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
              "assets/Scripts/Modules/CharacterAudio.lua",
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
        models.LoadAll(0);
        materials.LoadAll(0);
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

    Graphics::ModelManager models;
    Graphics::MaterialManager materials;
};

std::string Playing(const Graphics::AnimationControllerComponent& animation)
{
    return animation.GetCurrentAnimation() != nullptr ? animation.GetCurrentAnimation()->name : "";
}

TEST_F(ShippedContent, EnemiesAreDrawnAndPlayTheTrackOfWhatTheyDo)
{
    for (const char* model : EnemyModels)
    {
        SCOPED_TRACE(model);
        const GameObject* enemy = Serializer::System::SerializerSystem::CreateObject(
            0, std::string("Character") + model, Engine::GenerateId());
        ASSERT_NE(enemy, nullptr);
        const auto* render = enemy->GetComponent<Graphics::RenderComponent>();
        ASSERT_NE(render, nullptr);
        EXPECT_EQ(render->GetModel(), models.Find(model, 0));
        EXPECT_EQ(render->GetMaterial(), materials.Find(model, 0));
        const auto* animation = enemy->GetComponent<Graphics::AnimationControllerComponent>();
        ASSERT_NE(animation, nullptr);
        ASSERT_NE(animation->GetSkeleton(), nullptr);
        EXPECT_EQ(Playing(*animation), "Idle");
        Factory().DestroyObject(enemy->GetId());
    }
    EXPECT_FALSE(log.Contains("Error")) << log.Text();

    // A brawler ten units from the only player. The graphics system does not run here: the
    // frames step the enemy's animation controller by hand.
    GameObject* player = Player(0, 0);
    GameObject* enemy = Serializer::System::SerializerSystem::CreateObject(0, "CharacterAIMelee",
                                                                           Engine::GenerateId());
    ASSERT_NE(enemy, nullptr);
    Transform(*enemy).SetPosition(Math::Point4(10.0f, 0.0f, 0.0f, 1.0f));
    auto* animation = enemy->GetComponent<Graphics::AnimationControllerComponent>();
    constexpr f32 FrameStep = 0.1f;
    const auto until = [&](const char* track, int frames)
    {
        for (int frame = 0; frame < frames && Playing(*animation) != track; ++frame)
        {
            Frame(FrameStep);
            Deliver();
            animation->Update(FrameStep);
            Deliver();
        }
        return Playing(*animation);
    };

    EXPECT_EQ(until("Run", 5), "Run") << "it runs at the player";
    // The player steps up to it: it stops, strikes, and stands between strikes.
    const Math::Point4 near = Transform(*enemy).GetPosition();
    Transform(*player).SetPosition(Math::Point4(near.x + 1.0f, 0.0f, near.z, 1.0f));
    EXPECT_EQ(until("Attack", 15), "Attack");
    EXPECT_FALSE(animation->loop);
    EXPECT_EQ(until("Idle", 10), "Idle") << "the strike ends, the brawler stands";
    // The player walks off: it runs again.
    Transform(*player).SetPosition(Math::Point4(near.x - 10.0f, 0.0f, near.z, 1.0f));
    EXPECT_EQ(until("Run", 20), "Run");

    auto* health = enemy->GetComponent<Logic::HealthContainerComponent>();
    health->Add(-10.0f);
    Deliver();
    EXPECT_EQ(Playing(*animation), "Hit");
    EXPECT_FALSE(animation->loop);

    // Its death: what reaches the enemy itself is handed to it, the destruction held back, so
    // the frames show what it would look like until it goes.
    health->Add(-1000.0f);
    {
        QueuedMessages queued(*Core::System::MessageSystem::Instance());
        for (std::size_t i = 0; i < queued.size(); ++i)
        {
            if (queued.As<AnimationSwapMessage>(i) != nullptr ||
                queued.As<AnimationPlayUntilMessage>(i) != nullptr)
                enemy->HandleMessage(queued[i]);
        }
    }
    ASSERT_EQ(Playing(*animation), "Death");
    const f32 lies = animation->GetCurrentAnimation()->duration;
    for (int frame = 0; frame < 30; ++frame)
    {
        Tick(FrameStep);
        animation->Update(FrameStep);
        const QueuedMessages posted(*Core::System::MessageSystem::Instance());
        EXPECT_EQ(posted.CountOf(AnimationSwapMessage::Type), 0u) << frame;
    }
    EXPECT_EQ(Playing(*animation), "Death");
    EXPECT_FALSE(animation->playing);
    EXPECT_GE(animation->time, lies) << "held at the pose it lies in";
}

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
    EXPECT_GE(log.Count("spawned a wave of 1 CharacterAIMelee"), 2u) << log.Text();
    ASSERT_GT(AI::System::AISystem::Instance()->GetAIControllers().size(), 0u);
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
    EXPECT_GE(World().GetEntries().size(),
              AI::System::AISystem::Instance()->GetAIControllers().size());

    engine->SendMessage(new KillAIMessage(0, "AISystem"), 0.0f);
    Deliver();
    EXPECT_EQ(AI::System::AISystem::Instance()->GetAIControllers().size(), 0u);
    EXPECT_EQ(AI::System::AISystem::Instance()->CountSpawners(), 0u);
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

// The fight as the game has it: the shipped characters too (their definitions, scripts and
// models) and the physics system, whose contacts carry the attacks to what they touch.
class ShippedFight : public ShippedContent
{
public:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        const fs::path shipped = QUILL_ASSET_ROOT;
        for (const char* tree : {"assets/Objects", "assets/Scripts", "assets/Materials",
                                 "assets/ParticleEffects", "assets/Audio/Sound Effects"})
        {
            for (const auto& entry : fs::recursive_directory_iterator(shipped / tree))
            {
                if (entry.is_regular_file())
                {
                    const std::string file = fs::relative(entry.path(), shipped).generic_string();
                    folder.Write(file, ReadShipped(file));
                }
            }
        }
        for (const char* model : Characters)
        {
            const std::string file = std::string("assets/Models/bin/") + model + ".fbxbin";
            folder.Write(file, ReadShipped(file));
        }
        ShippedContent::SetUp();
        engine->AddSystem(Physics::System::PhysicsSystem::SystemName);
    }
    void FightFrame(f32 seconds)
    {
        Frame(seconds);
        Physics::System::PhysicsSystem::Instance()->Update(seconds);
        Deliver();
    }

    static constexpr const char* Characters[] = {"Golem", "Mage", "SteamKnight"};
};

// Each enemy kind, eight units from a character that stands still, comes into its range (or
// keeps it), fires its attack, and the attack lands: the character is hurt. The Mage is the
// smallest character, so an attack that passes over its head misses it.
TEST_F(ShippedFight, EveryEnemyKindHurtsEveryCharacterWithinItsRange)
{
    constexpr f32 FrameStep = 1.0f / 60.0f;
    constexpr int FrameCount = 60 * 30; // the tank needs some six seconds to come close
    for (const char* kind : EnemyModels)
    {
        for (const char* character : Characters)
        {
            SCOPED_TRACE(std::string(kind) + " and " + character);
            GameObject* player = Serializer::System::SerializerSystem::CreateObject(
                0, std::string("Character") + character, Engine::GenerateId());
            GameObject* enemy = Serializer::System::SerializerSystem::CreateObject(
                0, std::string("Character") + kind, Engine::GenerateId());
            ASSERT_NE(player, nullptr);
            ASSERT_NE(enemy, nullptr);
            Transform(*enemy).SetPosition(Math::Point4(8.0f, 0.0f, 0.0f, 1.0f));
            const auto* attack = Get<AI::AttackBehaviorComponent>(*enemy);
            ASSERT_NE(attack, nullptr);
            const auto& health = *player->GetComponent<Logic::HealthContainerComponent>();
            const f32 full = health.GetCurrentStorage();
            std::set<u32> made; // the attack objects seen
            int frame = 0;
            for (; frame < FrameCount && health.GetCurrentStorage() >= full; ++frame)
            {
                FightFrame(FrameStep);
                for (u32 id = enemy->GetId() + 1; id <= Engine::GetLastId(); ++id)
                {
                    const GameObject* object = Find(id);
                    if (object != nullptr && object->GetName() == attack->GetArchetype())
                        made.insert(id);
                }
            }
            EXPECT_FALSE(made.empty()) << "no " << attack->GetArchetype() << " was made";
            EXPECT_LT(health.GetCurrentStorage(), full)
                << made.size() << " " << attack->GetArchetype() << " made, none hurt";
            // The two and everything made since (attacks, glows, texts).
            Factory().DestroyObjectsFrom(player->GetId());
            Deliver();
        }
    }
}
} // namespace
