// The particle step near steady state: 100 emitters of 1,000 particles each, emitting
// continuously, interpolating colour, size and speed, pulled by gravity and animating a 16-frame
// sheet, stepped through the particle effect system. The baseline does the same work with the
// same fields (the same interpolations, motion, pull, wrap, draw records and re-emission with the
// same number of random draws) as plain structure-of-arrays loops, the update four slots at a
// time with SSE2. Targets: at least 120,000 particles stepped per ms on one core, at least 0.8 of
// the plain loops' rate, and no heap allocation in 1,000 steps. The pools' bytes read and written
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
#include "bench/RatioReporter.h"
#include "tests/Platform/Support/AllocationCounter.h"
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
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

const char* const Effect =
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
        document.Parse(Effect);
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

    // Every float field is one array of a single block, so that the compiler sees that the
    // arrays never overlap.
    enum Field
    {
        PX,
        PY,
        PZ,
        PW,
        DX,
        DY,
        DZ,
        DW,
        R,
        G,
        B,
        A,
        R0,
        G0,
        B0,
        A0,
        R1,
        G1,
        B1,
        A1,
        Speed,
        Speed0,
        Speed1,
        Spin,
        Spin0,
        Spin1,
        Rotation,
        Scale,
        Scale0,
        Scale1,
        Age,
        Life,
        Frame,
        Animation,
        FieldCount
    };

    PlainParticles()
        : alive(Slots), block(static_cast<std::size_t>(FieldCount) * Slots),
          vertices(static_cast<std::size_t>(Slots) * VertexFloats), last(Emitters, 0),
          owed(Emitters, 0.0f)
    {
        f32** const fields[] = {&px,     &py,     &pz,   &pw,    &dx,    &dy,       &dz,
                                &dw,     &r,      &g,    &b,     &a,     &r0,       &g0,
                                &b0,     &a0,     &r1,   &g1,    &b1,    &a1,       &speed,
                                &speed0, &speed1, &spin, &spin0, &spin1, &rotation, &scale,
                                &scale0, &scale1, &age,  &life,  &frame, &animation};
        for (int field = 0; field < FieldCount; ++field)
            *fields[field] = Of(static_cast<Field>(field));
        Math::SeedRand(1);
        for (int i = 0; i < WarmUpSteps; ++i)
            Step1();
    }

    f32* Of(Field field) { return block.data() + static_cast<std::size_t>(field) * Slots; }

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
        s32* const live = alive.data();
        // Pointers of one block at fixed distances: the compiler can tell them apart.
        f32* const x = Of(PX);
        f32* const y = Of(PY);
        f32* const z = Of(PZ);
        f32* const ux = Of(DX);
        f32* const uy = Of(DY);
        f32* const uz = Of(DZ);
        f32* const red = Of(R);
        f32* const green = Of(G);
        f32* const blue = Of(B);
        f32* const opacity = Of(A);
        const f32* const red0 = Of(R0);
        const f32* const green0 = Of(G0);
        const f32* const blue0 = Of(B0);
        const f32* const opacity0 = Of(A0);
        const f32* const red1 = Of(R1);
        const f32* const green1 = Of(G1);
        const f32* const blue1 = Of(B1);
        const f32* const opacity1 = Of(A1);
        f32* const now = Of(Speed);
        const f32* const now0 = Of(Speed0);
        const f32* const now1 = Of(Speed1);
        f32* const turn = Of(Spin);
        const f32* const turn0 = Of(Spin0);
        const f32* const turn1 = Of(Spin1);
        f32* const angle = Of(Rotation);
        f32* const size = Of(Scale);
        const f32* const size0 = Of(Scale0);
        const f32* const size1 = Of(Scale1);
        f32* const lived = Of(Age);
        const f32* const span = Of(Life);
        f32* const cell = Of(Frame);
        const f32* const cells = Of(Animation);
