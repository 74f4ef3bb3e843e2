// Covers: AISystem, GameStateSystem, HealthContainerComponent.
// The shipped level starts its enemy waves: headless, from the repository's assets, with the
// game-state, logic and AI systems running frame by frame. The waves wait for the first player,
// then spawners come and send their enemies and the health pick-ups start dropping, and leaving
// the level takes the wave script, the pick-up emitter, the spawners and the enemies with it.
#include "AI/AIRegistration.h"
#include "AI/AISystem.h"
#include "Core/Messages/UserInterface/GoToStateMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "GameState/GameStateSystem.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/LogicRegistration.h"
#include "Math/MathUtils.h"
#include "Scripting/LuaSystem.h"
#include "tests/GameState/GameStateWorld.h"
#include <gtest/gtest.h>

namespace
{
constexpr f32 PlayerHealth = 100.0f;

// A player as the rules count one: a player controller and some health.
u32 MakePlayer(GameFactory& factory)
{
    GameObject* player = factory.CreateObject("TestPlayer", Engine::GenerateId());
    player->AddComponent(factory.CreateComponent("SimpleControllerComponent"));
    auto* health = dynamic_cast<Logic::HealthContainerComponent*>(
        factory.CreateComponent("HealthContainerComponent"));
    player->AddComponent(health);
    health->SetMaximumStorage(PlayerHealth);
    health->Add(PlayerHealth);
    return player->GetId();
}

std::string State()
{
    const GameState::System::GameStateSystem* states =
        GameState::System::GameStateSystem::Instance();
    return states->GetStateName(states->GetCurrent());
}

bool Running(const char* script)
{
    return Scripting::System::LuaSystem::Instance()->GetScript(script) != nullptr;
}

bool WavesRunning()
{
    return Running("ArenaWaves");
}
// The health pick-up emitter's script.
bool DropsRunning()
{
    return Running("Emitters/HealthDrop.lua");
}
} // namespace

TEST(ShippedLevel, StartsItsWavesWhenThePlayersAreInAndEndsThemWhenLeft)
{
    GameStateWorld world({"ScriptingSystem", "MessagingSystem", "SerializerSystem",
                          "AssetLoaderSystem", "GameStateSystem", "UISystem"});
    Logic::RegisterLogic(*world.engine);
    AI::RegisterAI(*world.engine);
    world.engine->AddSystem("LogicSystem");
    world.engine->AddSystem("AISystem");
    Math::SeedRand(1);
    const AI::System::AISystem& ai = *AI::System::AISystem::Instance();

    world.Frames(3);
    world.Post(new GoToStateMessage(0, "Level1", 0));
    world.Frames(4);
    ASSERT_EQ(State(), "Level1");
    EXPECT_EQ(world.log.Count("Level1: initialized"), 1u) << world.log.Text();
    world.Frames(30);
    EXPECT_FALSE(WavesRunning()) << "nobody plays yet";
    EXPECT_FALSE(DropsRunning());
    EXPECT_EQ(ai.CountSpawners(), 0u);

    const u32 player = MakePlayer(*world.engine->GetFactory());
    world.Frames(3);
    EXPECT_EQ(world.log.Count("Level1: waves started"), 1u) << world.log.Text();
    ASSERT_TRUE(WavesRunning());
    EXPECT_TRUE(DropsRunning()) << "health pick-ups drop while the fight lasts";
    EXPECT_EQ(ai.CountSpawners(), 2u) << "the first wave's two spawners";

    // Eight seconds: the melee spawners' first waves (every 5 s) have come in.
    world.Frames(8 * 30);
    EXPECT_EQ(world.log.Count("spawned a wave of 1 CharacterAIMelee"), 2u) << world.log.Text();
    EXPECT_EQ(ai.GetAIControllers().size(), 2u) << "a brawler from each side";
    EXPECT_EQ(world.log.Count("Level1: waves started"), 1u);
    EXPECT_EQ(world.log.Count("Level1: Victory"), 0u);
    EXPECT_EQ(world.log.Count("Update is missing"), 0u) << "the Lua system calls every script's";

    world.Post(new GoToStateMessage(0, "Main", 0));
    world.Frames(4);
    EXPECT_EQ(State(), "Main");
    EXPECT_FALSE(WavesRunning());
    EXPECT_FALSE(DropsRunning());
    EXPECT_EQ(ai.CountSpawners(), 0u);
    EXPECT_EQ(ai.GetAIControllers().size(), 0u);
    EXPECT_EQ(world.engine->GetFactory()->FindObject(player), nullptr);
}
