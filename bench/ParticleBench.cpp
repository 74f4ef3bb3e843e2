// The particle step near steady state: 100 emitters of 1,000 particles each, emitting
// continuously, interpolating colour, size and speed, pulled by gravity and animating a 16-frame
// sheet, stepped through the particle effect system. The baseline does the same work (the same
// interpolations, motion, pull, wrap, draw records and re-emission with the same random draws)
// as one plain structure-of-arrays loop. Targets: at least 200,000 particles stepped per ms on
// one core, at least half the plain loop's rate, and no heap allocation in 1,000 steps. A copy
// of the pools' bytes shows the memory-bandwidth ceiling of the machine it runs on.
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/SystemFactory.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"
#include "Graphics/Particles/ParticleRegistration.h"
#include "Math/MathUtils.h"
#include "bench/AllocationCounter.h"
#include "bench/RatioReporter.h"
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <tinyxml2.h>
#include <vector>

namespace
{
constexpr int Emitters = 100;
constexpr int Capacity = 1000;
constexpr f32 Step = 1.0f / 30.0f;
// 900 a second living 0.9 to 1.1 s: about 900 of the 1,000 slots live at any time.
constexpr f32 Rate = 900.0f;
constexpr f32 LifeLow = 0.9f;
constexpr f32 LifeHigh = 1.1f;
constexpr int WarmUpSteps = 90;
constexpr int AllocationSteps = 1000;
constexpr u32 SheetFrames = 16;
constexpr double TargetPerMs = 200000.0;
constexpr double TargetShareOfPlain = 0.5;

const char* const kEffect =
    "<E><TransformComponent><position X=\"0\" Y=\"0\" Z=\"0\"/><orientation X=\"0\" Y=\"0\" "
    "Z=\"0\"/><scale X=\"1\" Y=\"1\" Z=\"1\"/></TransformComponent>"
    "<ParticleSystemComponent><ParticleData>Bench</ParticleData>"
    "<ParticleTexture>Sheet</ParticleTexture><ParticleAge X=\"0.9\" Y=\"1.1\"/>"
    "<ParticleScaleStart X=\"0.2\" Y=\"0.3\"/><ParticleScaleEnd X=\"0.6\" Y=\"0.8\"/>"
    "<ParticleColorStart R=\"255\" G=\"200\" B=\"120\" A=\"255\"/>"
    "<ParticleColorStartDeviation R=\"0\" G=\"20\" B=\"20\" A=\"0\"/>"
    "<ParticleColorEnd R=\"80\" G=\"80\" B=\"80\" A=\"0\"/>"
    "<ParticleColorEndDeviation R=\"10\" G=\"10\" B=\"10\" A=\"0\"/>"
    "<ParticleBlending>1</ParticleBlending>"
    "<ParticleRotationSpeedStart X=\"-1\" Y=\"1\"/><ParticleRotationSpeedEnd X=\"-2\" Y=\"2\"/>"
    "<AnimationSpeed X=\"10\" Y=\"14\"/><StartingFrame>0</StartingFrame>"
    "<LoopAnimation>1</LoopAnimation></ParticleSystemComponent>"
    "<PointEmitterComponent><ParticleData>Bench</ParticleData>"
    "<ParticleCount X=\"0\" Y=\"1000\"/><EmissionRate X=\"900\" Y=\"900\"/>"
    "<EmissionDirection X=\"0\" Y=\"1\" Z=\"0\"/><GlobalDirection X=\"0\" Y=\"-1\" Z=\"0\"/>"
    "<GlobalSpeed>9.8</GlobalSpeed><SpeedStart X=\"2\" Y=\"4\"/><SpeedEnd X=\"0.5\" Y=\"1\"/>"
    "<DirectionVariance X=\"20\" Y=\"20\" Z=\"0\"/></PointEmitterComponent></E>";

class NullSystem : public SystemComponent
{
public:
    NullSystem() { m_name = "NullSystem"; }
    const std::string& GetName() const override { return m_name; }
    void Update(f32) override {}
    void Initialize(u32) override {}
};

// The engine with 100 effects stepped to steady state.
struct EffectStage
{
    EffectStage()
    {
        Math::SeedRand(1);
        engine = std::make_unique<Engine>();
        Core::RegisterCore(*engine);
        // The first system outlives the allocator; a stand-in takes its place.
        engine->GetSystemFactory().Register(
            "NullSystem", [](const LaunchOptions&) -> SystemComponent* { return new NullSystem(); },
            []() -> SystemComponent* { return nullptr; });
        engine->AddSystem("NullSystem");
        Graphics::RegisterParticles(*engine);
        system = static_cast<Graphics::System::ParticleEffectSystem*>(
            engine->AddSystem(Graphics::System::ParticleEffectSystem::SystemName));
        textures = std::make_unique<Graphics::TextureManager>();
        Graphics::TextureParam param;
        param.staged = std::make_shared<Graphics::TextureData>();
        param.staged->totalFrames = SheetFrames;
        param.staged->framesPerRow = 4;
        textures->Add("Sheet", param, Graphics::TextureManager::ParticleCategory);

        tinyxml2::XMLDocument document;
        document.Parse(kEffect);
        for (int i = 0; i < Emitters; ++i)
        {
            GameObject* object = engine->GetFactory()->CreateObject("Bench", Engine::GenerateId());
            object->Deserialize(document.RootElement()->FirstChildElement());
            for (const auto& entry : object->GetComponentList())
                if (auto* emitter =
                        dynamic_cast<Graphics::ParticleEmitterComponent*>(entry.component))
                    emitters.push_back(emitter);
        }
        for (int i = 0; i < WarmUpSteps; ++i)
            system->Update(Step);
    }
    ~EffectStage()
    {
        // The objects go while the textures their data point at still exist.
        engine->GetFactory()->DestroyObjectsFrom(1);
        system->DestroyParticleEffects();
        textures.reset();
        engine.reset();
    }
    u64 Live() const
    {
        u64 live = 0;
        for (const auto* emitter : emitters)
            live += emitter->GetPool().GetLiveCount();
        return live;
    }
    u64 Taken() const
    {
        u64 taken = 0;
        for (const auto* emitter : emitters)
            taken += emitter->GetPool().GetTakenTotal();
        return taken;
    }
    u64 Freed() const
    {
        u64 freed = 0;
        for (const auto* emitter : emitters)
            freed += emitter->GetPool().GetFreedTotal();
        return freed;
    }

