// The update pass four and eight slots at a time against the one-slot reference
// (Particle::Update): the same bits in every field, flag and draw record, for a capacity that is
// no whole number of groups, dead slots holding stale values, particles dying mid-group and the
// edge values a file can produce.
#include "Graphics/Particles/ParticleUpdate.h"
#include "Graphics/Particles/ParticlePool.h"
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using namespace Graphics;

namespace
{
constexpr u32 Capacity = 23; // two blocks of eight and seven slots of a third
constexpr f32 Infinity = std::numeric_limits<f32>::infinity();
constexpr f32 NaN = std::numeric_limits<f32>::quiet_NaN();

// A varied particle for a slot: spread values, with an edge case on every few slots.
Particle Varied(u32 slot)
{
    const f32 s = static_cast<f32>(slot);
    Particle p = Particle::Zeroed();
    p.position = Math::Point4(0.5f * s, -0.25f * s, 1.0f + s, 1.0f);
    p.direction = Math::Vector4(0.3f - 0.05f * s, 0.7f, -0.1f * s, 0.0f);
    p.colorStart = Math::ColorRGBA(0.1f * (slot % 7), 0.9f, 0.3f, 1.0f);
    p.colorEnd = slot % 3 == 0 ? p.colorStart : Math::ColorRGBA(0.7f, 0.2f, 0.3f, 0.0f);
    p.speedStart = 2.0f + 0.1f * s;
    p.speedEnd = slot % 4 == 1 ? p.speedStart : 0.5f;
    p.rotationSpeedStart = slot % 5 == 0 ? 0.0f : 1.0f / (1.0f + s);
    p.rotationSpeedEnd = -2.0f / 7.0f;
    p.scaleStart = 0.1f;
    p.scaleEnd = 0.9f + 0.01f * s;
    p.rotation = 0.25f * s;
    p.age = 0.03f * s;
    p.lifetime = 0.3f + 0.05f * s; // some die within the steps below
    p.animationSpeed = 10.0f + s;
    p.frame = 0.5f * s;
    switch (slot % 11)
    {
    case 2:
        p.lifetime = NaN; // never dies, always at the end of its life
        break;
    case 4:
        p.lifetime = 0.0f;
        p.age = 0.0f; // lives this step only when the step is zero
        break;
    case 6:
        p.speedStart = p.speedEnd = 0.00001f; // too slow to move
        p.animationSpeed = -40.0f;            // runs below frame 0
        break;
    case 7:
        p.frame = Infinity;
        p.colorStart = p.colorEnd = Math::ColorRGBA(Infinity, 0.5f, 0.5f, 1.0f);
        break;
    case 9:
        p.frame = 1.0e9f; // past every whole float
        p.direction.x = -0.0f;
        break;
    default:
        break;
    }
    return p;
}

void Fill(ParticlePool& pool)
{
    pool.Resize(Capacity);
    for (u32 slot = 0; slot < Capacity; ++slot)
    {
        const u32 taken = pool.Allocate();
        ASSERT_NE(taken, ParticlePool::NoSlot);
        pool.Set(taken, Varied(taken));
    }
    // Dead slots keep stale values: they must be left as they are.
    for (const u32 slot : {0u, 5u, 10u, 11u, 22u})
        pool.Free(slot);
}

void ExpectSameBits(const ParticlePool& lanes, const ParticlePool& scalar, u32 written)
{
    ASSERT_EQ(lanes.GetLiveCount(), scalar.GetLiveCount());
    ASSERT_EQ(lanes.GetFreedTotal(), scalar.GetFreedTotal());
    for (u32 slot = 0; slot < Capacity; ++slot)
        ASSERT_EQ(lanes.IsAlive(slot), scalar.IsAlive(slot)) << "slot " << slot;
    for (u32 slot = 0; slot < Capacity; ++slot)
    {
        for (u32 field = 0; field < ParticlePool::FieldCount; ++field)
        {
            const auto which = static_cast<ParticlePool::Field>(field);
            const f32 a = lanes.At(which, slot);
            const f32 b = scalar.At(which, slot);
            EXPECT_EQ(std::memcmp(&a, &b, sizeof(f32)), 0) << "slot " << slot << " field " << field;
        }
    }
    EXPECT_EQ(
        std::memcmp(lanes.GetVertices(), scalar.GetVertices(), sizeof(ParticleVertex) * written),
        0);
}
} // namespace

TEST(ParticleUpdate, FourAtATimeLeavesTheBitsOfTheOneSlotReference)
{
    // Run itself, then each grouped pass (the eight-slot pass is the four-slot one on a processor
    // without AVX2).
    using Pass = u32 (*)(ParticlePool&, const ParticleUpdate::Settings&);
    const Pass passes[] = {&ParticleUpdate::Run, &ParticleUpdate::RunFourLanes,
                           &ParticleUpdate::RunEightLanes};
    if (!ParticleUpdate::HasEightLanes())
        std::printf("no AVX2 here: the eight-slot pass is the four-slot one\n");
    for (const Pass pass : passes)
        for (const bool loop : {true, false})
        {
            ParticlePool lanes;
            Fill(lanes);
            ParticlePool scalar(lanes);
            ParticleUpdate::Settings settings;
            settings.pullX = 0.01f;
            settings.pullY = -0.3f;
            settings.pullZ = 0.0f;
            settings.totalFrames = 16.0f;
            settings.loop = loop;
            // A zero step first (the zero lifetime lives through it), then ordinary steps until
            // most have died.
            for (const f32 dt : {0.0f, 1.0f / 30.0f, 0.1f, 0.1f, 0.25f, 0.5f})
            {
                settings.dt = dt;
                const u32 written = pass(lanes, settings);
                ASSERT_EQ(written, ParticleUpdate::RunScalar(scalar, settings)) << "dt " << dt;
                EXPECT_EQ(written, lanes.GetLiveCount());
                ExpectSameBits(lanes, scalar, written);
            }
            // The never-ending particles are all that is left.
            EXPECT_EQ(lanes.GetLiveCount(), 2u);
        }
}
