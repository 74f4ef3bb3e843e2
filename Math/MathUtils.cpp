#include "Math/MathUtils.h"
#include "Math/RandStream.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>

namespace Math
{
namespace
{
// The classic 15-bit linear congruential generator: the state advances by
// state * 1103515245 + 12345 (mod 2^32) and bits 16 to 30 are the result (RandStream.h).
constexpr u32 RAND_MULTIPLIER = RandDetail::Multiplier;
constexpr u32 RAND_INCREMENT = RandDetail::Increment;
constexpr u32 RAND_SHIFT = RandDetail::Shift;
constexpr u32 RAND_MASK = RandDetail::Mask;
constexpr u32 DEFAULT_SEED = 1u;

constexpr u32 SIGN_BIT = 0x80000000u;
constexpr u32 MAGNITUDE_BITS = 0x7FFFFFFFu;

u32 FloatBits(f32 value)
{
    u32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Bit pattern of EPSILON: a magnitude compares as an integer against it, so NaN (whose pattern
// lies above every finite magnitude) never passes.
const u32 EPSILON_BITS = FloatBits(EPSILON);
} // namespace

std::atomic<u32> RandDetail::g_state{DEFAULT_SEED};

s32 Rand()
{
    // A plain load and store, not a compare-and-swap: the locked instruction cost more than
    // the rest of a draw and held up every store in flight, and the particle and AI steps
    // draw thousands of times a frame. Still free of data races from any thread, though two
    // threads drawing at the same moment may get the same value.
    const u32 next =
        RandDetail::g_state.load(std::memory_order_relaxed) * RAND_MULTIPLIER + RAND_INCREMENT;
    RandDetail::g_state.store(next, std::memory_order_relaxed);
    return static_cast<s32>((next >> RAND_SHIFT) & RAND_MASK);
}

void SeedRand(u32 seed)
{
    RandDetail::g_state.store(seed, std::memory_order_relaxed);
}

f32 RandUnit()
{
    return static_cast<f32>(Rand()) / static_cast<f32>(RAND_LIMIT);
}

f32 RandRange(f32 low, f32 high)
{
    return low + (high - low) * RandUnit();
}

s32 RoundToInt(f32 value)
{
    // Out-of-range and NaN inputs saturate instead of invoking an undefined conversion.
    constexpr f32 INT_RANGE_LIMIT = 2147483648.0f;
    const f32 rounded = std::round(value);
    if (rounded >= INT_RANGE_LIMIT)
    {
        return std::numeric_limits<s32>::max();
    }
    if (rounded < -INT_RANGE_LIMIT)
    {
        return std::numeric_limits<s32>::min();
    }
    if (std::isnan(rounded))
    {
        return 0;
    }
    return static_cast<s32>(rounded);
}

s32 RandomInt(s32 a, s32 b)
{
    // The span is taken in 64 bits: b - a overflows 32 bits for bounds far apart.
    const f32 span = static_cast<f32>(static_cast<s64>(b) - static_cast<s64>(a));
    return RoundToInt(static_cast<f32>(a) + span * RandUnit());
}

u32 RandomInt(u32 a, u32 b)
{
    constexpr f32 UINT_RANGE_LIMIT = 4294967296.0f;
    const f32 f = static_cast<f32>(a) + static_cast<f32>(b - a) * RandUnit();
    const f32 rounded = std::round(f);
    return rounded >= UINT_RANGE_LIMIT ? std::numeric_limits<u32>::max()
                                       : static_cast<u32>(rounded);
}

bool IsNearZero(f32 value)
{
    return (FloatBits(value) & MAGNITUDE_BITS) <= EPSILON_BITS;
}

void SinCos(f32 radians, f32& sine, f32& cosine)
{
    const f64 angle = radians;
    sine = static_cast<f32>(std::sin(angle));
    cosine = static_cast<f32>(std::cos(angle));
    if (IsNearZero(sine))
    {
        sine = 0.0f;
    }
    if (IsNearZero(cosine))
    {
        cosine = 0.0f;
    }
}

bool AlmostEqualUlps(f32 a, f32 b, s32 maxUlps)
{
    // Read as unsigned patterns, floats of one sign lie on one integer line. When the signs
    // differ, a is mapped to 2^31 - pattern, which puts negative floats below zero on the same
    // line as the positive ones (so -0 lands on +0).
    const u32 aBits = FloatBits(a);
    const u32 bBits = FloatBits(b);
    s64 aInt = static_cast<s64>(aBits);
    const s64 bInt = static_cast<s64>(bBits);
    if ((aBits & SIGN_BIT) != (bBits & SIGN_BIT))
    {
        aInt = static_cast<s64>(SIGN_BIT) - aInt;
    }
    const s64 difference = bInt - aInt;
    return difference >= -static_cast<s64>(maxUlps) && difference <= static_cast<s64>(maxUlps);
}

} // namespace Math
