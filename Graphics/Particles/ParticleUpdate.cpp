#include "Graphics/Particles/ParticleUpdate.h"
#include "Graphics/Particles/ParticlePool.h"
#include <cstddef>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#include <xmmintrin.h>
#endif

namespace Graphics
{
namespace
{
// The frame a survivor keeps: never below 0 (NaN included); past the sheet's end it wraps or
// steps back by one.
f32 KeepFrameInSheet(f32 frame, const ParticleUpdate::Settings& settings)
{
    if (!(frame >= 0.0f))
        frame = 0.0f;
    if (frame >= settings.totalFrames)
    {
        if (settings.loop)
            frame -= ParticleLayout::Floor(frame);
        else
            frame = ParticleLayout::Floor(frame - 1.0f);
    }
    return frame;
}

void WriteVertex(ParticleVertex& vertex, const Particle& particle)
{
    std::memcpy(vertex.position, &particle.position.x, sizeof(vertex.position));
    std::memcpy(vertex.color, &particle.color.r, sizeof(vertex.color));
    vertex.scale = particle.scale;
    vertex.rotation = particle.rotation;
    vertex.frame = ParticleLayout::Floor(particle.frame);
}

#if defined(__SSE2__)
// The SSE2 forms of the scalar steps; each gives the scalar result in every lane, bit for bit.
struct Lanes4
{
    static __m128 Select(__m128 mask, __m128 whenSet, __m128 otherwise)
    {
        return _mm_or_ps(_mm_and_ps(mask, whenSet), _mm_andnot_ps(mask, otherwise));
    }
    static __m128 Abs(__m128 value) { return _mm_andnot_ps(_mm_set1_ps(-0.0f), value); }
    // start + (end - start) x t, written out as the scalar code writes it.
    static __m128 Lerp(__m128 start, __m128 end, __m128 t)
    {
        return _mm_add_ps(start, _mm_mul_ps(_mm_sub_ps(end, start), t));
    }
    // ParticleLayout::Floor.
    static __m128 Floor(__m128 value)
    {
        const __m128 sign = _mm_set1_ps(-0.0f);
        const __m128 whole = _mm_cmplt_ps(Abs(value), _mm_set1_ps(ParticleLayout::WholeFloats));
        __m128 floored = _mm_cvtepi32_ps(_mm_cvttps_epi32(value));
        floored = _mm_sub_ps(floored, _mm_and_ps(_mm_cmpgt_ps(floored, value), _mm_set1_ps(1.0f)));
        floored = _mm_or_ps(_mm_andnot_ps(sign, floored), _mm_and_ps(sign, value));
        return Select(whole, floored, value);
    }
};

// Writes the draw records of the four lanes at vertices[written] on, one after the other, and
// answers how many of them are kept: every lane's record is written, a lane left out of `keep`
// is overwritten by the next one kept (the pool has room for whole groups of records). Inlined
// into the pass, so that the rows stay in registers rather than go through the stack to a call.
[[gnu::always_inline]] inline u32 WriteVertices(ParticleVertex* vertices, int keep,
                                                const __m128 (&rows)[10])
{
    // Lanes to records: x y z r | g b a scale | rotation frame.
    __m128 front[4] = {rows[0], rows[1], rows[2], rows[3]};
    __m128 middle[4] = {rows[4], rows[5], rows[6], rows[7]};
    _MM_TRANSPOSE4_PS(front[0], front[1], front[2], front[3]);
    _MM_TRANSPOSE4_PS(middle[0], middle[1], middle[2], middle[3]);
    const __m128 low = _mm_unpacklo_ps(rows[8], rows[9]);  // lanes 0 and 1
    const __m128 high = _mm_unpackhi_ps(rows[8], rows[9]); // lanes 2 and 3
    const __m128 back[4] = {low, _mm_movehl_ps(low, low), high, _mm_movehl_ps(high, high)};
    u32 written = 0;
    for (u32 k = 0; k < 4; ++k)
    {
        auto* record = reinterpret_cast<f32*>(vertices + written);
        _mm_storeu_ps(record, front[k]);
        _mm_storeu_ps(record + 4, middle[k]);
        _mm_storel_pi(reinterpret_cast<__m64*>(record + 8), back[k]);
        written += static_cast<u32>(keep >> k) & 1u;
    }
    return written;
}

// Four slots at a time: each block of the pool in two halves. Made once for looping sheets and
// once for holding ones, so that a group works out only its own rule.
template <bool Loop> u32 RunLanes(ParticlePool& pool, const ParticleUpdate::Settings& settings)
{
    using L = Lanes4;
    using P = ParticlePool;
    const u32 stride = pool.GetStride();
    u08* const alive = pool.GetAliveFlags();
    ParticleVertex* const vertices = pool.GetVertices();

    const __m128 dt = _mm_set1_ps(settings.dt);
    const __m128 zero = _mm_setzero_ps();
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 still = _mm_set1_ps(Particle::StillThreshold);
    const __m128 pullX = _mm_set1_ps(settings.pullX);
    const __m128 pullY = _mm_set1_ps(settings.pullY);
    const __m128 pullZ = _mm_set1_ps(settings.pullZ);
    const __m128 sheetEnd = _mm_set1_ps(settings.totalFrames);
    const __m128i noFlags = _mm_setzero_si128();

    constexpr u32 Group = 4;
    static_assert(P::Lanes % Group == 0, "blocks of whole groups of four");
    const u32 liveBefore = pool.GetLiveCount();
    u32 written = 0;
    for (u32 i = 0; i < stride; i += Group)
    {
        u32 flagBytes;
        std::memcpy(&flagBytes, alive + i, sizeof(flagBytes));
        if (flagBytes == 0)
            continue;
        // Field f of slot i + k is at f x Lanes + k from here.
        f32* const block = pool.GetBlock(i - i % P::Lanes) + i % P::Lanes;
        const auto load = [block](P::Field field)
        { return _mm_loadu_ps(block + field * P::Lanes); };
        const auto store = [block](P::Field field, __m128 value)
        { _mm_storeu_ps(block + field * P::Lanes, value); };
        // The follow rule of a pair: the interpolated value where the ends differ, else the
        // start.
        const auto follow = [&load](P::Field from, P::Field to, __m128 t)
        {
            const __m128 start = load(from);
            const __m128 end = load(to);
            return L::Select(_mm_cmpneq_ps(start, end), L::Lerp(start, end, t), start);
        };

        const __m128i flags = _mm_unpacklo_epi16(
            _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(flagBytes)), noFlags), noFlags);
        const __m128 live = _mm_castsi128_ps(_mm_cmpgt_epi32(flags, noFlags));

