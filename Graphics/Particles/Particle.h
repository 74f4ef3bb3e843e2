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
// - A record is plain data: a fresh slot is all zero bytes.
#include "Math/ColorRGBA.h"
#include "Math/Point4.h"
#include "Math/Vector4.h"

namespace Graphics
{
struct Particle
{
    // Magnitudes at or below this count as no motion, no spin and no animation.
    static constexpr f32 StillThreshold = 0.00001f;

    // Ages the particle by dt and moves it. False when it has died in this call (age strictly
    // past its lifetime); nothing else changes then.
    bool Update(f32 dt);
    // The colour at life fraction t (already clamped to [0, 1]).
    void UpdateColor(f32 t);

    Math::Point4 position;
    Math::Vector4 direction;
    Math::ColorRGBA color;
    f32 speed;
    f32 rotationSpeed;
    f32 rotation;
    f32 scale;
    f32 age;
    f32 lifetime;
    f32 frame;
    Math::ColorRGBA colorStart;
    Math::ColorRGBA colorEnd;
    f32 scaleStart;
    f32 scaleEnd;
    f32 speedStart;
    f32 speedEnd;
    f32 rotationSpeedStart;
    f32 rotationSpeedEnd;
    f32 animationSpeed;
};

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
} // namespace Graphics
