#pragma once
// Draws from the engine's one generator (MathUtils.h, Rand) without a call per draw, for code
// that draws many values in a row (a particle's birth): a stream reads the generator's state
// when it is made, draws in registers, and writes the state back when it goes. Its draws are
// exactly the values Rand, RandUnit and RandRange would give in the same order, so the sequence
// after a seed does not change. While a stream lives nothing else may draw (the state written
// back would undo those draws): keep streams short and never call out to other drawing code
// while one is open.
#include "Math/MathUtils.h"
#include "Math/Types.h"
#include <atomic>

namespace Math
{
namespace RandDetail
{
// The generator: state = state * Multiplier + Increment (mod 2^32); bits 16 to 30 are a draw.
constexpr u32 Multiplier = 1103515245u;
constexpr u32 Increment = 12345u;
constexpr u32 Shift = 16u;
constexpr u32 Mask = 0x7FFFu;

// The generator's state (MathUtils.cpp).
extern std::atomic<u32> g_state;
} // namespace RandDetail

class RandStream
{
public:
    RandStream() : m_state(RandDetail::g_state.load(std::memory_order_relaxed)) {}
    ~RandStream() { RandDetail::g_state.store(m_state, std::memory_order_relaxed); }
    RandStream(const RandStream&) = delete;
    RandStream& operator=(const RandStream&) = delete;

    // Rand().
    s32 Next()
    {
        m_state = m_state * RandDetail::Multiplier + RandDetail::Increment;
        return static_cast<s32>((m_state >> RandDetail::Shift) & RandDetail::Mask);
    }
    // RandUnit(): the draw over RAND_LIMIT. Taken as a product in double precision and rounded
    // once to float, which gives the float quotient bit for bit for every draw (no quotient of a
    // draw lies within the product's error of a point halfway between two floats) without the
    // division's latency on the chain of draws.
    f32 Unit() { return static_cast<f32>(static_cast<f64>(Next()) * UnitScale); }
    // RandRange(low, high).
    f32 Range(f32 low, f32 high) { return low + (high - low) * Unit(); }

private:
    static constexpr f64 UnitScale = 1.0 / static_cast<f64>(RAND_LIMIT);

    u32 m_state;
};
} // namespace Math