        const __m128 lifetime = load(P::Lifetime);
        const __m128 oldAge = load(P::Age);
        const __m128 age = _mm_add_ps(oldAge, dt);
        store(P::Age, L::Select(live, age, oldAge));
        const __m128 keep = _mm_and_ps(live, _mm_cmpngt_ps(age, lifetime));
        const int keepBits = _mm_movemask_ps(keep);
        // The survivors' flags stay 1, the others become 0: four bytes at once, without a
        // branch on whether any died.
        const __m128i kept = _mm_and_si128(_mm_castps_si128(keep), _mm_set1_epi32(1));
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(kept, noFlags), noFlags);
        const u32 keptBytes = static_cast<u32>(_mm_cvtsi128_si32(bytes));
        std::memcpy(alive + i, &keptBytes, sizeof(keptBytes));
        if (keepBits == 0)
            continue;

        // LifeFraction: age / lifetime, or 1 without a positive lifetime; clamped; NaN is 0.
        __m128 t = L::Select(_mm_cmpgt_ps(lifetime, zero), _mm_div_ps(age, lifetime), one);
        t = _mm_and_ps(_mm_cmpgt_ps(t, zero), L::Select(_mm_cmplt_ps(t, one), t, one));

        // Rows of the draw records: x y z, r g b a, scale, rotation, frame.
        __m128 rows[10];
        // The colour follows as a whole when any channel's ends differ.
        __m128 differs = zero;
        for (u32 c = 0; c < 4; ++c)
        {
            const __m128 from = load(static_cast<P::Field>(P::ColorStartR + c));
            const __m128 to = load(static_cast<P::Field>(P::ColorEndR + c));
            differs = _mm_or_ps(differs, _mm_cmpneq_ps(from, to));
            rows[3 + c] = L::Lerp(from, to, t);
        }
        for (u32 c = 0; c < 4; ++c)
            rows[3 + c] =
                L::Select(differs, rows[3 + c], load(static_cast<P::Field>(P::ColorStartR + c)));

        const __m128 speed = follow(P::SpeedStart, P::SpeedEnd, t);
        const __m128 spin = follow(P::RotationSpeedStart, P::RotationSpeedEnd, t);
        rows[7] = follow(P::ScaleStart, P::ScaleEnd, t);

