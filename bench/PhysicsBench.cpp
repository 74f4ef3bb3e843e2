// Collision detection and the physics step against a plain baseline in the same run.
// - Detection of 1,000 and 10,000 colliders (spheres and turned boxes at constant density, few
//   contacts): the physics system's detection (broad phase, pair tests in walk order, contact
//   messages) against a plain sort-and-sweep over the same bounds that only counts the
//   overlapping pairs. Target: at most 2x the baseline at both sizes.
// - The walk over every pair at 1,000 colliders, for comparison.
// - A game-sized step: 200 colliders, 100 of them on rigid bodies pulled by joints into a
//   cluster, so that contacts are reported every step.
// - Heap allocations per steady step with contacts (AllocationCounter.h). Target: 0.
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Message.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/MessageSystem.h"
#include "Math/MathUtils.h"
#include "Physics/ColliderComponent.h"
#include "Physics/PhysicsRegistration.h"
#include "Physics/PhysicsSystem.h"
#include "bench/AllocationCounter.h"
#include "bench/RatioReporter.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <tinyxml2.h>
#include <vector>

using Physics::System::PhysicsSystem;

namespace
{
// Room per collider: one collider of radius 0.5 per 4 x 4 x 4 cube keeps contacts rare.
constexpr f32 VolumePerCollider = 64.0f;
constexpr f32 DetectionTargetRatio = 2.0f;
constexpr double AllocationTarget = 0.0;
constexpr u32 GameColliders = 200;
constexpr u32 GameBodies = 100;
constexpr int WarmUpSteps = 120;

// An engine with the core, physics, the message system and the physics system.
class Stage
{
public:
    Stage()
    {
        m_engine = std::make_unique<Engine>();
        Core::RegisterCore(*m_engine);
        Physics::RegisterPhysics(*m_engine);
        m_engine->AddSystem("MessagingSystem");
        physics = static_cast<PhysicsSystem*>(m_engine->AddSystem("PhysicsSystem"));
        messages = Core::System::MessageSystem::Instance();
        Math::SeedRand(1);
    }
    ~Stage()
    {
        m_engine.reset();
        g_Engine = nullptr;
    }

    void Make(const std::string& components)
    {
        tinyxml2::XMLDocument document;
        document.Parse(("<Thing>" + components + "</Thing>").c_str());
        GameObject* object = m_engine->GetFactory()->CreateObject("Thing", Engine::GenerateId());
        object->Deserialize(document.RootElement()->FirstChildElement());
    }
    // Delivers nothing: the messages a step posted are destroyed unread.
    void Drain()
    {
        while (Message* message = messages->PopFront())
            DestroyMessage(message);
    }