    std::unique_ptr<Engine> engine;
    Graphics::System::ParticleEffectSystem* system = nullptr;
    std::unique_ptr<Graphics::TextureManager> textures;
    std::vector<Graphics::ParticleEmitterComponent*> emitters;
};

// The same particles as plain arrays, one entry per slot of all emitters.
struct PlainParticles
{
    static constexpr int Slots = Emitters * Capacity;

    PlainParticles()
        : alive(Slots), px(Slots), py(Slots), pz(Slots), dx(Slots), dy(Slots), dz(Slots), r(Slots),
          g(Slots), b(Slots), a(Slots), r0(Slots), g0(Slots), b0(Slots), a0(Slots), r1(Slots),
          g1(Slots), b1(Slots), a1(Slots), speed(Slots), speed0(Slots), speed1(Slots), spin(Slots),
          spin0(Slots), spin1(Slots), rotation(Slots), scale(Slots), scale0(Slots), scale1(Slots),
          age(Slots), life(Slots), frame(Slots), animation(Slots), vertices(Slots * 9),
          last(Emitters, 0), owed(Emitters, 0.0f)
    {
        Math::SeedRand(1);
        for (int i = 0; i < WarmUpSteps; ++i)
            Step1();
    }

    void Emit(int slot)
    {
        alive[slot] = 1;
        px[slot] = py[slot] = pz[slot] = 0.0f;
        const f32 turn = Math::RandRange(-0.35f, 0.35f) + Math::RandRange(-0.35f, 0.35f);
        dx[slot] = std::sin(turn);
        dy[slot] = std::cos(turn);
        dz[slot] = 0.0f;
        speed[slot] = speed0[slot] = Math::RandRange(2.0f, 4.0f);
        speed1[slot] = Math::RandRange(0.5f, 1.0f);
        age[slot] = 0.0f;
        life[slot] = Math::RandRange(LifeLow, LifeHigh);
        spin[slot] = spin0[slot] = Math::RandRange(-1.0f, 1.0f);
        rotation[slot] = 0.0f;
        spin1[slot] = Math::RandRange(-2.0f, 2.0f);
        scale[slot] = scale0[slot] = Math::RandRange(0.2f, 0.3f);
        scale1[slot] = Math::RandRange(0.6f, 0.8f);
        r[slot] = r0[slot] = 1.0f;
        g[slot] = g0[slot] = Math::RandRange(0.7f, 0.86f);
        b[slot] = b0[slot] = Math::RandRange(0.39f, 0.55f);
        a[slot] = a0[slot] = 1.0f;
        r1[slot] = Math::RandRange(0.27f, 0.35f);
        g1[slot] = Math::RandRange(0.27f, 0.35f);
        b1[slot] = Math::RandRange(0.27f, 0.35f);
        a1[slot] = 0.0f;
        animation[slot] = Math::RandRange(10.0f, 14.0f);
        frame[slot] = 0.0f;
    }