        // Motion, turn and animation only above the still threshold.
        const __m128 moves = _mm_and_ps(keep, _mm_cmpgt_ps(L::Abs(speed), still));
        const __m128 step = _mm_mul_ps(speed, dt);
        const __m128 dirX = load(P::DirectionX);
        const __m128 dirY = load(P::DirectionY);
        const __m128 dirZ = load(P::DirectionZ);
        const __m128 x = load(P::PositionX);
        const __m128 y = load(P::PositionY);
        const __m128 z = load(P::PositionZ);
        rows[0] = L::Select(moves, _mm_add_ps(x, _mm_mul_ps(dirX, step)), x);
        rows[1] = L::Select(moves, _mm_add_ps(y, _mm_mul_ps(dirY, step)), y);
        rows[2] = L::Select(moves, _mm_add_ps(z, _mm_mul_ps(dirZ, step)), z);
        store(P::PositionX, rows[0]);
        store(P::PositionY, rows[1]);
        store(P::PositionZ, rows[2]);
        store(P::DirectionX, L::Select(keep, _mm_add_ps(dirX, pullX), dirX));
        store(P::DirectionY, L::Select(keep, _mm_add_ps(dirY, pullY), dirY));
        store(P::DirectionZ, L::Select(keep, _mm_add_ps(dirZ, pullZ), dirZ));

        const __m128 turns = _mm_and_ps(keep, _mm_cmpgt_ps(L::Abs(spin), still));
        const __m128 rotation = load(P::Rotation);
        rows[8] = L::Select(turns, _mm_add_ps(rotation, _mm_mul_ps(spin, dt)), rotation);
        store(P::Rotation, rows[8]);

        const __m128 frameSpeed = load(P::AnimationSpeed);
        const __m128 oldFrame = load(P::Frame);
        __m128 frame = L::Select(_mm_cmpgt_ps(L::Abs(frameSpeed), still),
                                 _mm_add_ps(oldFrame, _mm_mul_ps(frameSpeed, dt)), oldFrame);
        frame = _mm_and_ps(_mm_cmpge_ps(frame, zero), frame);
        const __m128 pastEnd = _mm_cmpge_ps(frame, sheetEnd);
        // Few groups have a frame past the sheet's end in a step.
        if (_mm_movemask_ps(pastEnd) != 0)
        {
            const __m128 inSheet =
                Loop ? _mm_sub_ps(frame, L::Floor(frame)) : L::Floor(_mm_sub_ps(frame, one));
            frame = L::Select(pastEnd, inSheet, frame);
        }
        store(P::Frame, L::Select(keep, frame, oldFrame));
        rows[9] = L::Floor(frame);

        // The survivors' draw records, in slot order.
        written += WriteVertices(vertices + written, keepBits, rows);
    }
    // Every live slot was looked at and the survivors each left one draw record.
    pool.CountFreed(liveBefore - written);
    return written;
}
#endif
} // namespace

u32 ParticleUpdate::RunScalar(ParticlePool& pool, const Settings& settings)
{
    ParticleVertex* const vertices = pool.GetVertices();
    u32 written = 0;
    for (u32 slot = 0; slot < pool.GetCapacity(); ++slot)
    {
        if (!pool.IsAlive(slot))
            continue;
        Particle particle = pool.Get(slot);
        if (!particle.Update(settings.dt))
        {
            // Only the age moves on a particle that dies.
            pool.At(ParticlePool::Age, slot) = particle.age;
            pool.Free(slot);
            continue;
        }
        particle.direction.x += settings.pullX;
        particle.direction.y += settings.pullY;
        particle.direction.z += settings.pullZ;
        particle.frame = KeepFrameInSheet(particle.frame, settings);
        pool.Set(slot, particle);
        WriteVertex(vertices[written++], particle);
    }
    return written;
}

u32 ParticleUpdate::RunFourLanes(ParticlePool& pool, const Settings& settings)
{
    if (pool.GetCapacity() == 0)
        return 0;
#if defined(__SSE2__)
    return settings.loop ? RunLanes<true>(pool, settings) : RunLanes<false>(pool, settings);
#else
    return RunScalar(pool, settings);
#endif
}

bool ParticleUpdate::HasEightLanes()
{
#if QUILL_PARTICLE_AVX
    // Answers for the processor and whether the system saves its wide registers.
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
#else
    return false;
#endif
}

u32 ParticleUpdate::RunEightLanes(ParticlePool& pool, const Settings& settings)
{
#if QUILL_PARTICLE_AVX
    if (HasEightLanes())
        return pool.GetCapacity() == 0 ? 0 : RunAvx(pool, settings);
#endif
    return RunFourLanes(pool, settings);
}

u32 ParticleUpdate::Run(ParticlePool& pool, const Settings& settings)
{
    return RunEightLanes(pool, settings);
}
} // namespace Graphics
