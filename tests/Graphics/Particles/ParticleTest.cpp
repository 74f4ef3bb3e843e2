// A particle's life: death strictly past its lifetime, interpolation over its life, motion, the
// emitter's pull, the sprite sheet's wrap and the pre-age of a newborn particle; and the particle
// data's draws for a new particle.
#include "Graphics/Particles/Particle.h"
#include "Core/Messages/Graphics/SetParticleColorMessage.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"
#include "Graphics/Particles/ParticleSystemComponent.h"
#include "Math/MathUtils.h"
#include "tests/Graphics/Particles/ParticleWorld.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using namespace Graphics;
using namespace ParticleXml;

namespace
{
Particle Fresh(f32 lifetime)
{
    Particle particle{};
    particle.position = Math::Point4(0, 0, 0, 1);
    particle.lifetime = lifetime;
    return particle;
}
} // namespace

TEST(Particle, DiesStrictlyPastItsLifetimeAndInterpolatesOverIt)
{
    Particle particle = Fresh(2.0f);
    particle.age = 1.9f;
    EXPECT_FALSE(particle.Update(0.2f)); // 2.1 > 2
    Particle last = Fresh(2.0f);
    last.age = 1.5f;
    EXPECT_TRUE(last.Update(0.5f)); // exactly 2 still lives

    Particle moving = Fresh(4.0f);
    moving.colorStart = Math::ColorRGBA(0, 0, 0, 1);
    moving.colorEnd = Math::ColorRGBA(1, 0.5f, 0, 0);
    moving.speedStart = 2.0f;
    moving.speedEnd = 0.0f;
    moving.scaleStart = 1.0f;
    moving.scaleEnd = 3.0f;
    moving.rotationSpeedStart = moving.rotationSpeedEnd = 1.0f;
    moving.rotationSpeed = 1.0f;
    moving.direction = Math::Vector4(1, 0, 0, 0);
    ASSERT_TRUE(moving.Update(1.0f)); // t = 1/4
    EXPECT_EQ(moving.color, Math::ColorRGBA(0.25f, 0.125f, 0, 0.75f));
    EXPECT_FLOAT_EQ(moving.speed, 1.5f);
    EXPECT_FLOAT_EQ(moving.scale, 1.5f);
    EXPECT_FLOAT_EQ(moving.position.x, 1.5f);
    EXPECT_FLOAT_EQ(moving.rotation, 1.0f);

    // Equal ends keep the value set at birth; tiny speeds do not move.
    Particle still = Fresh(4.0f);
    still.color = Math::ColorRGBA(0.3f, 0.3f, 0.3f, 1);
    still.colorStart = still.colorEnd = Math::ColorRGBA(1, 1, 1, 1);
    still.speed = still.speedStart = still.speedEnd = 0.00001f;
    still.direction = Math::Vector4(1, 0, 0, 0);
    ASSERT_TRUE(still.Update(1.0f));
    EXPECT_EQ(still.color, Math::ColorRGBA(0.3f, 0.3f, 0.3f, 1));
    EXPECT_EQ(still.position.x, 0.0f);

    // No lifetime: the end of its life at once (t = 1), not a division by zero.
    Particle instant = Fresh(0.0f);
    instant.scaleStart = 1.0f;
    instant.scaleEnd = 5.0f;
    ASSERT_TRUE(instant.Update(0.0f));
    EXPECT_EQ(instant.scale, 5.0f);
}

