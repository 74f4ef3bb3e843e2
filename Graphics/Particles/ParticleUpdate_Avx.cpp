// The update pass eight slots at a time with AVX2: the four-slot pass of ParticleUpdate.cpp on a
// whole block of the pool, the same operations in the same order in every lane, so that it
// leaves the same bits. The functions here are made for AVX2 alone, which has no fused
// multiply-add; with AVX without AVX2 the compiler splits a blend by a mask into lanes.
//
// Only the functions defined below are AVX2 code; everything included is made for the ordinary
// target, so that no shared inline function is ever taken in its AVX2 form by code that runs on a
// processor without it. ParticleUpdate::Run calls in here only when the processor has AVX2.
#include "Graphics/Particles/ParticleUpdate.h"

#if QUILL_PARTICLE_AVX
#include "Graphics/Particles/ParticlePool.h"
#include <cstddef>
#include <cstring>
#include <immintrin.h>

#define QUILL_AVX_FUNCTION __attribute__((target("avx2")))
#define QUILL_AVX_INLINE __attribute__((target("avx2"), always_inline)) inline

namespace Graphics
{
namespace
{
using P = ParticlePool;

static_assert(P::Lanes == 8, "a block is one group of eight lanes");

QUILL_AVX_INLINE __m256 Load(const f32* block, P::Field field)
{
    return _mm256_loadu_ps(block + field * P::Lanes);
}

QUILL_AVX_INLINE void Store(f32* block, P::Field field, __m256 value)
{
    _mm256_storeu_ps(block + field * P::Lanes, value);
}

// Lanes of `whenSet` where the mask (all ones or all zeros per lane) is set, else `otherwise`.
QUILL_AVX_INLINE __m256 Select(__m256 mask, __m256 whenSet, __m256 otherwise)
{
    return _mm256_blendv_ps(otherwise, whenSet, mask);
}

QUILL_AVX_INLINE __m256 Abs(__m256 value)
{
    return _mm256_andnot_ps(_mm256_set1_ps(-0.0f), value);
}

// start + (end - start) x t, written out as the scalar code writes it.
QUILL_AVX_INLINE __m256 Lerp(__m256 start, __m256 end, __m256 t)
{
    return _mm256_add_ps(start, _mm256_mul_ps(_mm256_sub_ps(end, start), t));
}

// The follow rule of a pair: the interpolated value where the ends differ, else the start.
QUILL_AVX_INLINE __m256 Follow(const f32* block, P::Field from, P::Field to, __m256 t)
{
    const __m256 start = Load(block, from);
    const __m256 end = Load(block, to);
    return Select(_mm256_cmp_ps(start, end, _CMP_NEQ_UQ), Lerp(start, end, t), start);
}

// ParticleLayout::Floor.
QUILL_AVX_INLINE __m256 Floor(__m256 value)
{
    const __m256 sign = _mm256_set1_ps(-0.0f);
    const __m256 whole =
        _mm256_cmp_ps(Abs(value), _mm256_set1_ps(ParticleLayout::WholeFloats), _CMP_LT_OQ);
    __m256 floored = _mm256_cvtepi32_ps(_mm256_cvttps_epi32(value));
    floored = _mm256_sub_ps(
        floored, _mm256_and_ps(_mm256_cmp_ps(floored, value, _CMP_GT_OQ), _mm256_set1_ps(1.0f)));
    floored = _mm256_or_ps(_mm256_andnot_ps(sign, floored), _mm256_and_ps(sign, value));
    return Select(whole, floored, value);
}

// The record of lane k at vertices[written]: its first eight floats, then its rotation and
// frame from the upper or lower half of a pair; written moves on when the lane is kept.
QUILL_AVX_INLINE void StoreRecord(ParticleVertex* vertices, u32& written, int keep, u32 k,
                                  __m256 front, __m128 pair, bool upper)
{
    auto* record = reinterpret_cast<f32*>(vertices + written);
    _mm256_storeu_ps(record, front);
    if (upper)
        _mm_storeh_pi(reinterpret_cast<__m64*>(record + 8), pair);
    else
        _mm_storel_pi(reinterpret_cast<__m64*>(record + 8), pair);
    written += static_cast<u32>(keep >> k) & 1u;
}

// Writes the draw records of the eight lanes at vertices[written] on, one after the other, and
// answers how many of them are kept: every lane's record is written, a lane left out of `keep`
// is overwritten by the next one kept (the pool has room for whole blocks of records).
QUILL_AVX_INLINE u32 WriteVertices(ParticleVertex* vertices, int keep, const __m256 (&rows)[10])
{
    // The first eight floats of each record (x y z r g b a scale): an 8 x 8 transpose.
    const __m256 t0 = _mm256_unpacklo_ps(rows[0], rows[1]);
    const __m256 t1 = _mm256_unpackhi_ps(rows[0], rows[1]);
    const __m256 t2 = _mm256_unpacklo_ps(rows[2], rows[3]);
    const __m256 t3 = _mm256_unpackhi_ps(rows[2], rows[3]);
    const __m256 t4 = _mm256_unpacklo_ps(rows[4], rows[5]);
    const __m256 t5 = _mm256_unpackhi_ps(rows[4], rows[5]);
    const __m256 t6 = _mm256_unpacklo_ps(rows[6], rows[7]);
    const __m256 t7 = _mm256_unpackhi_ps(rows[6], rows[7]);
    // Lanes k and k + 4 of the first four rows, then of the next four.
    const __m256 q0 = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 q1 = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 q2 = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 q3 = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 q4 = _mm256_shuffle_ps(t4, t6, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 q5 = _mm256_shuffle_ps(t4, t6, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 q6 = _mm256_shuffle_ps(t5, t7, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 q7 = _mm256_shuffle_ps(t5, t7, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 front[8] = {
        _mm256_permute2f128_ps(q0, q4, 0x20), _mm256_permute2f128_ps(q1, q5, 0x20),
        _mm256_permute2f128_ps(q2, q6, 0x20), _mm256_permute2f128_ps(q3, q7, 0x20),
        _mm256_permute2f128_ps(q0, q4, 0x31), _mm256_permute2f128_ps(q1, q5, 0x31),
        _mm256_permute2f128_ps(q2, q6, 0x31), _mm256_permute2f128_ps(q3, q7, 0x31)};
    // Rotation and frame: lanes 0 1 | 4 5 and 2 3 | 6 7 as pairs.
    const __m256 low = _mm256_unpacklo_ps(rows[8], rows[9]);
    const __m256 high = _mm256_unpackhi_ps(rows[8], rows[9]);
    const __m128 pairs[4] = {_mm256_castps256_ps128(low), _mm256_castps256_ps128(high),
                             _mm256_extractf128_ps(low, 1), _mm256_extractf128_ps(high, 1)};
    // Written out record by record, so that the rows stay in registers.
    u32 written = 0;
    StoreRecord(vertices, written, keep, 0, front[0], pairs[0], false);
    StoreRecord(vertices, written, keep, 1, front[1], pairs[0], true);
    StoreRecord(vertices, written, keep, 2, front[2], pairs[1], false);
    StoreRecord(vertices, written, keep, 3, front[3], pairs[1], true);
    StoreRecord(vertices, written, keep, 4, front[4], pairs[2], false);
    StoreRecord(vertices, written, keep, 5, front[5], pairs[2], true);
    StoreRecord(vertices, written, keep, 6, front[6], pairs[3], false);
    StoreRecord(vertices, written, keep, 7, front[7], pairs[3], true);
    return written;
}

template <bool Loop>
QUILL_AVX_FUNCTION u32 RunBlocks(ParticlePool& pool, const ParticleUpdate::Settings& settings)
{
    const u32 stride = pool.GetStride();
    u08* const alive = pool.GetAliveFlags();
    ParticleVertex* const vertices = pool.GetVertices();

    const __m256 dt = _mm256_set1_ps(settings.dt);
    const __m256 zero = _mm256_setzero_ps();
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256 still = _mm256_set1_ps(Particle::StillThreshold);
    const __m256 pullX = _mm256_set1_ps(settings.pullX);
    const __m256 pullY = _mm256_set1_ps(settings.pullY);
    const __m256 pullZ = _mm256_set1_ps(settings.pullZ);
    const __m256 sheetEnd = _mm256_set1_ps(settings.totalFrames);
    const __m128i noFlags = _mm_setzero_si128();

    const u32 liveBefore = pool.GetLiveCount();
    u32 written = 0;
    for (u32 i = 0; i < stride; i += P::Lanes)
    {
        u64 flagBytes;
        std::memcpy(&flagBytes, alive + i, sizeof(flagBytes));
        if (flagBytes == 0)
            continue;
        f32* const block = pool.GetBlock(i);

        // Each flag byte widened to a lane: set where the byte is not 0.
        const __m128i bytes = _mm_cvtsi64_si128(static_cast<long long>(flagBytes));
        const __m128i lowFlags = _mm_cvtepu8_epi32(bytes);
        const __m128i highFlags = _mm_cvtepu8_epi32(_mm_srli_si128(bytes, 4));
        const __m256 live = _mm256_insertf128_ps(
            _mm256_castps128_ps256(_mm_castsi128_ps(_mm_cmpgt_epi32(lowFlags, noFlags))),
            _mm_castsi128_ps(_mm_cmpgt_epi32(highFlags, noFlags)), 1);

        const __m256 lifetime = Load(block, P::Lifetime);
        const __m256 oldAge = Load(block, P::Age);
        const __m256 age = _mm256_add_ps(oldAge, dt);
        Store(block, P::Age, Select(live, age, oldAge));
        const __m256 keep = _mm256_and_ps(live, _mm256_cmp_ps(age, lifetime, _CMP_NGT_UQ));
        const int keepBits = _mm256_movemask_ps(keep);
        // The survivors' flags stay 1, the others become 0: eight bytes at once.
        const __m128i one32 = _mm_set1_epi32(1);
        const __m128i keptLow =
            _mm_and_si128(_mm_castps_si128(_mm256_castps256_ps128(keep)), one32);
        const __m128i keptHigh =
            _mm_and_si128(_mm_castps_si128(_mm256_extractf128_ps(keep, 1)), one32);
        const __m128i keptBytes = _mm_packus_epi16(_mm_packs_epi32(keptLow, keptHigh), noFlags);
        const u64 keptFlags = static_cast<u64>(_mm_cvtsi128_si64(keptBytes));
        std::memcpy(alive + i, &keptFlags, sizeof(keptFlags));
        if (keepBits == 0)
            continue;

        // LifeFraction: age / lifetime, or 1 without a positive lifetime; clamped; NaN is 0.
        __m256 t =
            Select(_mm256_cmp_ps(lifetime, zero, _CMP_GT_OQ), _mm256_div_ps(age, lifetime), one);
        t = _mm256_and_ps(_mm256_cmp_ps(t, zero, _CMP_GT_OQ),
                          Select(_mm256_cmp_ps(t, one, _CMP_LT_OQ), t, one));

        // Rows of the draw records: x y z, r g b a, scale, rotation, frame.
        __m256 rows[10];
        // The colour follows as a whole when any channel's ends differ.
        __m256 differs = zero;
        __m256 colourFrom[4];
        for (u32 c = 0; c < 4; ++c)
        {
            colourFrom[c] = Load(block, static_cast<P::Field>(P::ColorStartR + c));
            const __m256 to = Load(block, static_cast<P::Field>(P::ColorEndR + c));
            differs = _mm256_or_ps(differs, _mm256_cmp_ps(colourFrom[c], to, _CMP_NEQ_UQ));
            rows[3 + c] = Lerp(colourFrom[c], to, t);
        }
        for (u32 c = 0; c < 4; ++c)
            rows[3 + c] = Select(differs, rows[3 + c], colourFrom[c]);

        const __m256 speed = Follow(block, P::SpeedStart, P::SpeedEnd, t);
        const __m256 spin = Follow(block, P::RotationSpeedStart, P::RotationSpeedEnd, t);
        rows[7] = Follow(block, P::ScaleStart, P::ScaleEnd, t);

        // Motion, turn and animation only above the still threshold.
        const __m256 moves = _mm256_and_ps(keep, _mm256_cmp_ps(Abs(speed), still, _CMP_GT_OQ));
        const __m256 step = _mm256_mul_ps(speed, dt);
        const __m256 dirX = Load(block, P::DirectionX);
        const __m256 dirY = Load(block, P::DirectionY);
        const __m256 dirZ = Load(block, P::DirectionZ);
        const __m256 x = Load(block, P::PositionX);
        const __m256 y = Load(block, P::PositionY);
        const __m256 z = Load(block, P::PositionZ);
        rows[0] = Select(moves, _mm256_add_ps(x, _mm256_mul_ps(dirX, step)), x);
        rows[1] = Select(moves, _mm256_add_ps(y, _mm256_mul_ps(dirY, step)), y);
        rows[2] = Select(moves, _mm256_add_ps(z, _mm256_mul_ps(dirZ, step)), z);
        Store(block, P::PositionX, rows[0]);
        Store(block, P::PositionY, rows[1]);
        Store(block, P::PositionZ, rows[2]);
        Store(block, P::DirectionX, Select(keep, _mm256_add_ps(dirX, pullX), dirX));
        Store(block, P::DirectionY, Select(keep, _mm256_add_ps(dirY, pullY), dirY));
        Store(block, P::DirectionZ, Select(keep, _mm256_add_ps(dirZ, pullZ), dirZ));

        const __m256 turns = _mm256_and_ps(keep, _mm256_cmp_ps(Abs(spin), still, _CMP_GT_OQ));
        const __m256 rotation = Load(block, P::Rotation);
        rows[8] = Select(turns, _mm256_add_ps(rotation, _mm256_mul_ps(spin, dt)), rotation);
        Store(block, P::Rotation, rows[8]);

        const __m256 frameSpeed = Load(block, P::AnimationSpeed);
        const __m256 oldFrame = Load(block, P::Frame);
        __m256 frame = Select(_mm256_cmp_ps(Abs(frameSpeed), still, _CMP_GT_OQ),
                              _mm256_add_ps(oldFrame, _mm256_mul_ps(frameSpeed, dt)), oldFrame);
        frame = _mm256_and_ps(_mm256_cmp_ps(frame, zero, _CMP_GE_OQ), frame);
        const __m256 pastEnd = _mm256_cmp_ps(frame, sheetEnd, _CMP_GE_OQ);
        // Few blocks have a frame past the sheet's end in a step.
        if (_mm256_movemask_ps(pastEnd) != 0)
        {
            const __m256 inSheet =
                Loop ? _mm256_sub_ps(frame, Floor(frame)) : Floor(_mm256_sub_ps(frame, one));
            frame = Select(pastEnd, inSheet, frame);
        }
        Store(block, P::Frame, Select(keep, frame, oldFrame));
        rows[9] = Floor(frame);

        // The survivors' draw records, in slot order.
        written += WriteVertices(vertices + written, keepBits, rows);
    }
    // Every live slot was looked at and the survivors each left one draw record.
    pool.CountFreed(liveBefore - written);
    return written;
}
} // namespace

QUILL_AVX_FUNCTION u32 ParticleUpdate::RunAvx(ParticlePool& pool, const Settings& settings)
{
    return settings.loop ? RunBlocks<true>(pool, settings) : RunBlocks<false>(pool, settings);
}
} // namespace Graphics
#endif
