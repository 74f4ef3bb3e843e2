// A headless frame of the game: every system the game creates (no window: the window layer
// refuses to open one, and "-no_vis"), the shipped assets, and in the world four player
// characters (Golem, Mage, SteamKnight, Golem) with 200 enemies of the five shipped kinds around
// them, chasing and attacking. The players stand still and their health is made too large to
// run out, so the fight neither ends nor changes its size during the run. The baseline in the
// same run is the same engine with the characters removed (the main menu's few objects only).
// After the table: milliseconds per frame of both, their ratio, and the target of at most 2 ms
// per game frame.
#include "AI/AIRegistration.h"
#include "Audio/AudioRegistration.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Gameplay/SetPlayerNumberMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "GameState/GameStateRegistration.h"
#include "Graphics/GraphicsRegistration.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/LogicRegistration.h"
#include "Math/MathUtils.h"
#include "Physics/PhysicsRegistration.h"
#include "Scripting/LuaSystem.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "Testing/TestingRegistration.h"
#include "Tools/ToolsRegistration.h"
#include "bench/AllocationCounter.h"
#include "bench/RatioReporter.h"
#include "tests/Support/FakeWindowLayer.h"
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace
{
constexpr f32 kFrameSeconds = 1.0f / 60.0f;
constexpr double kTargetMilliseconds = 2.0;
constexpr int kEnemies = 200;
const char* const kPlayers[] = {"Golem", "Mage", "SteamKnight", "Golem"};
const char* const kEnemyKinds[] = {"CharacterAIMelee", "CharacterAIRanged", "CharacterAISpeedy",
                                   "CharacterAITank", "CharacterAIFlock"};
// Health nobody can take away within a run.
constexpr f32 kLastingHealth = 1.0e9f;
// Enemies stand in a ring around the players; the players a few units apart.
constexpr f32 kRingInner = 8.0f;
constexpr f32 kRingOuter = 20.0f;
constexpr f32 kPlayerSpacing = 3.0f;
// Frames run before timing: the start-up batches, then the enemies reaching the players.
constexpr int kStartFrames = 30;
constexpr int kEngageFrames = 180;
const char* const kLogFile = "game_frame_bench_log.txt";
// A message sent to no object in particular.
constexpr u32 kNoTarget = 0;

Engine* g_engine = nullptr;
u32 g_firstCharacter = 0; // the first id of the characters and everything they made; 0 when none

void Frames(int count)
{
    for (int i = 0; i < count; ++i)
        g_engine->StepFrame(kFrameSeconds);
}

void Post(Message* message)
{
    g_engine->SendMessage(message, 0.0f);
}

// Creates an object from its definition as a script does, and returns its id.
u32 Create(const char* archetype)
{
    const u32 id = Engine::GenerateId();
    Post(new ObjectCreateMessage(0, id, archetype, kNoTarget));
    return id;
}

void Place(u32 id, f32 x, f32 z)
{
    GameObject* object = g_engine->GetFactory()->FindObject(id);
    if (auto* transform = object != nullptr ? object->GetComponent<TransformComponent>() : nullptr)
        transform->SetPosition(x, 0.0f, z);
}

void Populate()
{
    if (g_firstCharacter != 0)
        return;
    Math::SeedRand(1);
    std::vector<u32> players;
    g_firstCharacter = Engine::GetLastId() + 1;
    for (const char* kind : kPlayers)
        players.push_back(Create(kind));
    std::vector<u32> enemies;
    for (int i = 0; i < kEnemies; ++i)
        enemies.push_back(Create(kEnemyKinds[i % static_cast<int>(std::size(kEnemyKinds))]));
    Frames(1);
    for (std::size_t i = 0; i < players.size(); ++i)
    {
        Post(new SetPlayerNumberMessage(0, static_cast<u32>(i), players[i]));
        Place(players[i], kPlayerSpacing * (static_cast<f32>(i) - 1.5f), 0.0f);
        GameObject* player = g_engine->GetFactory()->FindObject(players[i]);
        if (auto* health = player != nullptr
                               ? player->GetComponent<Logic::HealthContainerComponent>()
                               : nullptr)
        {
            health->SetMaximumStorage(kLastingHealth);
            health->Add(kLastingHealth);
        }
    }
    for (u32 id : enemies)
    {
        const f32 angle = Math::RandRange(0.0f, 2.0f * Math::PI);
        const f32 radius = Math::RandRange(kRingInner, kRingOuter);
        Place(id, radius * std::cos(angle), radius * std::sin(angle));
    }
    Frames(kEngageFrames);
}

void Clear()
{
    if (g_firstCharacter == 0)
        return;
    g_engine->GetFactory()->DestroyObjectsFrom(g_firstCharacter);
    g_firstCharacter = 0;
    Frames(kStartFrames);
}

void Measure(benchmark::State& state)
{
    const u64 before = Bench::HeapAllocations();
    for (auto _ : state)
        g_engine->StepFrame(kFrameSeconds);
    state.counters["heap/frame"] = static_cast<double>(Bench::HeapAllocations() - before) /
                                   static_cast<double>(state.iterations());
    state.counters["objects"] = static_cast<double>(g_engine->GetFactory()->GetObjectCount());
    state.counters["scripts"] =
        static_cast<double>(Scripting::System::LuaSystem::Instance()->GetScriptCount());
}

void GameFrame(benchmark::State& state)
{
    Populate();
    Measure(state);
}

void EmptyEngineFrame(benchmark::State& state)
{
    Clear();
    Measure(state);
}

class GameFrameRatios : public RatioReporter
{
public:
    GameFrameRatios() : RatioReporter(ColoursOnlyOnTerminal()) {}

    void PrintRatios() const override
    {
        if (m_runs.count("GameFrame") == 0 || m_runs.count("EmptyEngineFrame") == 0)
            return;
        const Figures& game = m_runs.at("GameFrame");
        const Figures& empty = m_runs.at("EmptyEngineFrame");
        std::printf("\nHeadless game frame: 4 players and %d enemies, %.0f objects, %.0f scripts "
                    "(lower is better)\n",
                    kEnemies, game.objects, game.scripts);
        std::printf("game frame %.3f ms, empty engine %.3f ms (%.0f objects), ratio %.1f\n",
                    game.milliseconds, empty.milliseconds, empty.objects,
                    game.milliseconds / empty.milliseconds);
        std::printf("game frame: target <= %.1f ms %s\n", kTargetMilliseconds,
                    Verdict(game.milliseconds <= kTargetMilliseconds));
    }

private:
    struct Figures
    {
        double milliseconds = 0.0;
        double objects = 0.0;
        double scripts = 0.0;
    };

    void Record(const Run& run) override
    {
        Figures& figures = m_runs[run.run_name.function_name];
        // Adjusted times are in the run's unit: milliseconds are asked for below.
        figures.milliseconds = run.GetAdjustedRealTime();
        figures.objects = run.counters.count("objects") != 0 ? run.counters.at("objects").value : 0;
        figures.scripts = run.counters.count("scripts") != 0 ? run.counters.at("scripts").value : 0;
    }

    std::map<std::string, Figures> m_runs;
};

// Every subsystem, lowest first, as the game registers them (the game's own registration sits
// above the benchmarks' layer).
void RegisterSubsystems(Engine& engine)
{
    Core::RegisterCore(engine);
    Serializer::RegisterSerializer(engine);
    Scripting::RegisterScripting(engine);
    Graphics::RegisterGraphics(engine);
    Physics::RegisterPhysics(engine);
    Audio::RegisterAudio(engine);
    GameState::RegisterGameState(engine);
    Logic::RegisterLogic(engine);
    AI::RegisterAI(engine);
    Tools::RegisterTools(engine);
    Testing::RegisterTesting(engine);
}
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // The engine reads assets/ relative to the working directory, as the game does from the
    // repository root; the log goes to the system's temporary folder.
    const std::string log = (std::filesystem::temp_directory_path() / kLogFile).string();
    std::filesystem::current_path(QUILL_ASSET_ROOT);

    FakeWindowLayer window;
    window.canOpen = false;
    g_engine = new Engine();
    RegisterSubsystems(*g_engine);
    const char* const arguments[] = {"game_frame_bench", "-no_vis", "-out", log.c_str()};
    g_engine->ParseCommandLine(static_cast<int>(std::size(arguments)), arguments);
    g_engine->Initialize();
    Frames(kStartFrames);

    benchmark::RegisterBenchmark("GameFrame", &GameFrame)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("EmptyEngineFrame", &EmptyEngineFrame)
        ->Unit(benchmark::kMillisecond);
    GameFrameRatios reporter;
    const int status = RunAndPrintRatios(reporter);
    delete g_engine;
    std::printf("the engine's log: %s\n", log.c_str());
    return status;
}