TEST(Particle, EachValueFollowsItsOwnPairAndKeepsTheScalarResults)
{
    // Values worked on four at a time: each follows its own start/end pair, a value whose ends
    // are equal keeps what it holds, and every result is the scalar start + (end - start) x t.
    Particle p = Fresh(3.0f);
    p.position = Math::Point4(0.5f, -1.0f, 2.0f, 1.0f);
    p.direction = Math::Vector4(0.3f, 0.7f, -0.1f, -0.0f);
    p.colorStart = Math::ColorRGBA(0.1f, 0.9f, 0.3f, 1.0f);
    p.colorEnd = Math::ColorRGBA(0.7f, 0.2f, 0.3f, 0.0f);
    p.speed = 0.7f;
    p.speedStart = p.speedEnd = 2.0f;
    p.rotationSpeedStart = 1.0f / 3.0f;
    p.rotationSpeedEnd = -2.0f / 7.0f;
    p.scaleStart = 0.1f;
    p.scaleEnd = 0.9f;
    p.rotation = 0.25f;
    const f32 dt = 1.1f;
    ASSERT_TRUE(p.Update(dt));
    const f32 t = 1.1f / 3.0f;
    const auto lerp = [t](f32 a, f32 b) { return a + (b - a) * t; };
    EXPECT_EQ(p.color.r, lerp(0.1f, 0.7f));
    EXPECT_EQ(p.color.g, lerp(0.9f, 0.2f));
    EXPECT_EQ(p.color.b, lerp(0.3f, 0.3f));
    EXPECT_EQ(p.color.a, lerp(1.0f, 0.0f));
    EXPECT_EQ(p.speed, 0.7f);
    const f32 spin = lerp(1.0f / 3.0f, -2.0f / 7.0f);
    EXPECT_EQ(p.rotationSpeed, spin);
    EXPECT_EQ(p.scale, lerp(0.1f, 0.9f));
    EXPECT_EQ(p.rotation, 0.25f + spin * dt);
    EXPECT_EQ(p.position.x, 0.5f + 0.3f * (0.7f * dt));
    EXPECT_EQ(p.position.w, 1.0f);
    EXPECT_TRUE(std::signbit(p.direction.w));
}

TEST(Particle, WholeFramesAreTheFloorOfEveryFloat)
{
    const f32 values[] = {0.0f,
                          -0.0f,
                          0.5f,
                          -0.5f,
                          1.0f,
                          -1.0f,
                          15.999f,
                          16.0f,
                          -2.25f,
                          8388607.5f,
                          -8388607.5f,
                          16777216.0f,
                          3.0e9f,
                          -3.0e9f,
                          1.0e-40f,
                          -1.0e-40f,
                          std::numeric_limits<f32>::infinity(),
                          -std::numeric_limits<f32>::infinity()};
    for (const f32 value : values)
    {
        const f32 expected = std::floor(value);
        const f32 floored = ParticleLayout::Floor(value);
        EXPECT_EQ(floored, expected) << value;
        EXPECT_EQ(std::signbit(floored), std::signbit(expected)) << value;
    }
    EXPECT_TRUE(std::isnan(ParticleLayout::Floor(std::numeric_limits<f32>::quiet_NaN())));
}

TEST(Particle, UpdatePassFreesTheDeadAndWritesTheLiveInSlotOrder)
{
    ParticleWorld w;
    GameObject* object =
        w.Make(Transform() + Data("Fire", "Dot", 100.0f) + Point("Fire", Count(0, 4)));
    auto* emitter = ParticleWorld::First<ParticleEmitterComponent>(object);
    emitter->SetPlaying(false);
    ParticlePool& pool = emitter->GetPool();
    for (int i = 0; i < 4; ++i)
        ASSERT_NE(pool.Allocate(), ParticlePool::NoSlot);
    for (u32 slot = 0; slot < 4; ++slot)
    {
        Particle p = pool.Get(slot);
        p.position = Math::Point4(static_cast<f32>(slot), 0, 0, 1);
        p.lifetime = slot == 1 || slot == 2 ? 0.01f : 5.0f; // slots 1 and 2 die in the step
        pool.Set(slot, p);
    }
    w.Step(1, 1.0f / 30.0f);
    EXPECT_EQ(pool.GetLiveCount(), 2u);
    EXPECT_TRUE(pool.IsAlive(0));
    EXPECT_FALSE(pool.IsAlive(1));
    EXPECT_FALSE(pool.IsAlive(2));
    EXPECT_TRUE(pool.IsAlive(3));
    ASSERT_EQ(emitter->GetRenderCount(), 2u);
    EXPECT_EQ(emitter->GetVertices()[0].position[0], 0.0f);
    EXPECT_EQ(emitter->GetVertices()[1].position[0], 3.0f);
}