    void Step1()
    {
        const f32 pull = -9.8f * Step;
        for (int e = 0; e < Emitters; ++e)
        {
            const int base = e * Capacity;
            owed[e] += Rate * Step;
            int count = static_cast<int>(owed[e]);
            owed[e] -= static_cast<f32>(count);
            for (int looked = 0; looked < Capacity && count > 0; ++looked)
            {
                last[e] = last[e] + 1 >= Capacity ? 0 : last[e] + 1;
                if (alive[base + last[e]] != 0)
                    continue;
                Emit(base + last[e]);
                --count;
            }
        }
        int written = 0;
        for (int i = 0; i < Slots; ++i)
        {
            if (alive[i] == 0)
                continue;
            age[i] += Step;
            if (age[i] > life[i])
            {
                alive[i] = 0;
                continue;
            }
            f32 t = age[i] / life[i];
            t = t < 1.0f ? t : 1.0f;
            r[i] = r0[i] + (r1[i] - r0[i]) * t;
            g[i] = g0[i] + (g1[i] - g0[i]) * t;
            b[i] = b0[i] + (b1[i] - b0[i]) * t;
            a[i] = a0[i] + (a1[i] - a0[i]) * t;
            speed[i] = speed0[i] + (speed1[i] - speed0[i]) * t;
            spin[i] = spin0[i] + (spin1[i] - spin0[i]) * t;
            scale[i] = scale0[i] + (scale1[i] - scale0[i]) * t;
            const f32 move = speed[i] * Step;
            px[i] += dx[i] * move;
            py[i] += dy[i] * move;
            pz[i] += dz[i] * move;
            rotation[i] += spin[i] * Step;
            frame[i] += animation[i] * Step;
            dy[i] += pull;
            if (frame[i] >= static_cast<f32>(SheetFrames))
                frame[i] -= std::floor(frame[i]);
            f32* vertex = &vertices[written++ * 9];
            vertex[0] = px[i];
            vertex[1] = py[i];
            vertex[2] = pz[i];
            vertex[3] = r[i];
            vertex[4] = g[i];
            vertex[5] = b[i];
            vertex[6] = a[i];
            vertex[7] = scale[i];
            vertex[8] = std::floor(frame[i]);
        }
        stepped = static_cast<u64>(written);
    }

    std::vector<u08> alive;
    std::vector<f32> px, py, pz, dx, dy, dz, r, g, b, a, r0, g0, b0, a0, r1, g1, b1, a1;
    std::vector<f32> speed, speed0, speed1, spin, spin0, spin1, rotation, scale, scale0, scale1;
    std::vector<f32> age, life, frame, animation, vertices;
    std::vector<int> last;
    std::vector<f32> owed;
    u64 stepped = 0;
};

// The least any step must cost: every particle record, alive flag and draw record of the 100
// pools read and written once, as one memcpy. A step that reads and writes each live
// particle's record cannot beat the machine's memory bandwidth; this shows where that ceiling
// lies on the machine the program runs on, in particles per ms.
struct PoolBytes
{
    static constexpr std::size_t Bytes =
        static_cast<std::size_t>(Emitters) * Capacity *
        (sizeof(Graphics::Particle) + sizeof(u08) + sizeof(Graphics::ParticleVertex));

    PoolBytes() : from(Bytes, 1), to(Bytes, 0) {}

