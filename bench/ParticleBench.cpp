// The particle step near steady state: 100 emitters of 1,000 particles each, emitting
// continuously, interpolating colour, size and speed, pulled by gravity and animating a 16-frame
// sheet, stepped through the particle effect system. The baseline does the same work with the
// same fields (the same interpolations, motion, pull, wrap, draw records and re-emission with the
// same number of random draws) as plain structure-of-arrays loops written for the compiler to
// vectorise. Targets: at least 120,000 particles stepped per ms on one core, at least 0.8 of the
// plain loops' rate, and no heap allocation in 1,000 steps. The pools' bytes read and written
// once in place show the ceiling that memory sets on the machine it runs on.
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
#include "Math/RandStream.h"
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
constexpr double TargetPerMs = 120000.0;
constexpr double TargetShareOfPlain = 0.8;

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
    std::string GetName() const override { return m_name; }
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

// The same particles as plain arrays, one entry per slot of all emitters, with every field the
// engine's record has. The update runs over every slot without a branch, so that the compiler
// vectorises it (dead slots are computed and their results dropped); a second loop writes the
// draw records of the live slots.
struct PlainParticles
{
    static constexpr int Slots = Emitters * Capacity;

    PlainParticles()
        : alive(Slots), px(Slots), py(Slots), pz(Slots), pw(Slots), dx(Slots), dy(Slots), dz(Slots),
          dw(Slots), r(Slots), g(Slots), b(Slots), a(Slots), r0(Slots), g0(Slots), b0(Slots),
          a0(Slots), r1(Slots), g1(Slots), b1(Slots), a1(Slots), speed(Slots), speed0(Slots),
          speed1(Slots), spin(Slots), spin0(Slots), spin1(Slots), rotation(Slots), scale(Slots),
          scale0(Slots), scale1(Slots), age(Slots), life(Slots), frame(Slots), animation(Slots),
          vertices(static_cast<std::size_t>(Slots) * VertexFloats), last(Emitters, 0),
          owed(Emitters, 0.0f)
    {
        Math::SeedRand(1);
        for (int i = 0; i < WarmUpSteps; ++i)
            Step1();
    }

    static constexpr int VertexFloats = sizeof(Graphics::ParticleVertex) / sizeof(f32);

    // The draws of a birth: two for the direction, then speed, data and colours as the engine.
    void Emit(int slot)
    {
        Math::RandStream draw;
        alive[slot] = 1;
        px[slot] = py[slot] = pz[slot] = 0.0f;
        pw[slot] = 1.0f;
        const f32 turn = draw.Range(-0.35f, 0.35f) + draw.Range(-0.35f, 0.35f);
        dx[slot] = std::sin(turn);
        dy[slot] = std::cos(turn);
        dz[slot] = 0.0f;
        dw[slot] = 0.0f;
        speed[slot] = speed0[slot] = draw.Range(2.0f, 4.0f);
        speed1[slot] = draw.Range(0.5f, 1.0f);
        age[slot] = 0.0f;
        life[slot] = draw.Range(LifeLow, LifeHigh);
        spin[slot] = spin0[slot] = draw.Range(-1.0f, 1.0f);
        rotation[slot] = 0.0f;
        spin1[slot] = draw.Range(-2.0f, 2.0f);
        scale[slot] = scale0[slot] = draw.Range(0.2f, 0.3f);
        scale1[slot] = draw.Range(0.6f, 0.8f);
        a[slot] = a0[slot] = 1.0f + draw.Range(0.0f, 0.0f);
        b[slot] = b0[slot] = draw.Range(0.39f, 0.55f);
        g[slot] = g0[slot] = draw.Range(0.7f, 0.86f);
        r[slot] = r0[slot] = 1.0f + draw.Range(0.0f, 0.0f);
        a1[slot] = draw.Range(0.0f, 0.0f);
        b1[slot] = draw.Range(0.27f, 0.35f);
        g1[slot] = draw.Range(0.27f, 0.35f);
        r1[slot] = draw.Range(0.27f, 0.35f);
        animation[slot] = draw.Range(10.0f, 14.0f);
        frame[slot] = 0.0f;
    }

    void Step1()
    {
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
        Update();
        stepped = static_cast<u64>(WriteVertices());
    }

