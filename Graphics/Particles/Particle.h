#pragma once
// One particle of an emitter's pool and the draw record it leaves for the particle pass.
//
// Conventions:
// - Positions are in world space, or in the owner's space for an emitter that is local to its
//   object. The velocity is direction x speed; the direction is not kept at unit length (the
//   emitter's pull adds to it).
// - Every start/end pair is interpolated over the particle's life by t = age / lifetime; a pair
//   whose ends are equal leaves the current value alone, so a value set at birth stays.
// - Colours are 0 to 1. Frames count sprite-sheet cells, row by row from the sheet's top left.
// - A record is plain data: a fresh one is all zero bytes (Zeroed). The pool keeps its particles
//   as arrays of fields (ParticlePool.h); a record is where an emitter's shape puts a newborn's
//   position and direction, what the pool hands out one slot at a time, and the one-particle
//   form of the step (ParticleUpdate.h runs the same step on eight or four slots at once). A birth
//   writes the same values a record, InitParticle and Update would leave straight into the pool
//   (ParticleEmitterComponent::Spawn; a step's births four at a time, StoreGroup).
#include "Math/ColorRGBA.h"
#include "Math/Point4.h"
#include "Math/Vector4.h"
#include <cmath>
#include <cstddef>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Graphics
{
// The record is laid out for its update, in groups of four floats that are worked on together:
// position, direction and colour; the current speed, spin rate and scale beside their start and
// end values (the fourth float of each of those groups is one that the group's load must not
// wait for: animation speed and lifetime are never written by the update, and the rotation only
// after the groups are read); the start and end colours; then age and frame. Records need not
// be 16-byte aligned.
struct Particle
{
    // Magnitudes at or below this count as no motion, no spin and no animation.
    static constexpr f32 StillThreshold = 0.00001f;

    // A record of all zero bytes (the members' own defaults are not zero: alpha and w are 1).
    static Particle Zeroed()
    {
        // Written out store by store: a loop (or memset) becomes a call to the library's
        // memset, which costs more than clearing one record.
        Particle particle;
        auto* bytes = reinterpret_cast<unsigned char*>(&particle);
#if defined(__SSE2__)
        static_assert(sizeof(Particle) > 128 && sizeof(Particle) <= 144, "nine stores clear it");
        const __m128i zero = _mm_setzero_si128();
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + 16), zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + 32), zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + 48), zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + 64), zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + 80), zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + 96), zero);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + 112), zero);
        // The last sixteen bytes, overlapping the store before.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + sizeof(Particle) - 16), zero);
#else
        std::memset(bytes, 0, sizeof(Particle));
#endif
        return particle;
    }

    // Ages the particle by dt and moves it. False when it has died in this call (age strictly
    // past its lifetime); nothing else changes then.
    inline bool Update(f32 dt);
    // The colour at life fraction t (already clamped to [0, 1]).
    void UpdateColor(f32 t);

    Math::Point4 position;
    Math::Vector4 direction;
    Math::ColorRGBA color;
    f32 speed;
    f32 rotationSpeed;
    f32 scale;
    f32 animationSpeed;
    f32 speedStart;
    f32 rotationSpeedStart;
    f32 scaleStart;
    f32 lifetime;
    f32 speedEnd;
    f32 rotationSpeedEnd;
    f32 scaleEnd;
    f32 rotation;
    Math::ColorRGBA colorStart;
    Math::ColorRGBA colorEnd;
    f32 age;
    f32 frame;
};

namespace ParticleLayout
{
// The groups the update loads as four floats each.
static_assert(sizeof(Math::Vector4) == 4 * sizeof(f32) &&
                  sizeof(Math::ColorRGBA) == 4 * sizeof(f32),
              "vectors and colours are four floats");
static_assert(offsetof(Particle, rotationSpeed) == offsetof(Particle, speed) + sizeof(f32) &&
                  offsetof(Particle, scale) == offsetof(Particle, speed) + 2 * sizeof(f32) &&
                  offsetof(Particle, animationSpeed) == offsetof(Particle, speed) + 3 * sizeof(f32),
              "current speed, spin rate and scale are one group");
static_assert(offsetof(Particle, scaleStart) == offsetof(Particle, speedStart) + 2 * sizeof(f32) &&
                  offsetof(Particle, lifetime) == offsetof(Particle, speedStart) + 3 * sizeof(f32),
              "start values are one group");
static_assert(offsetof(Particle, scaleEnd) == offsetof(Particle, speedEnd) + 2 * sizeof(f32) &&
                  offsetof(Particle, rotation) == offsetof(Particle, speedEnd) + 3 * sizeof(f32),
              "end values are one group");

// The life fraction Update interpolates by: age / lifetime clamped to [0, 1]; a particle without
// a positive lifetime (or with a NaN one) is at the end of its life, and a NaN fraction is 0.
inline f32 LifeFraction(f32 age, f32 lifetime)
{
    const f32 t = lifetime > 0.0f ? age / lifetime : 1.0f;
    return t > 0.0f ? (t < 1.0f ? t : 1.0f) : 0.0f;
}

// The current value of a start/end pair at life fraction t. A pair whose ends are equal keeps
// the value set at birth, which is its start.
inline f32 Follow(f32 start, f32 end, f32 t)
{
    return start != end ? start + (end - start) * t : start;
}

// The current colour at life fraction t: all four channels interpolated when any pair differs,
// else the start colour (as Update keeps it).
inline Math::ColorRGBA FollowColor(const Math::ColorRGBA& start, const Math::ColorRGBA& end, f32 t)
{
    if (start.r == end.r && start.g == end.g && start.b == end.b && start.a == end.a)
        return start;
    return Math::ColorRGBA(start.r + (end.r - start.r) * t, start.g + (end.g - start.g) * t,
                           start.b + (end.b - start.b) * t, start.a + (end.a - start.a) * t);
}

// The largest float below which floats may have a fraction (2^23).
constexpr f32 WholeFloats = 8388608.0f;

// std::floor without a library call: exact for every float, NaN and infinities included, and
// keeping the sign of a zero.
inline f32 Floor(f32 value)
{
    if (!(std::fabs(value) < WholeFloats))
        return value;
    f32 whole = static_cast<f32>(static_cast<s32>(value));
    if (whole > value)
        whole -= 1.0f;
    return std::copysign(whole, value);
}
} // namespace ParticleLayout

