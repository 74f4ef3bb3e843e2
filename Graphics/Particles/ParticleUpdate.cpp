#include "Graphics/Particles/ParticleUpdate.h"
#include "Graphics/Particles/ParticlePool.h"
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
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

u32 RunLanes(ParticlePool& pool, const ParticleUpdate::Settings& settings)
{
    using L = Lanes4;
    using Field = ParticlePool::Field;
    const u32 stride = pool.GetStride();
    u08* const alive = pool.GetAliveFlags();
    ParticleVertex* const vertices = pool.GetVertices();
    f32* const px = pool.GetField(ParticlePool::PositionX);
    f32* const py = pool.GetField(ParticlePool::PositionY);
    f32* const pz = pool.GetField(ParticlePool::PositionZ);
    f32* const dx = pool.GetField(ParticlePool::DirectionX);
    f32* const dy = pool.GetField(ParticlePool::DirectionY);
    f32* const dz = pool.GetField(ParticlePool::DirectionZ);
    f32* const rotations = pool.GetField(ParticlePool::Rotation);
    f32* const ages = pool.GetField(ParticlePool::Age);
    f32* const frames = pool.GetField(ParticlePool::Frame);
    const f32* const lifetimes = pool.GetField(ParticlePool::Lifetime);
    const f32* const animation = pool.GetField(ParticlePool::AnimationSpeed);
    const auto field = [&pool](Field f) -> const f32* { return pool.GetField(f); };
    const f32* const colourFrom[4] = {
        field(ParticlePool::ColorStartR), field(ParticlePool::ColorStartG),
        field(ParticlePool::ColorStartB), field(ParticlePool::ColorStartA)};
    const f32* const colourTo[4] = {field(ParticlePool::ColorEndR), field(ParticlePool::ColorEndG),
                                    field(ParticlePool::ColorEndB), field(ParticlePool::ColorEndA)};
    const f32* const speedFrom = field(ParticlePool::SpeedStart);
    const f32* const speedTo = field(ParticlePool::SpeedEnd);
    const f32* const spinFrom = field(ParticlePool::RotationSpeedStart);
    const f32* const spinTo = field(ParticlePool::RotationSpeedEnd);
    const f32* const scaleFrom = field(ParticlePool::ScaleStart);
    const f32* const scaleTo = field(ParticlePool::ScaleEnd);

    const __m128 dt = _mm_set1_ps(settings.dt);
    const __m128 zero = _mm_setzero_ps();
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 still = _mm_set1_ps(Particle::StillThreshold);
    const __m128 pullX = _mm_set1_ps(settings.pullX);
    const __m128 pullY = _mm_set1_ps(settings.pullY);
    const __m128 pullZ = _mm_set1_ps(settings.pullZ);
    const __m128 sheetEnd = _mm_set1_ps(settings.totalFrames);
    const __m128i noFlags = _mm_setzero_si128();
    // The follow rule of a pair: the interpolated value where the ends differ, else the start.
    const auto follow = [](const f32* from, const f32* to, u32 i, __m128 t)
    {
        const __m128 start = _mm_loadu_ps(from + i);
        const __m128 end = _mm_loadu_ps(to + i);
        return L::Select(_mm_cmpneq_ps(start, end), L::Lerp(start, end, t), start);
    };

    // What the draw records take of four slots, lane k of each row being slot i + k.
    enum Row
    {
        RowX,
        RowY,
        RowZ,
        RowR,
        RowG,
        RowB,
        RowA,
        RowScale,
        RowRotation,
        RowFrame,
        RowCount
    };
    alignas(16) f32 rows[RowCount][ParticlePool::Lanes];
    u32 written = 0;
    u32 died = 0;
    for (u32 i = 0; i < stride; i += ParticlePool::Lanes)
    {
        u32 flagBytes;
        std::memcpy(&flagBytes, alive + i, sizeof(flagBytes));
        if (flagBytes == 0)
            continue;
        const __m128i flags = _mm_unpacklo_epi16(
            _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(flagBytes)), noFlags), noFlags);
        const __m128 live = _mm_castsi128_ps(_mm_cmpgt_epi32(flags, noFlags));

        const __m128 lifetime = _mm_loadu_ps(lifetimes + i);
        const __m128 age = _mm_add_ps(_mm_loadu_ps(ages + i), dt);
        _mm_storeu_ps(ages + i, L::Select(live, age, _mm_loadu_ps(ages + i)));
        const __m128 keep = _mm_and_ps(live, _mm_cmpngt_ps(age, lifetime));
        const int keepBits = _mm_movemask_ps(keep);
        const int diedBits = _mm_movemask_ps(live) & ~keepBits;
        if (diedBits != 0)
        {
            for (u32 k = 0; k < ParticlePool::Lanes; ++k)
            {
                if ((diedBits & (1 << k)) != 0)
                {
                    alive[i + k] = 0;
                    ++died;
                }
            }
        }
        if (keepBits == 0)
            continue;

        // LifeFraction: age / lifetime, or 1 without a positive lifetime; clamped; NaN is 0.
        __m128 t = L::Select(_mm_cmpgt_ps(lifetime, zero), _mm_div_ps(age, lifetime), one);
        t = _mm_and_ps(_mm_cmpgt_ps(t, zero), L::Select(_mm_cmplt_ps(t, one), t, one));

        // The colour follows as a whole when any channel's ends differ.
        __m128 from[4];
        __m128 to[4];
        __m128 differs = zero;
        for (int c = 0; c < 4; ++c)
        {
            from[c] = _mm_loadu_ps(colourFrom[c] + i);
            to[c] = _mm_loadu_ps(colourTo[c] + i);
            differs = _mm_or_ps(differs, _mm_cmpneq_ps(from[c], to[c]));
        }
        for (int c = 0; c < 4; ++c)
            _mm_store_ps(rows[RowR + c], L::Select(differs, L::Lerp(from[c], to[c], t), from[c]));

        const __m128 speed = follow(speedFrom, speedTo, i, t);
        const __m128 spin = follow(spinFrom, spinTo, i, t);
        _mm_store_ps(rows[RowScale], follow(scaleFrom, scaleTo, i, t));

        // Motion, turn and animation only above the still threshold.
        const __m128 moves = _mm_and_ps(keep, _mm_cmpgt_ps(L::Abs(speed), still));
        const __m128 step = _mm_mul_ps(speed, dt);
        const __m128 dirX = _mm_loadu_ps(dx + i);
        const __m128 dirY = _mm_loadu_ps(dy + i);
        const __m128 dirZ = _mm_loadu_ps(dz + i);
        const __m128 x = _mm_loadu_ps(px + i);
        const __m128 y = _mm_loadu_ps(py + i);
        const __m128 z = _mm_loadu_ps(pz + i);
        const __m128 newX = L::Select(moves, _mm_add_ps(x, _mm_mul_ps(dirX, step)), x);
        const __m128 newY = L::Select(moves, _mm_add_ps(y, _mm_mul_ps(dirY, step)), y);
        const __m128 newZ = L::Select(moves, _mm_add_ps(z, _mm_mul_ps(dirZ, step)), z);
        _mm_storeu_ps(px + i, newX);
        _mm_storeu_ps(py + i, newY);
        _mm_storeu_ps(pz + i, newZ);
        _mm_store_ps(rows[RowX], newX);
        _mm_store_ps(rows[RowY], newY);
        _mm_store_ps(rows[RowZ], newZ);
        _mm_storeu_ps(dx + i, L::Select(keep, _mm_add_ps(dirX, pullX), dirX));
        _mm_storeu_ps(dy + i, L::Select(keep, _mm_add_ps(dirY, pullY), dirY));
        _mm_storeu_ps(dz + i, L::Select(keep, _mm_add_ps(dirZ, pullZ), dirZ));

        const __m128 turns = _mm_and_ps(keep, _mm_cmpgt_ps(L::Abs(spin), still));
        const __m128 rotation = _mm_loadu_ps(rotations + i);
        const __m128 newRotation =
            L::Select(turns, _mm_add_ps(rotation, _mm_mul_ps(spin, dt)), rotation);
        _mm_storeu_ps(rotations + i, newRotation);
        _mm_store_ps(rows[RowRotation], newRotation);

        const __m128 frameSpeed = _mm_loadu_ps(animation + i);
        const __m128 oldFrame = _mm_loadu_ps(frames + i);
        __m128 frame = L::Select(_mm_cmpgt_ps(L::Abs(frameSpeed), still),
                                 _mm_add_ps(oldFrame, _mm_mul_ps(frameSpeed, dt)), oldFrame);
        frame = _mm_and_ps(_mm_cmpge_ps(frame, zero), frame);
        const __m128 pastEnd = _mm_cmpge_ps(frame, sheetEnd);
        const __m128 inSheet =
            settings.loop ? _mm_sub_ps(frame, L::Floor(frame)) : L::Floor(_mm_sub_ps(frame, one));
        frame = L::Select(pastEnd, inSheet, frame);
        _mm_storeu_ps(frames + i, L::Select(keep, frame, oldFrame));
        _mm_store_ps(rows[RowFrame], L::Floor(frame));

        // The survivors' draw records, in slot order.
        for (u32 k = 0; k < ParticlePool::Lanes; ++k)
        {
            if ((keepBits & (1 << k)) == 0)
                continue;
            ParticleVertex& vertex = vertices[written++];
            vertex.position[0] = rows[RowX][k];
            vertex.position[1] = rows[RowY][k];
            vertex.position[2] = rows[RowZ][k];
            vertex.color[0] = rows[RowR][k];
            vertex.color[1] = rows[RowG][k];
            vertex.color[2] = rows[RowB][k];
            vertex.color[3] = rows[RowA][k];
            vertex.scale = rows[RowScale][k];
            vertex.rotation = rows[RowRotation][k];
            vertex.frame = rows[RowFrame][k];
        }
    }
    pool.CountFreed(died);
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
            pool.GetField(ParticlePool::Age)[slot] = particle.age;
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

u32 ParticleUpdate::Run(ParticlePool& pool, const Settings& settings)
{
    if (pool.GetCapacity() == 0)
        return 0;
#if defined(__SSE2__)
    return RunLanes(pool, settings);
#else
    return RunScalar(pool, settings);
#endif
}
} // namespace Graphics