    std::vector<unsigned char> from;
    std::vector<unsigned char> to;
};

// Filled by the benchmarks, printed by the reporter.
struct Figures
{
    double emittedPerStep = 0.0;
    double killedPerStep = 0.0;
    double livePerStep = 0.0;
    double allocationsPerStep = -1.0;
} g_figures;

void ParticleEffectStep(benchmark::State& state)
{
    EffectStage stage;
    // Heap allocations over 1,000 steps, outside the timed loop.
    if (Bench::CountsHeapAllocations())
    {
        const u64 before = Bench::HeapAllocations();
        for (int i = 0; i < AllocationSteps; ++i)
            stage.system->Update(Step);
        g_figures.allocationsPerStep =
            static_cast<double>(Bench::HeapAllocations() - before) / AllocationSteps;
    }
    const u64 taken = stage.Taken();
    const u64 freed = stage.Freed();
    u64 stepped = 0;
    for (auto _ : state)
    {
        stepped += stage.Live();
        stage.system->Update(Step);
        benchmark::ClobberMemory();
    }
    const double steps = static_cast<double>(state.iterations());
    g_figures.emittedPerStep = static_cast<double>(stage.Taken() - taken) / steps;
    g_figures.killedPerStep = static_cast<double>(stage.Freed() - freed) / steps;
    g_figures.livePerStep = static_cast<double>(stepped) / steps;
    state.SetItemsProcessed(static_cast<int64_t>(stepped));
}

void PlainArraysStep(benchmark::State& state)
{
    PlainParticles plain;
    u64 stepped = 0;
    for (auto _ : state)
    {
        plain.Step1();
        stepped += plain.stepped;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(stepped));
}

void CopyPoolBytes(benchmark::State& state)
{
    PoolBytes pools;
    for (auto _ : state)
    {
        std::memcpy(pools.to.data(), pools.from.data(), PoolBytes::Bytes);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Emitters * Capacity);
}

class ParticleRatios : public RatioReporter
{
public:
    ParticleRatios() : RatioReporter(ColoursOnlyOnTerminal()) {}

    void PrintRatios() const override
    {
        if (m_system <= 0.0 || m_plain <= 0.0)
            return;
        const double perMs = m_system / 1000.0;
        const double plainPerMs = m_plain / 1000.0;
        std::printf("\nParticles (100 emitters of 1,000, one core)\n");
        std::printf("%-34s %10.0f\n", "live particles per step", g_figures.livePerStep);
        std::printf("%-34s %10.1f\n", "emitted per step", g_figures.emittedPerStep);
        std::printf("%-34s %10.1f\n", "killed per step", g_figures.killedPerStep);
        std::printf("%-34s %10.0f  target (>= %.0f) %s\n", "stepped per ms", perMs, TargetPerMs,
                    Verdict(perMs >= TargetPerMs));
        std::printf("%-34s %10.0f\n", "plain arrays: stepped per ms", plainPerMs);
        if (m_copy > 0.0)
            std::printf("%-34s %10.0f  (the memory-bandwidth ceiling)\n",
                        "pool bytes copied: slots per ms", m_copy / 1000.0);
        std::printf("%-34s %10.3f  target (>= %.1f) %s\n", "share of the plain loop's rate",
                    perMs / plainPerMs, TargetShareOfPlain,
                    Verdict(perMs / plainPerMs >= TargetShareOfPlain));
        if (g_figures.allocationsPerStep >= 0.0)
            std::printf("%-34s %10.3f  target (0) %s\n", "heap allocations per step",
                        g_figures.allocationsPerStep, Verdict(g_figures.allocationsPerStep == 0.0));
        else
            std::printf("%-34s %10s\n", "heap allocations per step", "not counted");
    }

private:
    void Record(const Run& run) override
    {
        const std::string name = run.run_name.function_name;
        const auto found = run.counters.find("items_per_second");
        const double rate = found != run.counters.end() ? found->second.value : 0.0;
        if (name == "ParticleEffectStep")
            m_system = rate;
        else if (name == "PlainArraysStep")
            m_plain = rate;
        else if (name == "CopyPoolBytes")
            m_copy = rate;
    }

    // Particles stepped per second.
    double m_system = 0.0;
    double m_plain = 0.0;
    double m_copy = 0.0; // pool slots copied per second
};
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RegisterBenchmark("ParticleEffectStep", &ParticleEffectStep);
    benchmark::RegisterBenchmark("PlainArraysStep", &PlainArraysStep);
    benchmark::RegisterBenchmark("CopyPoolBytes", &CopyPoolBytes);
    ParticleRatios reporter;
    return RunAndPrintRatios(reporter);
}