TEST(Particle, EmitterPullsWrapsTheSheetAndPreAgesNewborns)
{
    ParticleWorld w;
    // Fall with 9.8 on a 16-frame sheet, moving 48 frames a second, looping or not.
    const std::string fall =
        "<GlobalDirection X=\"0\" Y=\"-1\" Z=\"0\"/><GlobalSpeed>9.8</GlobalSpeed>";
    GameObject* object =
        w.Make(Transform() +
               Data("Loop", "Sheet", 100.0f,
                    "<AnimationSpeed X=\"48\" Y=\"48\"/><StartingFrame>15</StartingFrame>") +
               Data("Hold", "Sheet", 100.0f,
                    "<AnimationSpeed X=\"0\" "
                    "Y=\"0\"/><StartingFrame>20</StartingFrame><LoopAnimation>0</LoopAnimation>") +
               Point("Loop", Count(1, 1) + fall) + Point("Hold", Count(1, 1)));
    std::vector<ParticleEmitterComponent*> emitters;
    for (const auto& entry : object->GetComponentList())
        if (auto* emitter = dynamic_cast<ParticleEmitterComponent*>(entry.component))
            emitters.push_back(emitter);
    ASSERT_EQ(emitters.size(), 2u);

    const f32 dt = 1.0f / 30.0f;
    w.Step(1, dt);
    const Particle looping = emitters[0]->GetPool().Get(0);
    ASSERT_TRUE(emitters[0]->GetPool().IsAlive(0));
    // Pre-aged by dt x r, then a whole step: it has lived between dt and 2 dt.
    EXPECT_GE(looping.age, dt);
    EXPECT_LE(looping.age, 2.0f * dt);
    // After its own motion it gains the pull of one step.
    EXPECT_FLOAT_EQ(looping.direction.y, -9.8f * dt);
    // 15 + 48 x age passes the sheet's 16 frames: the whole frames go, the fraction stays.
    const f32 passed = 15.0f + 48.0f * looping.age;
    EXPECT_NEAR(looping.frame, passed - std::floor(passed), 1e-4f);
    EXPECT_EQ(emitters[0]->GetVertices()[0].frame, 0.0f);

    // Without looping a frame past the end steps down by one a step and stays at 15.
    EXPECT_EQ(emitters[1]->GetPool().Get(0).frame, 19.0f);
    w.Step(10, dt);
    EXPECT_EQ(emitters[1]->GetPool().Get(0).frame, 15.0f);
    EXPECT_EQ(emitters[1]->GetVertices()[0].frame, 15.0f);

    // A negative animation speed stops at frame 0.
    GameObject* backwards = w.Make(
        Transform() + Data("Back", "Sheet", 100.0f, "<AnimationSpeed X=\"-100\" Y=\"-100\"/>") +
        Point("Back", Count(1, 1)));
    w.Step(3, dt);
    EXPECT_EQ(ParticleWorld::First<ParticleEmitterComponent>(backwards)->GetVertices()[0].frame,
              0.0f);
}

// Colours whose deviations reach past 0 and 1 on both ends, so that clamps take effect, with
// every other range drawn too.
const char* const ClampingLook =
    "<ParticleScaleStart X=\"0.5\" Y=\"2\"/><ParticleScaleEnd X=\"3\" Y=\"3\"/>"
    "<ParticleColorStart R=\"250\" G=\"5\" B=\"128\" A=\"255\"/>"
    "<ParticleColorStartDeviation R=\"40\" G=\"40\" B=\"0\" A=\"30\"/>"
    "<ParticleColorEnd R=\"0\" G=\"255\" B=\"60\" A=\"0\"/>"
    "<ParticleColorEndDeviation R=\"20\" G=\"90\" B=\"200\" A=\"10\"/>"
    "<ParticleRotationSpeedStart X=\"-3\" Y=\"3\"/>"
    "<ParticleRotationSpeedEnd X=\"1\" Y=\"1\"/>"
    "<AnimationSpeed X=\"-20\" Y=\"30\"/><StartingFrame>5</StartingFrame>";