    void Update()
    {
        const f32 pull = -9.8f * Step;
        const f32 sheet = static_cast<f32>(SheetFrames);
        u08* const live = alive.data();
        for (int i = 0; i < Slots; ++i)
        {
            const f32 older = age[i] + Step;
            const bool keep = live[i] != 0 && !(older > life[i]);
            f32 t = older / life[i];
            t = t < 1.0f ? t : 1.0f;
            const f32 nowSpeed = speed0[i] + (speed1[i] - speed0[i]) * t;
            const f32 nowSpin = spin0[i] + (spin1[i] - spin0[i]) * t;
            const f32 move = nowSpeed * Step;
            f32 nowFrame = frame[i] + animation[i] * Step;
            // Frames are never negative here, so the whole part is the truncation.
            nowFrame = nowFrame >= sheet ? nowFrame - static_cast<f32>(static_cast<s32>(nowFrame))
                                         : nowFrame;
            age[i] = keep ? older : age[i];
            r[i] = keep ? r0[i] + (r1[i] - r0[i]) * t : r[i];
            g[i] = keep ? g0[i] + (g1[i] - g0[i]) * t : g[i];
            b[i] = keep ? b0[i] + (b1[i] - b0[i]) * t : b[i];
            a[i] = keep ? a0[i] + (a1[i] - a0[i]) * t : a[i];
            speed[i] = keep ? nowSpeed : speed[i];
            spin[i] = keep ? nowSpin : spin[i];
            scale[i] = keep ? scale0[i] + (scale1[i] - scale0[i]) * t : scale[i];
            px[i] = keep ? px[i] + dx[i] * move : px[i];
            py[i] = keep ? py[i] + dy[i] * move : py[i];
            pz[i] = keep ? pz[i] + dz[i] * move : pz[i];
            rotation[i] = keep ? rotation[i] + nowSpin * Step : rotation[i];
            frame[i] = keep ? nowFrame : frame[i];
            dy[i] = keep ? dy[i] + pull : dy[i];
            live[i] = keep ? 1 : 0;
        }
    }

    int WriteVertices()
    {
        int written = 0;
        for (int i = 0; i < Slots; ++i)
        {
            if (alive[i] == 0)
                continue;
            f32* vertex = &vertices[static_cast<std::size_t>(written++) * VertexFloats];
            vertex[0] = px[i];
            vertex[1] = py[i];
            vertex[2] = pz[i];
            vertex[3] = r[i];
            vertex[4] = g[i];
            vertex[5] = b[i];
            vertex[6] = a[i];
            vertex[7] = scale[i];
            vertex[8] = rotation[i];
            vertex[9] = static_cast<f32>(static_cast<s32>(frame[i]));
        }
        return written;
    }

    std::vector<u08> alive;
    std::vector<f32> px, py, pz, pw, dx, dy, dz, dw, r, g, b, a, r0, g0, b0, a0, r1, g1, b1, a1;
    std::vector<f32> speed, speed0, speed1, spin, spin0, spin1, rotation, scale, scale0, scale1;
    std::vector<f32> age, life, frame, animation, vertices;
    std::vector<int> last;
    std::vector<f32> owed;
    u64 stepped = 0;
};

// What memory alone costs a step: the 100 pools' bytes (every particle record, alive flag and
// draw record) each read and written once, in place, as a step does; no step that touches each
// record can beat it on the machine the program runs on. (Copying into a second buffer would
// measure main memory rather than the caches a step works in.)
struct PoolBytes
{
    static constexpr std::size_t Words =
        static_cast<std::size_t>(Emitters) * Capacity *
        (sizeof(Graphics::Particle) + sizeof(u08) + sizeof(Graphics::ParticleVertex)) / sizeof(u32);

    PoolBytes() : words(Words, 1u) {}

    std::vector<u32> words;
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

void TouchPoolBytesInPlace(benchmark::State& state)
{
    PoolBytes pools;
    u32* const words = pools.words.data();
    for (auto _ : state)
    {
        for (std::size_t i = 0; i < PoolBytes::Words; ++i)
            words[i] += 1u;
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
        if (m_touch > 0.0)
            std::printf("%-34s %10.0f  (the ceiling memory sets)\n",
                        "pool bytes touched in place: slots/ms", m_touch / 1000.0);
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
        else if (name == "TouchPoolBytesInPlace")
            m_touch = rate;
    }

    // Particles stepped per second.
    double m_system = 0.0;
    double m_plain = 0.0;
    double m_touch = 0.0; // pool slots read and written in place per second
};
} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RegisterBenchmark("ParticleEffectStep", &ParticleEffectStep);
    benchmark::RegisterBenchmark("PlainArraysStep", &PlainArraysStep);
    benchmark::RegisterBenchmark("TouchPoolBytesInPlace", &TouchPoolBytesInPlace);
    ParticleRatios reporter;
    return RunAndPrintRatios(reporter);
}
