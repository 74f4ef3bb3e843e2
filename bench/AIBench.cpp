// The AI system's frame update over 200 enemies (AI controller, move component, a Seek behaviour
// chasing one of 4 players and an Attack behaviour whose interval outlasts the run) against the
// plainest way to do the steering's distance queries: each target's position by id from a
// std::unordered_map, then direction, length and normalisation into arrays. The system also
// finds each object's components, steers, and refreshes the world state of 204 characters;
// the target is at most 8 times the plain queries and no heap allocation per update.
#include "AI/AIControllerComponent.h"
#include "AI/AIRegistration.h"
#include "AI/AISystem.h"
#include "AI/Behaviors/AttackBehaviorComponent.h"
#include "AI/Behaviors/SeekBehaviorComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "GameState/GameStateRegistration.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/LogicRegistration.h"
#include "Logic/LogicSystem.h"
#include "Logic/Movement/MoveComponent.h"
#include "Math/MathUtils.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "bench/AllocationCounter.h"
#include "bench/PairRatioReporter.h"
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace
{
constexpr int EnemyCount = 200;
constexpr int PlayerCount = 4;
constexpr double TargetRatio = 8.0;
constexpr f32 FrameSeconds = 1.0f / 60.0f;
// Far enough that no enemy reaches its player: every step steers.
constexpr f32 ArenaRadius = 40.0f;
// Longer than any run: no shot is fired, so no object is made while measuring.
constexpr f32 NeverFires = 1.0e9f;

double g_allocationsPerUpdate = -1.0;

GameObject* MakeCharacter(GameFactory& factory, const char* name, f32 x, f32 z)
{
    GameObject* object = factory.CreateObject(name, Engine::GenerateId());
    auto* transform =
        static_cast<TransformComponent*>(factory.CreateComponent("TransformComponent"));
    transform->SetPosition(Math::Point4(x, 0.0f, z, 1.0f));
    object->AddComponent(transform);
    auto* health = static_cast<Logic::HealthContainerComponent*>(
        factory.CreateComponent("HealthContainerComponent"));
    health->SetMaximumStorage(100.0f);
    health->currentStorage_ = 100.0f;
    object->AddComponent(health);
    return object;
}

struct Stage
{
    Stage()
    {
        g_Engine = &engine;
        Core::RegisterCore(engine);
        Serializer::RegisterSerializer(engine);
        Scripting::RegisterScripting(engine);
        GameState::RegisterGameState(engine);
        Logic::RegisterLogic(engine);
        AI::RegisterAI(engine);
        engine.AddSystem("MessagingSystem");
        engine.AddSystem("LogicSystem");
        ai = static_cast<AI::System::AISystem*>(engine.AddSystem("AISystem"));
        GameFactory& factory = *engine.GetFactory();
        for (int i = 0; i < PlayerCount; ++i)
        {
            GameObject* player =
                MakeCharacter(factory, "CharacterGolem", static_cast<f32>(i) * 2.0f, 0.0f);
            player->AddComponent(factory.CreateComponent("SimpleControllerComponent"));
            players.push_back(player->GetId());
            positions[player->GetId()] = Math::Point4(static_cast<f32>(i) * 2.0f, 0, 0, 1);
        }
        for (int i = 0; i < EnemyCount; ++i)
        {
            const f32 angle = Math::TWO_PI * static_cast<f32>(i) / EnemyCount;
            const f32 x = ArenaRadius * std::cos(angle), z = ArenaRadius * std::sin(angle);
            GameObject* enemy = MakeCharacter(factory, "CharacterAIMelee", x, z);
            enemy->AddComponent(factory.CreateComponent("ConstantMoveComponent"));
            auto* controller = static_cast<AI::AIControllerComponent*>(
                enemy->AddComponent(factory.CreateComponent("AIControllerComponent")));
            auto* seek = static_cast<AI::SeekBehaviorComponent*>(
                enemy->AddComponent(factory.CreateComponent("SeekBehaviorComponent")));
            seek->MinSpeed = 2.0f;
            seek->MaxSpeed = 3.0f;
            seek->MinDistance = 1.0f;
            seek->MaxDistance = 2.0f;
            auto* attack = static_cast<AI::AttackBehaviorComponent*>(
                enemy->AddComponent(factory.CreateComponent("AttackBehaviorComponent")));
            attack->SetArchetype("AIMeleeStrike");
            attack->SetInterval(NeverFires);
            const u32 target = players[static_cast<std::size_t>(i % PlayerCount)];
            controller->SetTarget(target);
            attack->SetTarget(target);
            own.push_back(Math::Point4(x, 0, z, 1));
            targets.push_back(target);
        }
        directions.resize(EnemyCount);
        lengths.resize(EnemyCount);
        // Warm: the world state fills and every gathering list reaches its size.
        ai->Update(FrameSeconds);
        ai->Update(FrameSeconds);
    }

    // Destroyed after the engine: the next stage's engine becomes the global one.
    struct ClearGlobal
    {
        ~ClearGlobal() { g_Engine = nullptr; }
    } clearGlobal;
    Engine engine;
    AI::System::AISystem* ai = nullptr;
    std::vector<u32> players;
    std::unordered_map<u32, Math::Point4> positions;
    std::vector<Math::Point4> own;
    std::vector<u32> targets;
    std::vector<Math::Vector4> directions;
    std::vector<f32> lengths;
};

void AISystemUpdate(benchmark::State& state)
{
    Stage stage;
    const std::uint64_t before = Bench::HeapAllocations();
    for (auto _ : state)
    {
        stage.ai->Update(FrameSeconds);
        benchmark::ClobberMemory();
    }
    if (Bench::CountsHeapAllocations() && state.iterations() > 0)
        g_allocationsPerUpdate = static_cast<double>(Bench::HeapAllocations() - before) /
                                 static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * EnemyCount);
}

void PlainDistanceQueries(benchmark::State& state)
{
    Stage stage;
    for (auto _ : state)
    {
        for (std::size_t i = 0; i < stage.own.size(); ++i)
        {
            const Math::Point4& target = stage.positions.find(stage.targets[i])->second;
            Math::Vector4 direction(target.x - stage.own[i].x, 0.0f, target.z - stage.own[i].z,
                                    0.0f);
            stage.lengths[i] = direction.Length();
            direction.Normalize();
            stage.directions[i] = direction;
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * EnemyCount);
}

class AIRatios : public PairRatioReporter
{
public:
    AIRatios() : PairRatioReporter("AISystemUpdate", "PlainDistanceQueries") {}

    void PrintRatios() const override
    {
        if (m_system <= 0.0 || m_plain <= 0.0)
            return;
        const double ratio = m_system / m_plain;
        std::printf("\nAI system update of 200 enemies and 4 players: %.2f us per update\n",
                    m_system / 1000.0);
        std::printf("Ratio (AI system update / plain distance queries; lower is better)\n"
                    "%-28s %6.3f  target (<= %.1f) %s\n",
                    "update of 200 enemies", ratio, TargetRatio, Verdict(ratio <= TargetRatio));
        if (g_allocationsPerUpdate >= 0.0)
            std::printf("%-28s %6.3f  target (0) %s\n", "heap allocations per update",
                        g_allocationsPerUpdate, Verdict(g_allocationsPerUpdate == 0.0));
    }
};
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RegisterBenchmark("AISystemUpdate", &AISystemUpdate)->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark("PlainDistanceQueries", &PlainDistanceQueries);
    AIRatios reporter;
    return RunAndPrintRatios(reporter);
}