#if defined(__SSE2__)
        // Four slots at a time (Slots is a multiple of four).
        static_assert(Slots % 4 == 0, "whole groups of four slots");
        const __m128 step = _mm_set1_ps(Step);
        const __m128 one = _mm_set1_ps(1.0f);
        const __m128 pullBy = _mm_set1_ps(pull);
        const __m128 sheetEnd = _mm_set1_ps(sheet);
        const auto lerp = [](const f32* from, const f32* to, int i, __m128 t)
        {
            const __m128 start = _mm_loadu_ps(from + i);
            return _mm_add_ps(start, _mm_mul_ps(_mm_sub_ps(_mm_loadu_ps(to + i), start), t));
        };
        const auto keepNew = [](f32* at, int i, __m128 keep, __m128 value)
        {
            _mm_storeu_ps(at + i, _mm_or_ps(_mm_and_ps(keep, value),
                                            _mm_andnot_ps(keep, _mm_loadu_ps(at + i))));
        };
        for (int i = 0; i < Slots; i += 4)
        {
            const __m128 older = _mm_add_ps(_mm_loadu_ps(lived + i), step);
            const __m128 life = _mm_loadu_ps(span + i);
            const __m128i flags = _mm_loadu_si128(reinterpret_cast<const __m128i*>(live + i));
            const __m128 keep =
                _mm_and_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(flags, _mm_setzero_si128())),
                           _mm_cmple_ps(older, life));
            const __m128 t = _mm_min_ps(_mm_div_ps(older, life), one);
            const __m128 nowSpeed = lerp(now0, now1, i, t);
            const __m128 nowSpin = lerp(turn0, turn1, i, t);
            const __m128 move = _mm_mul_ps(nowSpeed, step);
            keepNew(lived, i, keep, older);
            keepNew(red, i, keep, lerp(red0, red1, i, t));
            keepNew(green, i, keep, lerp(green0, green1, i, t));
            keepNew(blue, i, keep, lerp(blue0, blue1, i, t));
            keepNew(opacity, i, keep, lerp(opacity0, opacity1, i, t));
            keepNew(now, i, keep, nowSpeed);
            keepNew(turn, i, keep, nowSpin);
            keepNew(size, i, keep, lerp(size0, size1, i, t));
            const __m128 directionY = _mm_loadu_ps(uy + i);
            keepNew(x, i, keep,
                    _mm_add_ps(_mm_loadu_ps(x + i), _mm_mul_ps(_mm_loadu_ps(ux + i), move)));
            keepNew(y, i, keep, _mm_add_ps(_mm_loadu_ps(y + i), _mm_mul_ps(directionY, move)));
            keepNew(z, i, keep,
                    _mm_add_ps(_mm_loadu_ps(z + i), _mm_mul_ps(_mm_loadu_ps(uz + i), move)));
            keepNew(angle, i, keep, _mm_add_ps(_mm_loadu_ps(angle + i), _mm_mul_ps(nowSpin, step)));
            const __m128 moved =
                _mm_add_ps(_mm_loadu_ps(cell + i), _mm_mul_ps(_mm_loadu_ps(cells + i), step));
            // Frames are never negative here, so the whole part is the truncation.
            const __m128 wrapped = _mm_sub_ps(moved, _mm_cvtepi32_ps(_mm_cvttps_epi32(moved)));
            const __m128 past = _mm_cmpge_ps(moved, sheetEnd);
            keepNew(cell, i, keep,
                    _mm_or_ps(_mm_and_ps(past, wrapped), _mm_andnot_ps(past, moved)));
            keepNew(uy, i, keep, _mm_add_ps(directionY, pullBy));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(live + i),
                             _mm_and_si128(_mm_castps_si128(keep), _mm_set1_epi32(1)));
        }
#else
        for (int i = 0; i < Slots; ++i)
        {
            // Everything is computed for every slot; only live slots keep the results.
            const f32 older = lived[i] + Step;
            const bool keep = (live[i] != 0) & (older <= span[i]);
            const f32 fraction = older / span[i];
            const f32 t = fraction < 1.0f ? fraction : 1.0f;
            const f32 nowSpeed = now0[i] + (now1[i] - now0[i]) * t;
            const f32 nowSpin = turn0[i] + (turn1[i] - turn0[i]) * t;
            const f32 move = nowSpeed * Step;
            const f32 nowRed = red0[i] + (red1[i] - red0[i]) * t;
            const f32 nowGreen = green0[i] + (green1[i] - green0[i]) * t;
            const f32 nowBlue = blue0[i] + (blue1[i] - blue0[i]) * t;
            const f32 nowOpacity = opacity0[i] + (opacity1[i] - opacity0[i]) * t;
            const f32 nowSize = size0[i] + (size1[i] - size0[i]) * t;
            const f32 nowX = x[i] + ux[i] * move;
            const f32 nowY = y[i] + uy[i] * move;
            const f32 nowZ = z[i] + uz[i] * move;
            const f32 nowAngle = angle[i] + nowSpin * Step;
            const f32 pulled = uy[i] + pull;
            const f32 moved = cell[i] + cells[i] * Step;
            // Frames are never negative here, so the whole part is the truncation.
            const f32 wrapped = moved - static_cast<f32>(static_cast<s32>(moved));
            const f32 nowFrame = moved >= sheet ? wrapped : moved;
            lived[i] = keep ? older : lived[i];
            red[i] = keep ? nowRed : red[i];
            green[i] = keep ? nowGreen : green[i];
            blue[i] = keep ? nowBlue : blue[i];
            opacity[i] = keep ? nowOpacity : opacity[i];
            now[i] = keep ? nowSpeed : now[i];
            turn[i] = keep ? nowSpin : turn[i];
            size[i] = keep ? nowSize : size[i];
            x[i] = keep ? nowX : x[i];
            y[i] = keep ? nowY : y[i];
            z[i] = keep ? nowZ : z[i];
            angle[i] = keep ? nowAngle : angle[i];
            cell[i] = keep ? nowFrame : cell[i];
            uy[i] = keep ? pulled : uy[i];
            live[i] = keep ? 1 : 0;
        }
#endif
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

    std::vector<s32> alive;
    std::vector<f32> block;
    f32 *px, *py, *pz, *pw, *dx, *dy, *dz, *dw, *r, *g, *b, *a, *r0, *g0, *b0, *a0, *r1, *g1, *b1,
        *a1;
    f32 *speed, *speed0, *speed1, *spin, *spin0, *spin1, *rotation, *scale, *scale0, *scale1;
    f32 *age, *life, *frame, *animation;
    std::vector<f32> vertices;
    std::vector<int> last;
    std::vector<f32> owed;
    u64 stepped = 0;
};

// What memory alone costs a step: the 100 pools' bytes (every particle's stored fields, alive
// flag and draw record) each read and written once, in place, as a step does; no step that touches
// each record can beat it on the machine the program runs on. (Copying into a second buffer would
// measure main memory rather than the caches a step works in.)
struct PoolBytes
{
    static constexpr std::size_t Words = static_cast<std::size_t>(Emitters) * Capacity *
                                         Graphics::ParticlePool::BytesPerSlot / sizeof(u32);

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
