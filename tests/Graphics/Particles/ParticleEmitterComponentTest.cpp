// One emitter's step: how many particles are born (a rate, a minimum population, bursts), what
// the file's values are bounded to, and the pool's slots.
#include "Core/Messages/Graphics/SetParticlePlayMessage.h"
#include "tests/Graphics/Particles/ParticleWorld.h"
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace Graphics;
using namespace ParticleXml;

namespace
{
constexpr f32 StepTime = 1.0f / 30.0f;

struct Emitter
{
    // An emitter of long-lived particles ("Dot", 100 s) with the given member elements.
    Emitter(const std::string& members, f32 life = 100.0f)
    {
        object = w.Make(Transform() + Data("Fire", "Dot", life) + Point("Fire", members));
        emitter = ParticleWorld::First<ParticleEmitterComponent>(object);
    }
    u32 Live() const { return emitter->GetPool().GetLiveCount(); }
    // Live particles after each of n steps.
    std::vector<u32> Steps(u32 n, f32 dt = StepTime)
    {
        std::vector<u32> counts;
        for (u32 i = 0; i < n; ++i)
        {
            w.Step(1, dt);
            counts.push_back(Live());
        }
        return counts;
    }

    ParticleWorld w;
    GameObject* object = nullptr;
    ParticleEmitterComponent* emitter = nullptr;
};

std::string Burst(u32 count, bool singleFrame, bool repeat, f32 delay = 1.0f)
{
    return std::string("<Burst>1</Burst><BurstSingleFrame>") + (singleFrame ? "1" : "0") +
           "</BurstSingleFrame><BurstRepeat>" + (repeat ? "1" : "0") +
           "</BurstRepeat><BurstCount>" + std::to_string(count) + "</BurstCount><BurstDelay>" +
           std::to_string(delay) + "</BurstDelay>";
}
} // namespace

TEST(ParticleEmitter, ContinuousEmissionOwesFractionsAndTopsUpTheMinimumPopulation)
{
    {
        // 10 a second at 1/30 s: 0.33, 0.67, 1.0 -> 0, 0, 1.
        Emitter e(Count(0, 20) + Rate(10, 10));
        EXPECT_EQ(e.Steps(6), (std::vector<u32>{0, 0, 1, 1, 1, 2}));
    }
    {
        // Five at once, topped up as they die: at steps of 0.25 s a life of 0.5 s ends in the
        // second step (a particle born with pre-age r x 0.25 has lived 0.25 x (2 + r) by then).
        Emitter e(Count(5, 20), 0.5f);
        EXPECT_EQ(e.Steps(6, 0.25f), (std::vector<u32>{5, 0, 5, 0, 5, 0}));
    }
    {
        // A minimum above the capacity stops at the full pool.
        Emitter full(Count(50, 8));
        EXPECT_EQ(full.Steps(1), (std::vector<u32>{8}));
    }
    {
        // No capacity never emits.
        Emitter none(Rate(100, 100));
        EXPECT_EQ(none.Steps(3), (std::vector<u32>{0, 0, 0}));
        EXPECT_EQ(none.emitter->GetRenderCount(), 0u);
    }
}

TEST(ParticleEmitter, RatesFromFilesAreBoundedToTheFreeSlots)
{
    const f32 inf = std::numeric_limits<f32>::infinity();
    for (const std::string& rate : {Rate(-50, -50), Rate(1e30f, 1e30f), Rate(inf, inf),
                                    std::string("<EmissionRate X=\"nan\" Y=\"nan\"/>")})
    {
        Emitter e(Count(0, 16) + rate);
        const std::vector<u32> counts = e.Steps(3);
        for (u32 live : counts)
            EXPECT_LE(live, 16u) << rate;
        EXPECT_TRUE(std::isfinite(e.emitter->GetAccumulator())) << rate;
    }
    {
        Emitter nan(Count(0, 16) + "<EmissionRate X=\"nan\" Y=\"nan\"/>");
        EXPECT_EQ(nan.Steps(2), (std::vector<u32>{0, 0}));
    }
    {
        // Capacities are clamped to 0-65,536 with a line naming the object.
        Emitter huge(Count(0, 1e9f));
        EXPECT_EQ(huge.emitter->GetPool().GetCapacity(), ParticlePool::MaxCapacity);
        EXPECT_EQ(huge.w.log.Count("clamped to 65536"), 1u) << huge.w.log.Text();
        EXPECT_TRUE(huge.w.log.Contains("Effect"));
    }
    {
        Emitter negative(Count(0, -5));
        EXPECT_EQ(negative.emitter->GetPool().GetCapacity(), 0u);
    }
}