// A birth writes its fields straight into the pool; they are the bits the record form leaves
// (a zeroed record, the shape's position and direction, the speed draws, the data's draws, the
// pre-age through Update, then ParticlePool::Set), from the same draws, with and without data,
// for particles that outlive their pre-age and particles that do not.
TEST(Particle, BirthsLeaveTheBitsOfTheRecordForm)
{
    ParticleWorld w;
    const std::string look = ClampingLook;
    const std::string flight = Count(0, 64) + Rate(0, 0) +
                               "<SpeedStart X=\"-1\" Y=\"6\"/><SpeedEnd X=\"2\" Y=\"2\"/>"
                               "<DirectionVariance X=\"30\" Y=\"50\" Z=\"10\"/>";
    GameObject* object = w.Make(Transform(1, 2, 3) + Data("Mix", "Dot", 0.05f, look) +
                                Point("Mix", flight) + Point("{Disable}", flight));
    auto* data = ParticleWorld::First<ParticleSystemComponent>(object);
    data->age = Math::Vector2(0.0f, 0.08f);
    std::vector<ParticleEmitterComponent*> emitters;
    for (const auto& entry : object->GetComponentList())
        if (auto* emitter = dynamic_cast<ParticleEmitterComponent*>(entry.component))
            emitters.push_back(emitter);
    ASSERT_EQ(emitters.size(), 2u);
    ASSERT_EQ(emitters[0]->GetParticleSystem(), data);
    ASSERT_EQ(emitters[1]->GetParticleSystem(), nullptr);
    // One step builds the emitting frame; nothing is born.
    w.Step(1);
    ASSERT_EQ(emitters[0]->GetPool().GetLiveCount(), 0u);

    const f32 preAges[] = {0.0f, 0.004f, 0.02f, 0.05f, 0.1f};
    int compared = 0;
    for (ParticleEmitterComponent* emitter : emitters)
        for (int birth = 0; birth < 40; ++birth)
        {
            const f32 preAge = preAges[birth % 5];
            Math::SeedRand(static_cast<u32>(100 + birth));
            emitter->SpawnParticle(preAge);
            const s32 next = Math::Rand();
            const ParticlePool& pool = emitter->GetPool();
            const u32 slot = pool.GetLastIndex();

            Math::SeedRand(static_cast<u32>(100 + birth));
            Particle record = Particle::Zeroed();
            record.position = emitter->GetWorldPosition();
            record.direction = Math::Vector4(
                pool.At(ParticlePool::DirectionX, slot), pool.At(ParticlePool::DirectionY, slot),
                pool.At(ParticlePool::DirectionZ, slot), pool.At(ParticlePool::DirectionW, slot));
            // The point shape's two draws for its direction.
            Math::Rand();
            Math::Rand();
            record.speedStart = Math::RandRange(-1.0f, 6.0f);
            record.speed = record.speedStart;
            record.speedEnd = Math::RandRange(2.0f, 2.0f);
            if (emitter->GetParticleSystem() != nullptr)
                data->InitParticle(record);
            record.Update(preAge);
            EXPECT_EQ(Math::Rand(), next) << "birth " << birth;
            ParticlePool expected;
            expected.Resize(pool.GetCapacity());
            expected.Set(slot, record);
            for (u32 field = 0; field < ParticlePool::FieldCount; ++field)
            {
                const f32 got = pool.At(static_cast<ParticlePool::Field>(field), slot);
                const f32 want = expected.At(static_cast<ParticlePool::Field>(field), slot);
                EXPECT_EQ(std::memcmp(&got, &want, sizeof(f32)), 0)
                    << "birth " << birth << " field " << field << ": " << got << " vs " << want;
            }
            ++compared;
        }
    EXPECT_EQ(compared, 80);
}

