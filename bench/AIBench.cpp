// The AI system's frame update over 200 enemies (AI controller, move component, a Seek behaviour
// chasing one of 4 players, who each hold an effect, and an Attack behaviour whose interval
// outlasts the run) against the same queries and writes done by plain means: characters in a
// std::unordered_map by id, the enemies' state in a std::vector of structs. Per enemy the
// baseline finds its own character and its target's by id, checks the target is not dying,
// takes the horizontal direction and distance, advances the chase timer, compares the distance
// with the stopping distance, reads the facing (the orientation's forward against the desired
// direction, turning only when it differs, as the engine does), draws a speed and writes it and
// the direction, advances the attack's timer and picks the running or standing pose. Then it
// refreshes the 204 tracked characters' positions and health fractions by id. The system does
// the same through its components (the look-ups of an object's components, virtual steps of the
// behaviours, the controller's pose check, the world state's entries). The update is timed as
// is and after another object's destruction (the enemies' targets all stay). Targets: at most 6
// times the plain queries; no heap allocation per update.
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
#include "ScriptApi/ScriptApiRegistration.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "bench/PairRatioReporter.h"
#include "tests/Platform/Support/AllocationCounter.h"
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
constexpr double TargetRatio = 6.0;
constexpr f32 FrameSeconds = 1.0f / 60.0f;
// Far enough that no enemy reaches its player: every step steers.
constexpr f32 ArenaRadius = 40.0f;
// Longer than any run: no shot is fired, so no object is made while measuring.
constexpr f32 NeverFires = 1.0e9f;
// The Seek behaviour's speeds and distances.
constexpr f32 MinSpeed = 2.0f;
constexpr f32 MaxSpeed = 3.0f;
constexpr f32 MinDistance = 1.0f;
constexpr f32 MaxDistance = 2.0f;
constexpr f32 Health = 100.0f;
// As the engine's steering: a facing this close to the desired direction is not turned.
constexpr f32 AlignedCosine = 0.99999f;
const Math::Vector4 Forward(0.0f, 0.0f, 1.0f, 0.0f);
// Updates timed after a destroy, one shot made beforehand for each.
constexpr benchmark::IterationCount UpdatesAfterADestroy = 50000;

GameObject* MakeCharacter(GameFactory& factory, const char* name, f32 x, f32 z)
{
    GameObject* object = factory.CreateObject(name, Engine::GenerateId());
    auto* transform =
        static_cast<TransformComponent*>(factory.CreateComponent("TransformComponent"));
    transform->SetPosition(Math::Point4(x, 0.0f, z, 1.0f));
    object->AddComponent(transform);
    auto* health = static_cast<Logic::HealthContainerComponent*>(
        factory.CreateComponent("HealthContainerComponent"));
    health->SetMaximumStorage(Health);
    health->currentStorage_ = Health;
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
            // An effect, as a player in a fight often holds: the check for a dying target
            // passes it by.
            player->AddComponent(factory.CreateComponent("HealthEffectComponent"));
            players.push_back(player->GetId());
            characters[player->GetId()] =
                PlainCharacter{Math::Point4(static_cast<f32>(i) * 2.0f, 0, 0, 1)};
            tracked.push_back(PlainTracked{player->GetId()});
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
            seek->MinSpeed = MinSpeed;
            seek->MaxSpeed = MaxSpeed;
            seek->MinDistance = MinDistance;
            seek->MaxDistance = MaxDistance;
            auto* attack = static_cast<AI::AttackBehaviorComponent*>(
                enemy->AddComponent(factory.CreateComponent("AttackBehaviorComponent")));
            attack->SetArchetype("AIMeleeStrike");
            attack->SetInterval(NeverFires);
            const u32 target = players[static_cast<std::size_t>(i % PlayerCount)];
            controller->SetTarget(target);
            attack->SetTarget(target);
            characters[enemy->GetId()] = PlainCharacter{Math::Point4(x, 0, z, 1)};
            enemies.push_back(PlainEnemy{enemy->GetId(), target});
            tracked.push_back(PlainTracked{enemy->GetId()});
        }
        // Warm: the world state fills, every gathering list reaches its size and every enemy
        // faces its target; the same for the plain state.
        ai->Update(FrameSeconds);
        ai->Update(FrameSeconds);
        PlainUpdate();
        PlainUpdate();
    }

    // Every enemy's chase and attack, then the tracked characters, by plain means.
    void PlainUpdate()
    {
        for (PlainEnemy& enemy : enemies)
        {
            PlainCharacter& self = characters.find(enemy.id)->second;
            const auto found = characters.find(enemy.target);
            if (found == characters.end() || found->second.dying)
                continue;
            const Math::Point4& target = found->second.position;
            const f32 x = target.x - self.position.x, z = target.z - self.position.z;
            const f32 distance = std::sqrt(x * x + z * z);
            if (distance < Math::EPSILON)
                continue;
            const f32 inverse = 1.0f / distance;
            const Math::Vector4 desired(x * inverse, 0.0f, z * inverse, 0.0f);
            if (enemy.engaged)
                enemy.chaseTimer += FrameSeconds;
            if (enemy.engaged ? distance >= MinDistance : distance > MaxDistance)
            {
                const Math::Vector4 forward = self.orientation.Rotate(Forward);
                if (forward.Dot(desired) < AlignedCosine)
                {
                    self.orientation =
                        self.orientation * Math::Quaternion::RotationBetween(forward, desired);
                    self.orientation.Normalize();
                }
                enemy.speed = MinSpeed + (MaxSpeed - MinSpeed) * Math::RandUnit();
                enemy.direction = desired;
                enemy.engaged = true;
            }
            else
            {
                enemy.speed = 0.0f;
                enemy.engaged = false;
            }
            enemy.attackTimer += FrameSeconds;
            if (enemy.attackTimer > NeverFires)
                enemy.attackTimer -= NeverFires;
            enemy.running = enemy.speed > 0.0f;
        }
        for (PlainTracked& entry : tracked)
        {
            const PlainCharacter& character = characters.find(entry.id)->second;
            entry.position = character.position;
            entry.healthFraction =
                character.maximum > 0.0f ? character.health / character.maximum : 0.0f;
        }
    }

    // What the baseline keeps of a character, of an enemy and of a tracked character.
    struct PlainCharacter
    {
        explicit PlainCharacter(const Math::Point4& at = Math::Point4()) : position(at) {}
        Math::Point4 position;
        Math::Quaternion orientation;
        f32 health = Health;
        f32 maximum = Health;
        bool dying = false;
    };
    struct PlainEnemy
    {
        PlainEnemy(u32 enemyId, u32 targetId) : id(enemyId), target(targetId) {}
        u32 id;
        u32 target;
        Math::Vector4 direction;
        f32 speed = 0.0f;
        f32 chaseTimer = 0.0f;
        f32 attackTimer = 0.0f;
        bool engaged = false;
        bool running = false;
    };
    struct PlainTracked
    {
        explicit PlainTracked(u32 trackedId) : id(trackedId) {}
        u32 id;
        Math::Point4 position;
        f32 healthFraction = 0.0f;
    };

    // Destroyed after the engine: the next stage's engine becomes the global one.
    struct ClearGlobal
    {
        ~ClearGlobal() { g_Engine = nullptr; }
    } clearGlobal;
    Engine engine;
    AI::System::AISystem* ai = nullptr;
    std::vector<u32> players;
    std::unordered_map<u32, PlainCharacter> characters;
    std::vector<PlainEnemy> enemies;
    std::vector<PlainTracked> tracked;
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
        state.counters["allocs/update"] = static_cast<double>(Bench::HeapAllocations() - before) /
                                          static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * EnemyCount);
}

