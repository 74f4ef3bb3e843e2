#pragma once
// The update pass of an emitter's pool: every live particle is aged by the step, dies strictly
// past its lifetime (its slot is freed), otherwise follows its start/end pairs, moves, turns,
// animates, gains the emitter's pull and leaves one draw record; draw records are written in
// slot order, one after the other. Frames stay at or above 0; past the sheet's end they wrap
// (looping) or step back to the frame before the end (holding). The draw record's frame is the
// whole frame.
//
// Run works on a block of eight slots at a time with AVX2 where the processor has it, else on
// four at a time with SSE2 (dead slots are worked on too and their results dropped); RunScalar
// steps one live slot at a time through Particle::Update and is the reference: all of them leave
// the same bits in every field, flag and draw record.
#include "Math/Types.h"

// The eight-slot pass is built where the compiler can make AVX2 code for one function alone.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QUILL_PARTICLE_AVX 1
#else
#define QUILL_PARTICLE_AVX 0
#endif

namespace Graphics
{
class ParticlePool;

class ParticleUpdate
{
public:
    struct Settings
    {
        f32 dt = 0.0f;
        // The emitter's pull over the step, added to every survivor's direction.
        f32 pullX = 0.0f;
        f32 pullY = 0.0f;
        f32 pullZ = 0.0f;
        // Frames of the sprite sheet (at least 1) and whether the animation loops.
        f32 totalFrames = 1.0f;
        bool loop = true;
    };

    // Steps the pool; answers the number of draw records written.
    static u32 Run(ParticlePool& pool, const Settings& settings);
    static u32 RunScalar(ParticlePool& pool, const Settings& settings);
    // The grouped passes Run chooses between, for tests: four slots at a time (SSE2; the
    // reference itself without it) and eight at a time (AVX2; the four-slot pass on a processor
    // without it).
    static u32 RunFourLanes(ParticlePool& pool, const Settings& settings);
    static u32 RunEightLanes(ParticlePool& pool, const Settings& settings);
    // Whether Run takes eight slots at a time on this processor.
    static bool HasEightLanes();

private:
#if QUILL_PARTICLE_AVX
    // The eight-slot pass itself (ParticleUpdate_Avx.cpp): only for a processor with AVX2.
    static u32 RunAvx(ParticlePool& pool, const Settings& settings);
#endif
};
} // namespace Graphics