// A step's births are worked out in groups; they leave the bits, slots and draws of as many
// births one by one (SpawnParticle with the pre-age drawn first), for partial and whole groups,
// with and without data, for the point shape (reflected and turned by its variances) and a shape
// that emits through EmitParticle, and when the pool runs out of slots mid-group.
TEST(Particle, BirthsInGroupsLeaveTheBitsOfBirthsOneByOne)
{
    ParticleWorld w;
    const std::string look = ClampingLook;
    const std::string flight = Count(0, 25) + Rate(0, 0) +
                               "<SpeedStart X=\"-1\" Y=\"6\"/><SpeedEnd X=\"2\" Y=\"2\"/>"
                               "<EmissionDirection X=\"0.3\" Y=\"1\" Z=\"-0.2\"/>";
    const std::string turns = "<DirectionVariance X=\"30\" Y=\"50\" Z=\"10\"/>";
    GameObject* object =
        w.Make(Transform(1, 2, 3) + Data("Mix", "Dot", 0.05f, look) +
               Point("Mix", flight + "<DirectionReflect>1</DirectionReflect>" + turns) +
               Point("{Disable}", flight + turns) +
               "<CircleEmitterComponent><ParticleData>Mix</ParticleData>" + flight +
               "<Radius>2</Radius><RadiusFill>0.25</RadiusFill><RadiusVariance>-1</RadiusVariance>"
               "</CircleEmitterComponent>");
    auto* data = ParticleWorld::First<ParticleSystemComponent>(object);
    data->age = Math::Vector2(0.0f, 0.08f);
    std::vector<ParticleEmitterComponent*> emitters;
    for (const auto& entry : object->GetComponentList())
        if (auto* emitter = dynamic_cast<ParticleEmitterComponent*>(entry.component))
            emitters.push_back(emitter);
    ASSERT_EQ(emitters.size(), 3u);
    // One step builds the emitting frames; nothing is born.
    w.Step(1);

    // 1 + 3 + 4 + 5 + 9 + 8 births: the last call asks for more than the 3 slots left.
    const u32 counts[] = {1, 3, 4, 5, 9, 8};
    const f32 steps[] = {0.02f, 0.1f, 0.0f, 0.05f, 1.0f / 30.0f, 0.2f};
    for (ParticleEmitterComponent* emitter : emitters)
        for (u32 call = 0; call < 6; ++call)
        {
            const ParticlePool before = emitter->GetPool();
            Math::SeedRand(200 + call);
            emitter->SpawnParticles(counts[call], steps[call]);
            const s32 next = Math::Rand();
            const ParticlePool grouped = emitter->GetPool();

            emitter->GetPool() = before;
            Math::SeedRand(200 + call);
            for (u32 birth = 0; birth < counts[call]; ++birth)
                emitter->SpawnParticle(steps[call] * Math::RandUnit());
            EXPECT_EQ(Math::Rand(), next) << "call " << call;
            const ParticlePool& single = emitter->GetPool();
            ASSERT_EQ(grouped.GetLiveCount(), single.GetLiveCount()) << "call " << call;
            ASSERT_EQ(grouped.GetLastIndex(), single.GetLastIndex()) << "call " << call;
            for (u32 slot = 0; slot < single.GetCapacity(); ++slot)
            {
                ASSERT_EQ(grouped.IsAlive(slot), single.IsAlive(slot)) << "slot " << slot;
                for (u32 field = 0; field < ParticlePool::FieldCount; ++field)
                {
                    const f32 got = grouped.At(static_cast<ParticlePool::Field>(field), slot);
                    const f32 want = single.At(static_cast<ParticlePool::Field>(field), slot);
                    EXPECT_EQ(std::memcmp(&got, &want, sizeof(f32)), 0)
                        << "call " << call << " slot " << slot << " field " << field << ": " << got
                        << " vs " << want;
                }
            }
        }
    EXPECT_TRUE(emitters[0]->GetPool().IsFull());
}