    PhysicsSystem* physics = nullptr;
    Core::System::MessageSystem* messages = nullptr;

private:
    std::unique_ptr<Engine> m_engine;
};

std::string Transform(f32 x, f32 y, f32 z, bool turned)
{
    std::ostringstream xml;
    xml << "<TransformComponent><position X=\"" << x << "\" Y=\"" << y << "\" Z=\"" << z << "\"/>";
    if (turned)
        xml << "<orientation X=\"" << Math::Rand() % 90 << "\" Y=\"" << Math::Rand() % 90
            << "\" Z=\"0\"/>";
    xml << "</TransformComponent>";
    return xml.str();
}

const char* const SphereXml = "<SphereColliderComponent><e>1</e><c>1</c><m>0</m><r>0.5</r>"
                              "</SphereColliderComponent>";
const char* const BoxXml = "<AABoxColliderComponent><e>1</e><c>1</c><m>0</m>"
                           "<size X=\"1\" Y=\"1\" Z=\"1\"/></AABoxColliderComponent>";

// count colliders spread through a cube at constant density, one in five a turned box.
void Scatter(Stage& stage, u32 count)
{
    const f32 side = std::cbrt(VolumePerCollider * static_cast<f32>(count));
    for (u32 i = 0; i < count; ++i)
    {
        const bool box = i % 5 == 0;
        stage.Make(Transform(Math::RandRange(0.0f, side), Math::RandRange(0.0f, side),
                             Math::RandRange(0.0f, side), box) +
                   (box ? BoxXml : SphereXml));
    }
    // One step puts every shape where its object is.
    stage.physics->Step(PhysicsSystem::FixedStep);
    stage.Drain();
}

void Detection(benchmark::State& state, PhysicsSystem::Detection detection)
{
    Stage stage;
    Scatter(stage, static_cast<u32>(state.range(0)));
    stage.physics->SetDetection(detection);
    for (auto _ : state)
    {
        stage.physics->DetectCollisions();
        stage.Drain();
    }
}

struct Bounds
{
    f32 minX, maxX, minY, maxY, minZ, maxZ;
};

// Sort the boxes by their lower x, sweep, count the pairs that overlap on all three axes.
void PlainSweep(benchmark::State& state)
{
    Stage stage;
    Scatter(stage, static_cast<u32>(state.range(0)));
    std::vector<Bounds> bounds;
    for (const Physics::ColliderComponent* collider : stage.physics->GetColliders())
    {
        Math::Vector4 min;
        Math::Vector4 max;
        collider->GetBounds(min, max);
        bounds.push_back(Bounds{min.x, max.x, min.y, max.y, min.z, max.z});
    }
    std::vector<Bounds> sorted(bounds.size());
    for (auto _ : state)
    {
        std::copy(bounds.begin(), bounds.end(), sorted.begin());
        std::sort(sorted.begin(), sorted.end(),
                  [](const Bounds& a, const Bounds& b) { return a.minX < b.minX; });
        u32 overlaps = 0;
        for (std::size_t i = 0; i < sorted.size(); ++i)
        {
            for (std::size_t j = i + 1; j < sorted.size() && sorted[j].minX <= sorted[i].maxX; ++j)
            {
                overlaps += sorted[i].minY <= sorted[j].maxY && sorted[j].minY <= sorted[i].maxY &&
                            sorted[i].minZ <= sorted[j].maxZ && sorted[j].minZ <= sorted[i].maxZ;
            }
        }
        benchmark::DoNotOptimize(overlaps);
    }
}

// 100 bodies pulled by joints toward the anchor through 100 fixed boxes: a crowd in contact.
void GameStep(benchmark::State& state)
{
    Stage stage;
    for (u32 i = 0; i < GameColliders - GameBodies; ++i)
        stage.Make(Transform(Math::RandRange(4.0f, 16.0f), Math::RandRange(-3.0f, 3.0f),
                             Math::RandRange(-3.0f, 3.0f), true) +
                   BoxXml + "<RigidBodyComponent><mass>0</mass></RigidBodyComponent>");
    for (u32 i = 0; i < GameBodies; ++i)
        stage.Make(Transform(Math::RandRange(0.0f, 20.0f), Math::RandRange(-4.0f, 4.0f),
                             Math::RandRange(-4.0f, 4.0f), false) +
                   SphereXml +
                   "<RigidBodyComponent><mass>1</mass></RigidBodyComponent>"
                   "<FixedJointComponent><f32>3</f32><f32>2</f32></FixedJointComponent>");
    for (int step = 0; step < WarmUpSteps; ++step)
    {
        stage.physics->Step(PhysicsSystem::FixedStep);
        stage.Drain();
    }
    u64 contacts = 0;
    const u64 before = Bench::HeapAllocations();
    for (auto _ : state)
    {
        stage.physics->Step(PhysicsSystem::FixedStep);
        contacts += stage.messages->GetQueueSize();
        stage.Drain();
    }
    const double steps = static_cast<double>(state.iterations());
    const double allocations = static_cast<double>(Bench::HeapAllocations() - before) / steps;
    const double messagesPerStep = static_cast<double>(contacts) / steps;

    // What the message system alone allocates for as many collision messages, posted and taken
    // in the same way: the rest is what the physics step allocates itself.
    const u32 perRound = static_cast<u32>(messagesPerStep);
    const u64 postedBefore = Bench::HeapAllocations();
    for (int round = 0; round < WarmUpSteps; ++round)
    {
        for (u32 i = 0; i < perRound; ++i)
            g_Engine->SendMessage(new CollideMessage(0, Math::Vector4(), 0, true, 0), 0.0f);
        stage.Drain();
    }
    const double messageAllocations =
        perRound == 0 ? 0.0
                      : static_cast<double>(Bench::HeapAllocations() - postedBefore) /
                            (static_cast<double>(WarmUpSteps) * perRound);
    state.counters["allocs/step"] = allocations;
    state.counters["msgs/step"] = messagesPerStep;
    state.counters["physics allocs/step"] = allocations - messageAllocations * messagesPerStep;
}

class PhysicsRatios : public RatioReporter
{
public:
    PhysicsRatios() : RatioReporter(ColoursOnlyOnTerminal()) {}