// The same update after another object (a shot that hit) was destroyed, as happens in many
// frames of a fight: the enemies' targets all stay. The shots are made before the timing, one
// per update; each destruction is timed with its update (a small part of it: the factory's
// erase and the memory's return) but not counted.
void AISystemUpdateAfterADestroy(benchmark::State& state)
{
    Stage stage;
    GameFactory& factory = *stage.engine.GetFactory();
    std::vector<u32> shots(static_cast<std::size_t>(state.max_iterations));
    for (u32& shot : shots)
    {
        shot = Engine::GenerateId();
        factory.CreateObject("Shot", shot);
    }
    std::size_t next = 0;
    std::uint64_t allocations = 0;
    for (auto _ : state)
    {
        factory.DestroyObject(shots[next++]);
        const std::uint64_t before = Bench::HeapAllocations();
        stage.ai->Update(FrameSeconds);
        allocations += Bench::HeapAllocations() - before;
        benchmark::ClobberMemory();
    }
    if (Bench::CountsHeapAllocations() && state.iterations() > 0)
        state.counters["allocs/update"] =
            static_cast<double>(allocations) / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * EnemyCount);
}

void PlainDistanceQueries(benchmark::State& state)
{
    Stage stage;
    for (auto _ : state)
    {
        stage.PlainUpdate();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * EnemyCount);
}

class AIRatios : public PairRatioReporter
{
public:
    AIRatios() : PairRatioReporter("AISystemUpdate", "PlainDistanceQueries") {}

protected:
    void Record(const Run& run) override
    {
        PairRatioReporter::Record(run);
        const std::string name = run.run_name.function_name;
        if (name == AfterADestroyRun)
            m_afterADestroy = run.GetAdjustedRealTime();
        const auto allocations = run.counters.find("allocs/update");
        if (allocations == run.counters.end())
            return;
        if (name == AfterADestroyRun)
            m_allocationsAfterADestroy = allocations->second.value;
        else
            m_allocationsPerUpdate = allocations->second.value;
    }

public:
    static constexpr const char* AfterADestroyRun = "AISystemUpdateAfterADestroy";

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
        if (m_allocationsPerUpdate >= 0.0)
            std::printf("%-28s %6.3f  target (0) %s\n", "heap allocations per update",
                        m_allocationsPerUpdate, Verdict(m_allocationsPerUpdate == 0.0));
        if (m_afterADestroy > 0.0)
        {
            const double afterRatio = m_afterADestroy / m_plain;
            std::printf("%-28s %6.3f  target (<= %.1f) %s\n", "update after a destroy", afterRatio,
                        TargetRatio, Verdict(afterRatio <= TargetRatio));
        }
        if (m_allocationsAfterADestroy >= 0.0)
            std::printf("%-28s %6.3f  target (0) %s\n", "heap allocs after a destroy",
                        m_allocationsAfterADestroy, Verdict(m_allocationsAfterADestroy == 0.0));
    }

private:
    double m_afterADestroy = 0.0;
    // -1 while not counted (sanitizer builds keep the ordinary malloc).
    double m_allocationsPerUpdate = -1.0;
    double m_allocationsAfterADestroy = -1.0;
};
} // namespace

int main(int argc, char** argv)
{
    // Every script state gets the script tables, as in the game.
    Scripting::RegisterScriptTables();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RegisterBenchmark("AISystemUpdate", &AISystemUpdate)->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark(AIRatios::AfterADestroyRun, &AISystemUpdateAfterADestroy)
        ->Iterations(UpdatesAfterADestroy)
        ->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark("PlainDistanceQueries", &PlainDistanceQueries);
    AIRatios reporter;
    return RunAndPrintRatios(reporter);
}