TEST(ParticleData, InitialisesParticlesInItsOrderOfDrawsWithClampedColours)
{
    ParticleWorld w;
    GameObject* object = w.Make(Data(
        "Fire", "Dot", 0.0f,
        "<ParticleScaleStart X=\"1\" Y=\"2\"/><ParticleScaleEnd X=\"3\" Y=\"4\"/>"
        "<ParticleColorStart R=\"230\" G=\"0\" B=\"0\" A=\"255\"/>"
        "<ParticleColorStartDeviation R=\"51\" G=\"0\" B=\"0\" A=\"0\"/>"
        "<ParticleColorEnd R=\"0\" G=\"0\" B=\"255\" A=\"0\"/>"
        "<ParticleColorEndDeviation R=\"0\" G=\"0\" B=\"0\" A=\"0\"/>"
        "<ParticleRotationSpeedStart X=\"5\" Y=\"6\"/><ParticleRotationSpeedEnd X=\"7\" Y=\"8\"/>"
        "<AnimationSpeed X=\"9\" Y=\"10\"/><StartingFrame>3</StartingFrame>"));
    auto* data = ParticleWorld::First<ParticleSystemComponent>(object);
    data->age = Math::Vector2(1.0f, 2.0f);

    Math::SeedRand(7);
    Particle particle{};
    data->InitParticle(particle);
    // The same draws by hand, in the order of the data's fields.
    Math::SeedRand(7);
    const f32 lifetime = Math::RandRange(1, 2);
    const f32 spinStart = Math::RandRange(5, 6);
    const f32 spinEnd = Math::RandRange(7, 8);
    const f32 scaleStart = Math::RandRange(1, 2);
    const f32 scaleEnd = Math::RandRange(3, 4);
    Math::ColorRGBA start;
    data->colorStart.RandomVariation(data->colorStartDeviation, start);
    Math::ColorRGBA end;
    data->colorEnd.RandomVariation(data->colorEndDeviation, end);
    const f32 animation = Math::RandRange(9, 10);
    EXPECT_EQ(particle.lifetime, lifetime);
    EXPECT_EQ(particle.rotationSpeedStart, spinStart);
    EXPECT_EQ(particle.rotationSpeed, spinStart);
    EXPECT_EQ(particle.rotationSpeedEnd, spinEnd);
    EXPECT_EQ(particle.scaleStart, scaleStart);
    EXPECT_EQ(particle.scale, scaleStart);
    EXPECT_EQ(particle.scaleEnd, scaleEnd);
    EXPECT_EQ(particle.colorStart, start);
    EXPECT_EQ(particle.color, start);
    EXPECT_EQ(particle.colorEnd, end);
    EXPECT_EQ(particle.animationSpeed, animation);
    EXPECT_EQ(particle.frame, 3.0f);
    EXPECT_EQ(particle.rotation, 0.0f);

    // A deviation of 0.2 on 0.9 stays within [0.7, 1].
    for (int i = 0; i < 200; ++i)
    {
        data->InitParticle(particle);
        EXPECT_GE(particle.colorStart.r, 0.7f - 1e-5f);
        EXPECT_LE(particle.colorStart.r, 1.0f);
    }
    // A lifetime that is no number becomes 0, so the particle still dies.
    data->age = Math::Vector2(std::numeric_limits<f32>::quiet_NaN(), 1.0f);
    data->InitParticle(particle);
    EXPECT_EQ(particle.lifetime, 0.0f);

    // Scripts change the colours through messages.
    SetParticleColorMessage colour(0, Math::ColorRGBA(0, 1, 0, 1), true, object->GetId());
    object->HandleMessage(&colour);
    EXPECT_EQ(data->colorStart, Math::ColorRGBA(0, 1, 0, 1));
}