TEST(ParticleEmitter, BurstsInOneFrameWaitForRoomAndSpreadBurstsEndAtTheirCount)
{
    {
        // 50 in one frame into a pool of 40: never, however long it waits.
        Emitter e(Count(0, 40) + Burst(50, true, false));
        EXPECT_EQ(e.Steps(3), (std::vector<u32>{0, 0, 0}));
        EXPECT_FALSE(e.emitter->IsBurstDone());
    }
    {
        // With room for all 50: all at once, then done.
        Emitter roomy(Count(0, 60) + Burst(50, true, false));
        EXPECT_EQ(roomy.Steps(3), (std::vector<u32>{50, 50, 50}));
        EXPECT_TRUE(roomy.emitter->IsBurstDone());
    }
    {
        // 100 spread at 30 a second (one a step) into 40 long-lived slots: never more than the
        // free slots; the rest comes as particles die.
        Emitter e(Count(0, 40) + Rate(30 * 4, 30 * 4) + Burst(100, false, false), 0.5f);
        u32 steps = 0;
        while (!e.emitter->IsBurstDone() && steps < 200)
        {
            e.w.Step();
            ++steps;
            EXPECT_LE(e.Live(), 40u);
        }
        EXPECT_TRUE(e.emitter->IsBurstDone());
        EXPECT_EQ(e.emitter->GetBurstEmitted(), 100u);
        EXPECT_GT(steps, 25u);
    }
    {
        // A count lowered below what a spread burst has emitted ends it.
        Emitter e(Count(0, 40) + Rate(150, 150) + Burst(20, false, false));
        e.Steps(2);
        EXPECT_EQ(e.emitter->GetBurstEmitted(), 10u);
        ParticleWorld::Reread(*e.emitter, "<ParticleData>Fire</ParticleData>" + Count(0, 40) +
                                              Rate(150, 150) + Burst(4, false, false));
        e.Steps(1);
        EXPECT_TRUE(e.emitter->IsBurstDone());
        EXPECT_EQ(e.Live(), 10u);
    }
}

TEST(ParticleEmitter, RepeatingBurstsWaitTheirDelayAndKeepTheTimersExcess)
{
    // A burst of 3 every 0.625 s at steps of 0.25 s: the timer runs only once the burst is done.
    Emitter e(Count(0, 100) + Burst(3, true, true, 0.625f));
    const std::vector<u32> counts = e.Steps(6, 0.25f);
    // Burst at step 1; the timer reaches 0.75 at step 4 and keeps 0.125, so the third burst
    // comes two steps later, at 0.625.
    EXPECT_EQ(counts, (std::vector<u32>{3, 3, 3, 6, 6, 9}));
    EXPECT_EQ(e.emitter->GetBurstTimer(), 0.0f);
}

TEST(ParticleEmitter, ReadingAgainKeepsParticlesUnlessTheCapacityChanges)
{
    Emitter e(Count(5, 20));
    e.Steps(1);
    ParticleWorld::Reread(*e.emitter, "<ParticleData>Fire</ParticleData>" + Count(5, 20));
    EXPECT_EQ(e.Live(), 5u);
    ParticleWorld::Reread(*e.emitter, "<ParticleData>Fire</ParticleData>" + Count(5, 30));
    EXPECT_EQ(e.Live(), 0u);
    EXPECT_EQ(e.emitter->GetPool().GetCapacity(), 30u);
}

TEST(ParticleEmitter, EmitsOnlyWithItsTransformAndBuildsItsFrameFromIt)
{
    ParticleWorld w;
    // Read before its transform: nothing is emitted until there is one.
    GameObject* object = w.Make(Data("Fire", "Dot", 100.0f) + Point("Fire", Count(2, 4)));
    auto* emitter = ParticleWorld::First<ParticleEmitterComponent>(object);
    w.Step();
    EXPECT_EQ(emitter->GetPool().GetLiveCount(), 0u);
    w.Read(object, Transform(1, 2, 3));
    w.Step();
    EXPECT_EQ(emitter->GetPool().GetLiveCount(), 2u);
    EXPECT_EQ(emitter->GetWorldPosition(), Math::Point4(1, 2, 3, 1));
    // The default direction is +Z; a zero direction gives the identity frame.
    EXPECT_EQ(emitter->GetWorldDirection(), Math::Vector4(0, 0, 1, 0));
    ParticleWorld::Reread(*emitter, "<ParticleData>Fire</ParticleData>" + Count(4, 4) +
                                        "<EmissionOffset X=\"0\" Y=\"1\" Z=\"0\"/>"
                                        "<EmissionDirection X=\"0\" Y=\"0\" Z=\"0\"/>");
    w.Step();
    EXPECT_EQ(emitter->GetOrientation(), Math::Quaternion());
    EXPECT_EQ(emitter->GetWorldPosition(), Math::Point4(1, 3, 3, 1));
    // SetParticlePlay off stops emission only.
    SetParticlePlayMessage off(0, false, object->GetId());
    object->HandleMessage(&off);
    EXPECT_FALSE(emitter->IsPlaying());
}

TEST(ParticlePool, TakesSlotsFromTheOneAfterTheLastAndCopiesDeeply)
{
    ParticlePool pool;
    pool.Resize(3);
    EXPECT_EQ(pool.Allocate(), 1u);
    pool.Allocate();
    EXPECT_TRUE(pool.IsAlive(2));
    pool.Allocate();
    EXPECT_TRUE(pool.IsAlive(0));
    EXPECT_EQ(pool.Allocate(), ParticlePool::NoSlot);
    pool.At(ParticlePool::Age, 1) = 7.0f;
    pool.Free(1);
    ParticlePool copy(pool);
    EXPECT_EQ(copy.GetLiveCount(), 2u);
    EXPECT_NE(copy.GetBlock(0), pool.GetBlock(0));
    EXPECT_EQ(copy.Get(1).age, 7.0f);
    EXPECT_EQ(copy.Allocate(), 1u);
    EXPECT_EQ(copy.Get(1).age, 0.0f);
    pool.Resize(3);
    EXPECT_EQ(pool.GetLiveCount(), 2u);
    pool.Resize(4);
    EXPECT_EQ(pool.GetLiveCount(), 0u);
}