inline bool Particle::Update(f32 dt)
{
    age += dt;
    if (age > lifetime)
        return false;
    const f32 t = ParticleLayout::LifeFraction(age, lifetime);
#if defined(__SSE2__)
    // start + (end - start) * t per lane, as the scalar form computes it, so the results are the
    // same bit for bit.
    const __m128 fraction = _mm_set1_ps(t);
    const __m128 colourFrom = _mm_loadu_ps(&colorStart.r);
    const __m128 colourTo = _mm_loadu_ps(&colorEnd.r);
    if (_mm_movemask_ps(_mm_cmpneq_ps(colourFrom, colourTo)) != 0)
        _mm_storeu_ps(&color.r, _mm_add_ps(colourFrom,
                                           _mm_mul_ps(_mm_sub_ps(colourTo, colourFrom), fraction)));
    // Speed, spin rate and scale follow their pairs only where the ends differ; the fourth lane
    // (the animation speed) is kept. These groups are gathered float by float: a record is
    // usually just filled one float at a time (InitParticle), and a load of four floats over
    // several smaller stores still in flight waits for all of them to complete.
    const __m128 from = _mm_setr_ps(speedStart, rotationSpeedStart, scaleStart, lifetime);
    const __m128 to = _mm_setr_ps(speedEnd, rotationSpeedEnd, scaleEnd, rotation);
    const __m128 current = _mm_setr_ps(speed, rotationSpeed, scale, animationSpeed);
    const __m128 follows =
        _mm_and_ps(_mm_cmpneq_ps(from, to), _mm_castsi128_ps(_mm_set_epi32(0, -1, -1, -1)));
    const __m128 lerped = _mm_add_ps(from, _mm_mul_ps(_mm_sub_ps(to, from), fraction));
    const __m128 now = _mm_or_ps(_mm_and_ps(follows, lerped), _mm_andnot_ps(follows, current));
    _mm_storeu_ps(&speed, now);
    if (std::fabs(speed) > StillThreshold)
    {
        const f32 step = speed * dt;
        position.x += direction.x * step;
        position.y += direction.y * step;
        position.z += direction.z * step;
    }
    // The rotation goes back with the end values it is grouped with, as four floats: a later
    // read of the group (the draw record takes scale and rotation together) then waits for one
    // store, not for two.
    f32 turned = rotation;
    if (std::fabs(rotationSpeed) > StillThreshold)
        turned += rotationSpeed * dt;
    const __m128 lanes = _mm_shuffle_ps(to, _mm_set1_ps(turned), _MM_SHUFFLE(0, 0, 2, 2));
    _mm_storeu_ps(&speedEnd, _mm_shuffle_ps(to, lanes, _MM_SHUFFLE(2, 0, 1, 0)));
#else
    UpdateColor(t);
    if (speedStart != speedEnd)
        speed = speedStart + (speedEnd - speedStart) * t;
    if (rotationSpeedStart != rotationSpeedEnd)
        rotationSpeed = rotationSpeedStart + (rotationSpeedEnd - rotationSpeedStart) * t;
    if (scaleStart != scaleEnd)
        scale = scaleStart + (scaleEnd - scaleStart) * t;
    if (std::fabs(speed) > StillThreshold)
    {
        const f32 step = speed * dt;
        position.x += direction.x * step;
        position.y += direction.y * step;
        position.z += direction.z * step;
    }
    if (std::fabs(rotationSpeed) > StillThreshold)
        rotation += rotationSpeed * dt;
#endif
    if (std::fabs(animationSpeed) > StillThreshold)
        frame += animationSpeed * dt;
    return true;
}

// The particle pass reads one of these per live particle as one point (ShaderProgram.h binds
// the attribute names to these locations).
struct ParticleVertex
{
    static constexpr u32 PositionLocation = 0;
    static constexpr u32 ColorLocation = 7;
    static constexpr u32 ScaleLocation = 8;
    static constexpr u32 RotationLocation = 9;
    static constexpr u32 FrameLocation = 10;

    f32 position[3];
    f32 color[4];
    f32 scale;
    f32 rotation;
    f32 frame; // whole frames only
};

static_assert(sizeof(ParticleVertex) == 40, "the particle pass reads 40-byte records");
// The update passes write a record as ten floats in this order.
static_assert(sizeof(ParticleVertex) == 10 * sizeof(f32) &&
                  offsetof(ParticleVertex, color) == 3 * sizeof(f32) &&
                  offsetof(ParticleVertex, scale) == 7 * sizeof(f32) &&
                  offsetof(ParticleVertex, rotation) == 8 * sizeof(f32) &&
                  offsetof(ParticleVertex, frame) == 9 * sizeof(f32),
              "a draw record is position, colour, scale, rotation and frame as ten floats");
} // namespace Graphics
