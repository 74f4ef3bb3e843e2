#pragma once
// Scalar helpers and scalar constants of the math library.
//
// Conventions of the whole math library:
// - Angles are radians inside the program; files, the editor and scripts use degrees. Convert
//   with DEG_TO_RAD and RAD_TO_DEG.
// - Vectors, matrices and quaternions compare equal when every component differs by at most
//   EPSILON; colours compare exactly.
// - Every rotation is built through SinCos, which snaps results of magnitude <= EPSILON to 0,
//   so quarter and half turns give exact zeros.
// - The engine has one random generator, Rand(): a 15-bit linear congruential generator
//   (seed 1 unless reseeded). A value uniform in [p, q] is p + (q - p) * Rand() / RAND_LIMIT.
//   The C library generator is never used.
#include "Math/Types.h"

namespace Math
{

// Component tolerance of comparisons, normalisation and degenerate-case tests.
constexpr f32 EPSILON = 0.00001f;

// The angle constants are computed in double precision and stored as floats.
constexpr f64 PI_DOUBLE = 3.14159265358979323846;
constexpr f32 PI = static_cast<f32>(PI_DOUBLE);
constexpr f32 HALF_PI = static_cast<f32>(PI_DOUBLE * 0.5);
constexpr f32 THREE_HALVES_PI = static_cast<f32>(PI_DOUBLE * 0.5 * 3.0);
constexpr f32 TWO_PI = static_cast<f32>(PI_DOUBLE * 2.0);
constexpr f32 QUARTER_PI = static_cast<f32>(PI_DOUBLE * 0.25);
constexpr f32 DEG_TO_RAD = static_cast<f32>(PI_DOUBLE / 180.0);
constexpr f32 RAD_TO_DEG = static_cast<f32>(180.0 / PI_DOUBLE);
constexpr f32 INV_PI = static_cast<f32>(1.0 / PI_DOUBLE);
constexpr f32 INV_TWO_PI = static_cast<f32>(1.0 / (2.0 * PI_DOUBLE));
constexpr f32 LN2 = static_cast<f32>(0.693147180559945309417);
constexpr f32 LN10 = static_cast<f32>(2.30258509299404568402);
constexpr f32 INV_LN2 = static_cast<f32>(1.0 / 0.693147180559945309417);
constexpr f32 INV_LN10 = static_cast<f32>(1.0 / 2.30258509299404568402);
constexpr f32 SQRT2 = static_cast<f32>(1.41421356237309504880);
constexpr f32 SQRT3 = static_cast<f32>(1.73205080756887729353);
constexpr f32 INV_SQRT2 = static_cast<f32>(1.0 / 1.41421356237309504880);
constexpr f32 INV_SQRT3 = static_cast<f32>(1.0 / 1.73205080756887729353);

// Largest value Rand() returns; Rand() / RAND_LIMIT runs from 0 to 1 inclusive.
constexpr s32 RAND_LIMIT = 32767;

// Next value of the engine's generator, 0 to RAND_LIMIT. Free of data races from any thread,
// but not atomic: two threads drawing at the same moment may get the same value.
s32 Rand();
// Restarts the generator; the sequence after SeedRand(1) is the one the program starts with.
void SeedRand(u32 seed);
// Rand() / RAND_LIMIT as a float in [0, 1].
f32 RandUnit();
// A value uniform in [low, high] (also for low > high).
f32 RandRange(f32 low, f32 high);

// Nearest integer, halves away from zero (2.5 -> 3, -2.5 -> -3).
s32 RoundToInt(f32 value);
// a + (b - a) * Rand() / RAND_LIMIT, rounded half away from zero.
s32 RandomInt(s32 a, s32 b);
// The same with a and b - a taken as unsigned 32-bit values.
u32 RandomInt(u32 a, u32 b);

// The value a fraction t of the way from `from` to `to` (t is not clamped).
constexpr f32 Lerp(f32 from, f32 to, f32 t)
{
    return from + (to - from) * t;
}

// Sine and cosine of an angle in radians, computed in double precision; a result of
// magnitude <= EPSILON is snapped to exactly 0 (a NaN is never snapped).
void SinCos(f32 radians, f32& sine, f32& cosine);

// True when |value| <= EPSILON, judged on the bit pattern so that a NaN is never "near zero".
bool IsNearZero(f32 value);

// Compares two floats by their distance in representable floats (units in the last place);
// +0 and -0 are equal. Computed in 64 bits so values of opposite sign never wrap around.
bool AlmostEqualUlps(f32 a, f32 b, s32 maxUlps);

} // namespace Math