    void PrintRatios() const override
    {
        std::printf("\nCollision detection against a plain sort-and-sweep of the same bounds "
                    "(time ratio; lower is better)\n");
        for (const char* size : {"1000", "10000"})
        {
            const double detection = Time("Detection/" + std::string(size));
            const double baseline = Time("PlainSweep/" + std::string(size));
            if (detection <= 0.0 || baseline <= 0.0)
                continue;
            const double ratio = detection / baseline;
            std::printf("%6s colliders  detection/sweep %6.3f  target (<= %.0fx) %s\n", size, ratio,
                        DetectionTargetRatio, Verdict(ratio <= DetectionTargetRatio));
        }
        const double walk = Time("AllPairs/1000");
        const double swept = Time("Detection/1000");
        if (walk > 0.0 && swept > 0.0)
            std::printf("  1000 colliders  all-pairs walk/detection %6.1f (no target)\n",
                        walk / swept);
        const auto game = m_runs.find("GameStep");
        if (game != m_runs.end())
        {
            const Result& step = game->second;
            std::printf("Game-sized step (%u colliders, %u bodies): %.1f us, %.1f collision "
                        "messages per step\n",
                        GameColliders, GameBodies, step.time, step.messages);
            std::printf("  heap allocations per step: %.2f in all, %.2f by physics itself (the "
                        "rest is the message queue)  target (%.0f in all) %s\n",
                        step.allocations, step.physicsAllocations, AllocationTarget,
                        Verdict(step.allocations <= AllocationTarget));
        }
    }

private:
    struct Result
    {
        double time = 0.0; // microseconds
        double allocations = 0.0;
        double messages = 0.0;
        double physicsAllocations = 0.0;
    };

    double Time(const std::string& name) const
    {
        const auto found = m_runs.find(name);
        return found != m_runs.end() ? found->second.time : 0.0;
    }

    void Record(const Run& run) override
    {
        Result& result = m_runs[run.run_name.function_name +
                                (run.run_name.args.empty() ? "" : "/" + run.run_name.args)];
        result.time = run.GetAdjustedRealTime();
        const auto allocations = run.counters.find("allocs/step");
        if (allocations != run.counters.end())
            result.allocations = allocations->second.value;
        const auto own = run.counters.find("physics allocs/step");
        if (own != run.counters.end())
            result.physicsAllocations = own->second.value;
        const auto messages = run.counters.find("msgs/step");
        if (messages != run.counters.end())
            result.messages = messages->second.value;
    }

    std::map<std::string, Result> m_runs;
};
} // namespace

BENCHMARK_CAPTURE(Detection, SortAndSweep, PhysicsSystem::Detection::SortAndSweep)
    ->Name("Detection")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK(PlainSweep)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(Detection, AllPairs, PhysicsSystem::Detection::AllPairs)
    ->Name("AllPairs")
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK(GameStep)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    PhysicsRatios reporter;
    return RunAndPrintRatios(reporter);
}
